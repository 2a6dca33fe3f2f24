// The host's values: a value's text and the object that owns it.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IParameter_iid = QUILLON_UID(0xA009BE6E, 0xDD754DCA, 0xB927D8C8, 0x4A9E5AB5);
inline constexpr TUID IValue_iid = QUILLON_UID(0x2E61B9C2, 0xAB2F47C9, 0x9CFB458B, 0xDB6E4E1F);
inline constexpr TUID IValue2_iid = QUILLON_UID(0xF9EAE1EF, 0x63734416, 0x856041B3, 0x8BF8BB15);

class IValue : public FUnknown {
 public:
  // Writes the value's text into `buffer`, which holds `*length` 16-bit characters.
  virtual ResultCode getString(char16* buffer, int32* length) = 0;

  static const FUID iid;
};

class IValue2 : public FUnknown {
 public:
  // The object that owns the value (borrowed), or null.
  virtual FUnknown* getOwner() = 0;

  static const FUID iid;
};

// Known identifier of the host whose operations the module never calls.
class IParameter : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
