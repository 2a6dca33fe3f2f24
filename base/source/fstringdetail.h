// Internals shared by the String sources: text lengths per width and private text copies.
#pragma once

#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/source/fstring.h"

namespace Quillon::detail {

template <typename C>
inline constexpr bool kIsWide = std::is_same_v<C, char16>;

// Characters before the first zero of `text`, reading at most `limit` of them.
template <typename C>
int32 textLength(const C* text, int32 limit = int32(ConstString::kMaxLength)) {
  if (text == nullptr || limit <= 0) return 0;
  if constexpr (kIsWide<C>) {
    // Four units a step, one bound check for the four; still no unit past the zero is read.
    int32 n = 0;
    for (; limit - n >= 4; n += 4) {
      if (text[n] == 0) return n;
      if (text[n + 1] == 0) return n + 1;
      if (text[n + 2] == 0) return n + 2;
      if (text[n + 3] == 0) return n + 3;
    }
    while (n < limit && text[n] != 0) ++n;
    return n;
  } else {
    return int32(strnlen(text, size_t(limit)));
  }
}

// The count an edit takes from `text`: up to its zero, at most `n` when `n` is 0 or more.
template <typename C>
int32 takenCount(const C* text, int32 n) {
  return n < 0 ? textLength(text) : textLength(text, n);
}

// Owns a zero-terminated copy of `count` characters, so an edit can read text that lies in
// the buffer it is about to reallocate. `data` is null when out of memory.
template <typename C>
class TextCopy {
 public:
  TextCopy(const C* text, int32 count)
      : data(static_cast<C*>(malloc((size_t(count) + 1) * sizeof(C)))) {
    if (data == nullptr) return;
    memcpy(data, text, size_t(count) * sizeof(C));
    data[count] = 0;
  }
  ~TextCopy() { free(data); }
  TextCopy(const TextCopy&) = delete;
  TextCopy& operator=(const TextCopy&) = delete;

  C* const data;
};

// Never-null empty texts: a string without a buffer still has text, the empty one, and an
// edit must not read its null buffer as "no text" (which changes nothing).
inline constexpr char8 kNoText8[] = {0};
inline constexpr char16 kNoText16[] = {0};
inline const char8* orEmpty(const char8* text) { return text != nullptr ? text : kNoText8; }
inline const char16* orEmpty(const char16* text) { return text != nullptr ? text : kNoText16; }

// Calls `edit(text, count)` with `other`'s text in its own width, never null; a negative `n`
// or one past the end means the whole text.
template <typename Edit>
decltype(auto) withTextOf(const ConstString& other, int32 n, Edit edit) {
  const int32 count = n < 0 || n > other.length() ? other.length() : n;
  if (other.isWideString()) return edit(orEmpty(static_cast<const char16*>(other.ptr())), count);
  return edit(orEmpty(static_cast<const char8*>(other.ptr())), count);
}

// Converts one 8-bit character through code page 0; false when it cannot be decoded.
bool widenChar(char8 c, char16& wide);
// Converts one 16-bit character through code page 0; false unless it gives exactly one byte.
bool narrowChar(char16 c, char8& narrow);
// The one byte of code page 0 that decodes back to `c`; false when there is none (narrowChar
// would give '?' for a character the code page lacks).
bool narrowCharExactly(char16 c, char8& narrow);

// '0' to '9' in either width.
template <typename C>
constexpr bool isAsciiDigit(C c) {
  return c >= C('0') && c <= C('9');
}

// A character as an unsigned value, the order of every case-sensitive comparison.
inline uint32 unitOf(char8 c) { return uint8(c); }
inline uint32 unitOf(char16 c) { return c; }

// The text of a ConstString in 16-bit: its own characters when it is 16-bit, else a copy
// widened through code page 0 that lives as long as this object. `chars` is null for no text;
// `ok` is false when the widening fails.
class WideText {
 public:
  explicit WideText(const ConstString& text);
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  const char16* chars = nullptr;
  int32 length = 0;
  bool ok = true;

 private:
  String widened;
};

// The first index from `start` at which the `patternLength` (at least 1) characters of
// `pattern` occur wholly inside the `length` characters of `text`; -1 when none.
int32 findExact(const char8* text, int32 length, int32 start, const char8* pattern,
                int32 patternLength);
int32 findExact(const char16* text, int32 length, int32 start, const char16* pattern,
                int32 patternLength);

// Compares two counted 16-bit texts by Unicode default case folding, in code-unit order:
// -1, 0 or 1. Defined with ICU in px7000_base_unicode.
int32 caseCompare16(const char16* a, int32 aLength, const char16* b, int32 bLength);

}  // namespace Quillon::detail
