// IDetector: the device-detection component's interface, and the record it fills for the host.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IDetector_iid = QUILLON_UID(0xCD115F16, 0xAD8243A5, 0xA355A7CB, 0xAFBD5D0C);

// Host record describing what a detector finds. Owned by the host; the detector writes
// `category` and `detectionType` with static texts of the module and leaves `reserved` alone.
struct IDetectorDeviceInfo {
  const char* category;
  void* reserved;
  const char* detectionType;
};

static_assert(sizeof(IDetectorDeviceInfo) == 3 * sizeof(void*),
              "IDetectorDeviceInfo holds three pointer-size fields");

class IDetector : public FUnknown {
 public:
  // Looks for the device and installs it in the host's setup. kOk when it is installed,
  // kFalse when it is absent or could not be installed, kNotFound without a device list.
  virtual ResultCode detect() = 0;
  // Describes the detected device kind in `info` (owned by the host); kOk.
  virtual ResultCode getDeviceTypeInfo(IDetectorDeviceInfo* info) = 0;

  static const FUID iid;
};

}  // namespace Quillon
