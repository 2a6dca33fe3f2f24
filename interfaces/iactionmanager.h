// The host's action manager, which performs host commands by category and name.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IActionManager_iid =
    QUILLON_UID(0x762F3F61, 0x11D14115, 0x92F97AC6, 0xF239460F);
inline constexpr TUID IActionManager2_iid =
    QUILLON_UID(0x0BE41FFD, 0xB3594C96, 0x8F5E80F4, 0x9AD84303);
inline constexpr TUID IActionHandler_iid =
    QUILLON_UID(0x9FC17BEB, 0x3A514077, 0xA25A7726, 0xD3D3D711);
inline constexpr TUID IEditorActionHandler_iid =
    QUILLON_UID(0x6B9BCBD8, 0xB24F4DFA, 0xA50E2FB9, 0xEC5D18F7);

class IActionManager : public FUnknown {
 public:
  // Not called by the module.
  virtual void reserved1() = 0;
  virtual void reserved2() = 0;
  virtual void reserved3() = 0;
  virtual void reserved4() = 0;
  // Performs the host command `category`/`command` (8-bit texts valid for the call).
  virtual ResultCode executeCommand(const char* category, const char* command) = 0;

  static const FUID iid;
};

// Known identifiers of the host whose operations the module never calls.
class IActionManager2 : public FUnknown {
 public:
  static const FUID iid;
};
class IActionHandler : public FUnknown {
 public:
  static const FUID iid;
};
class IEditorActionHandler : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
