// Interfaces through which components hand text to a string object.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IStringResult_iid =
    QUILLON_UID(0x550798BC, 0x872049DB, 0x84920A15, 0x3B50B7A8);
inline constexpr TUID IString_iid = QUILLON_UID(0xF99DB7A3, 0x0FC14821, 0x800B0CF9, 0x8E348EDF);

// Receives one 8-bit text.
class IStringResult : public FUnknown {
 public:
  // Replaces the text with a copy of `text`.
  virtual void setText(const char* text) = 0;

  static const FUID iid;
};

// A string that holds 8-bit or 16-bit text.
class IString : public FUnknown {
 public:
  // Replace the text with a copy of `text`.
  virtual void setText8(const char* text) = 0;
  virtual void setText16(const char16* text) = 0;
  // The text in that width, owned by the string; valid until it next changes.
  virtual const char* getText8() = 0;
  virtual const char16* getText16() = 0;
  // Takes ownership of `buffer` (C allocator), 16-bit text when `isWide`.
  virtual void take(void* buffer, bool isWide) = 0;
  virtual bool isWideString() = 0;

  static const FUID iid;
};

}  // namespace Quillon
