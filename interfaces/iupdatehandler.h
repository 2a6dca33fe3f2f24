// Change notification: dependents of an object and the process-wide handler that tells them.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IUpdateHandler_iid =
    QUILLON_UID(0xF5246D56, 0x86544D60, 0xB026AFB5, 0x7B697B37);
inline constexpr TUID IDependent_iid = QUILLON_UID(0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E);

// Receives the change messages of the objects it depends on.
class IDependent : public FUnknown {
 public:
  // `changedUnknown` (borrowed) changed; `message` says how.
  virtual void update(FUnknown* changedUnknown, int32 message) = 0;

  static const FUID iid;
};

// Keeps the dependents of objects and delivers their change messages.
class IUpdateHandler : public FUnknown {
 public:
  virtual ResultCode addDependent(FUnknown* object, IDependent* dependent) = 0;
  virtual ResultCode removeDependent(FUnknown* object, IDependent* dependent) = 0;
  // Tells the dependents of `object` now.
  virtual ResultCode notifyChanged(FUnknown* object, int32 message) = 0;
  // Tells the dependents of `object` later, from the handler's own update cycle.
  virtual ResultCode notifyDeferred(FUnknown* object, int32 message) = 0;

  static const FUID iid;
};

}  // namespace Quillon
