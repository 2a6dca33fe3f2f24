// IHostClasses, the host's class registry, and FInstancePtr, the holder of what it creates.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IHostClasses_iid =
    QUILLON_UID(0xEEC89683, 0x80DB4336, 0x9177273E, 0x138A763B);

// The host's registry of its services, reached through the host context.
class IHostClasses : public FUnknown {
 public:
  // Creates the host object that offers the interface named by the 16 bytes at `iid` and
  // stores it in `*obj` with one reference owned by the caller; stores null on failure.
  virtual ResultCode createInstance(const char* iid, void** obj) = 0;

  static const FUID iid;
};

// Holds one host service created through IHostClasses::createInstance, or null; owns one
// reference, which it releases when it is destroyed. Never copied.
template <class I>
class FInstancePtr : public detail::OwnedInterface<I> {
 public:
  // Asks `registry` for `I`, ignoring the result code: whatever the host stored is kept.
  // A null `registry` gives null.
  explicit FInstancePtr(IHostClasses* registry) {
    if (registry == nullptr) return;
    void* created = nullptr;
    registry->createInstance(I::iid.tuid(), &created);
    this->ptr = static_cast<I*>(created);
  }
};

}  // namespace Quillon
