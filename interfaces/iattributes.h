// IAttributes: a store of named values, into which a string can put itself and from which it
// can read itself back (String::toAttributes and String::fromAttributes).
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

class FVariant;

// Names an attribute: zero-terminated 8-bit text.
using IAttrID = const char*;

// Generated once for this interface.
inline constexpr TUID IAttributes_iid = QUILLON_UID(0x7729ADBB, 0xBCA74AFF, 0xA90BF681, 0x23AD457C);

// A store that keeps its own copies of the values put into it; implemented outside this
// system, which calls only its first and fourth operations.
class IAttributes : public FUnknown {
 public:
  // Stores a copy of `data` under `id`; kOk on success.
  virtual ResultCode setAttribute(IAttrID id, const FVariant& data) = 0;
  // Forgets the value under `id`; kOk when there was one.
  virtual ResultCode removeAttribute(IAttrID id) = 0;
  // kOk when a value is stored under `id`, else kFalse.
  virtual ResultCode hasAttribute(IAttrID id) = 0;
  // Assigns the value under `id` to `data`, which then owns its copy; kOk when there is one.
  virtual ResultCode getAttribute(IAttrID id, FVariant& data) = 0;

  // Defined beside FVariant (base/source/fvariant.cpp), so that only code that uses variants
  // builds this identifier at load.
  static const FUID iid;
};

}  // namespace Quillon
