// IPluginBase: the start and stop operations every component of the module offers.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IPluginBase_iid = QUILLON_UID(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);

// Base interface of the three components.
class IPluginBase : public FUnknown {
 public:
  // Starts the component with the host's context (borrowed, never kept without a reference).
  // Returns kOk, or kFalse when the component refuses to start.
  virtual ResultCode initialize(FUnknown* context) = 0;
  // Stops the component; kFalse when it refuses to stop now.
  virtual ResultCode terminate() = 0;

  static const FUID iid;
};

}  // namespace Quillon
