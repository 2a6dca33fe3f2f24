// Character-set engine behind the code-page numbers of the string conversions.
//
// Defines the code-page constants and the two raw conversions between zero-terminated 8-bit
// text in a code page and zero-terminated UTF-16 text. `String` forwards its static
// `multiByteToWideString` and `wideStringToMultiByte` here; nothing else should call these.
//
// Code pages and their character sets:
//   0      the system default (kDefaultSystemEncoding: Mac Roman)
//   2      Mac Roman (Apple's table: 0xC6 is U+2206, 0xF0 is U+F8FF)
//   932    Shift_JIS X0213
//   1252   Windows Latin-1 (0x81, 0x8D, 0x8F, 0x90, 0x9D cannot be decoded)
//   10029  Mac Central European Roman
//   65001  UTF-8, strict (no overlong forms, encoded surrogates or values above U+10FFFF)
//   other  ASCII
#pragma once

#include "interfaces/ftypes.h"

namespace Quillon {

inline constexpr uint32 kCodePageSystemDefault = 0;
inline constexpr uint32 kCodePageMacRoman = 2;
inline constexpr uint32 kCodePageShiftJis = 932;
inline constexpr uint32 kCodePageWindowsLatin1 = 1252;
inline constexpr uint32 kCodePageMacCentralEurope = 10029;
inline constexpr uint32 kCodePageUtf8 = 65001;

// The character set of code page 0; nothing in this system changes it.
inline constexpr uint32 kDefaultSystemEncoding = kCodePageMacRoman;

namespace detail {

inline constexpr bool isHighSurrogate(char16 unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline constexpr bool isLowSurrogate(char16 unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The most bytes one 16-bit character can need in `codePage`.
inline constexpr int32 maxBytesPerChar(uint32 codePage) {
  return codePage == kCodePageUtf8 ? 3 : codePage == kCodePageShiftJis ? 2 : 1;
}

// Decodes the zero-terminated 8-bit `source` (the empty text when null) in `codePage`.
// Returns 0 when the text cannot be decoded. With a null `destination`, returns the number of
// 16-bit characters the whole text needs, plus 1. Otherwise writes at most `charCount` 16-bit
// characters (never half a surrogate pair) followed by a zero, and returns the number written
// plus 1, or 0 when none was written. `destination` holds `charCount` + 1 characters.
int32 decodeMultiByte(char16* destination, const char8* source, int32 charCount, uint32 codePage);

// Encodes the zero-terminated 16-bit `source` in `codePage`; 0 when `source` is null. With a
// null `destination`, returns an upper bound of the bytes the text needs, terminator excluded
// (3 per 16-bit character for UTF-8, 2 for Shift_JIS X0213, 1 otherwise). Otherwise writes
// whole characters, each code point the set cannot represent (and each unpaired surrogate) as
// one '?', into `destination`, which holds `byteCount` bytes including the zero written after
// them. Returns the bytes written plus 1 when at least one character was converted, else 0.
int32 encodeWide(char8* destination, const char16* source, int32 byteCount, uint32 codePage);

// The per-set codecs behind the two above, which hand them a non-null `source`, a `charCount`
// of at least 0, and for encoding a non-null `destination` with a `byteCount` of at least 1.
// `codePage` selects Mac Roman (0 or 2), Windows Latin-1 or Mac Central European.
int32 decodeSingleByte(char16* destination, const char8* source, int32 charCount, uint32 codePage);
int32 encodeSingleByte(char8* destination, const char16* source, int32 byteCount, uint32 codePage);
int32 decodeUtf8(char16* destination, const char8* source, int32 charCount);
int32 encodeUtf8(char8* destination, const char16* source, int32 byteCount);
int32 decodeShiftJis(char16* destination, const char8* source, int32 charCount);
int32 encodeShiftJis(char8* destination, const char16* source, int32 byteCount);

}  // namespace detail
}  // namespace Quillon
