// Dispatches the raw conversions by code page; also the ASCII set used for unknown code pages.
#include "base/source/codepage.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Quillon::detail {
namespace {

constexpr int32 kInt32Max = INT32_MAX;

std::size_t unitLength(const char16* text) {
  std::size_t length = 0;
  while (text[length]) ++length;
  return length;
}

int32 decodeAscii(char16* destination, const char8* source, int32 charCount) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  const std::size_t length = std::strlen(source);
  for (std::size_t i = 0; i < length; ++i) {
    if (bytes[i] >= 0x80) {
      if (destination) destination[0] = 0;
      return 0;
    }
  }
  if (!destination) return length >= std::size_t(kInt32Max) ? kInt32Max : int32(length) + 1;
  const int32 written = length < std::size_t(charCount) ? int32(length) : charCount;
  for (int32 i = 0; i < written; ++i) destination[i] = bytes[i];
  destination[written] = 0;
  return written ? written + 1 : 0;
}

int32 encodeAscii(char8* destination, const char16* source, int32 byteCount) {
  const int32 room = byteCount - 1;
  int32 written = 0;
  for (std::size_t i = 0; source[i] && written < room; ++i) {
    const char16 unit = source[i];
    // A surrogate pair is one code point outside ASCII, so it becomes a single '?'.
    if (isHighSurrogate(unit) && isLowSurrogate(source[i + 1])) ++i;
    destination[written++] = unit < 0x80 ? char8(unit) : '?';
  }
  destination[written] = 0;
  return written ? written + 1 : 0;
}

}  // namespace

int32 decodeMultiByte(char16* destination, const char8* source, int32 charCount, uint32 codePage) {
  if (!source) source = "";
  if (charCount < 0) charCount = 0;
  // Keeps "written plus 1" within int32.
  if (charCount > kInt32Max - 1) charCount = kInt32Max - 1;
  switch (codePage) {
    case kCodePageSystemDefault:
    case kCodePageMacRoman:
    case kCodePageWindowsLatin1:
    case kCodePageMacCentralEurope:
      return decodeSingleByte(destination, source, charCount, codePage);
    case kCodePageUtf8:
      return decodeUtf8(destination, source, charCount);
    case kCodePageShiftJis:
      return decodeShiftJis(destination, source, charCount);
    default:
      return decodeAscii(destination, source, charCount);
  }
}

int32 encodeWide(char8* destination, const char16* source, int32 byteCount, uint32 codePage) {
  if (!source) return 0;
  if (!destination) {
    const auto perUnit = std::size_t(maxBytesPerChar(codePage));
    const std::size_t length = unitLength(source);
    return length > std::size_t(kInt32Max) / perUnit ? kInt32Max : int32(length * perUnit);
  }
  if (byteCount <= 0) return 0;
  switch (codePage) {
    case kCodePageSystemDefault:
    case kCodePageMacRoman:
    case kCodePageWindowsLatin1:
    case kCodePageMacCentralEurope:
      return encodeSingleByte(destination, source, byteCount, codePage);
    case kCodePageUtf8:
      return encodeUtf8(destination, source, byteCount);
    case kCodePageShiftJis:
      return encodeShiftJis(destination, source, byteCount);
    default:
      return encodeAscii(destination, source, byteCount);
  }
}

}  // namespace Quillon::detail
