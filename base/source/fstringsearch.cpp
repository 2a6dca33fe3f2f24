// Comparison from an index, first difference, and search for texts and characters, with or
// without case. Caseless 16-bit work goes through fstringcase.cpp, hence px7000_base_unicode.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

using detail::unitOf;
using detail::WideText;

namespace {

char8 lower(char8 c) { return ConstString::toLower(c); }
char16 lower(char16 c) { return ConstString::toLower(c); }

// Compares counted texts like strncmp: at most `n` characters when `n` >= 0; a text that ends
// first is the smaller. `caseless` compares lower-case mappings.
template <typename C>
int32 compareCounted(const C* a, int32 aLength, const C* b, int32 bLength, int32 n, bool caseless) {
  const int32 limit = n < 0 ? std::max(aLength, bLength) : n;
  for (int32 i = 0; i < limit; ++i) {
    if (i >= aLength || i >= bLength)
      return i >= aLength && i >= bLength ? 0 : i >= aLength ? -1 : 1;
    const uint32 ca = unitOf(caseless ? lower(a[i]) : a[i]);
    const uint32 cb = unitOf(caseless ? lower(b[i]) : b[i]);
    if (ca != cb) return int32(ca) - int32(cb);
  }
  return 0;
}

// A text to search in, or a pattern, in one width: 8-bit only when both sides are 8-bit.
template <typename C>
struct Counted {
  const C* chars;
  int32 length;
};

// Whether the pattern matches the text at `at` under `mode`. Case-sensitive and 8-bit matches
// lie wholly inside the text; a caseless 16-bit match compares what is left of the text, up to
// the pattern's length, by case folding.
template <typename C>
bool matchesAt(Counted<C> text, int32 at, Counted<C> pattern, bool caseless) {
  const int32 left = text.length - at;
  if constexpr (detail::kIsWide<C>) {
    if (caseless)
      return detail::caseCompare16(text.chars + at, std::min(left, pattern.length), pattern.chars,
                                   pattern.length) == 0;
  }
  if (left < pattern.length) return false;
  if (!caseless)
    return memcmp(text.chars + at, pattern.chars, size_t(pattern.length) * sizeof(C)) == 0;
  for (int32 i = 0; i < pattern.length; ++i)
    if (lower(text.chars[at + i]) != lower(pattern.chars[i])) return false;
  return true;
}

template <typename C>
int32 findTextNext(Counted<C> text, int32 start, Counted<C> pattern, bool caseless) {
  if (!caseless)
    return detail::findExact(text.chars, text.length, start, pattern.chars, pattern.length);
  for (int32 at = start; at < text.length; ++at)
    if (matchesAt(text, at, pattern, true)) return at;
  return -1;
}

template <typename C>
int32 findTextPrev(Counted<C> text, int32 start, Counted<C> pattern, bool caseless) {
  for (int32 at = start; at >= 0; --at)
    if (matchesAt(text, at, pattern, caseless)) return at;
  return -1;
}

// Runs `find` on both operands in their common width; -1 when a widening fails.
template <typename Find>
int32 inCommonWidth(const ConstString& text, const ConstString& pattern, int32 n, Find find) {
  const int32 patternLength = n >= 0 && n < pattern.length() ? n : pattern.length();
  if (patternLength < 1 || pattern.ptr() == nullptr) return -1;
  if (!text.isWideString() && !pattern.isWideString()) {
    return find(Counted<char8>{static_cast<const char8*>(text.ptr()),
                               text.ptr() == nullptr ? 0 : text.length()},
                Counted<char8>{static_cast<const char8*>(pattern.ptr()), patternLength});
  }
  const WideText wideText(text), widePattern(pattern);
  if (!wideText.ok || !widePattern.ok || widePattern.length < patternLength) return -1;
  return find(Counted<char16>{wideText.chars, wideText.length},
              Counted<char16>{widePattern.chars, patternLength});
}

// Where a search of `length` characters starts backwards: `start`, or the last character.
int32 backwardStart(int32 start, int32 length) {
  return start < 0 || start >= length ? length - 1 : start;
}

// `c` in the width C of a text; false when it has no one-character form there.
bool charIn(char8 c, char8& out) { return (out = c), true; }
bool charIn(char16 c, char16& out) { return (out = c), true; }
bool charIn(char8 c, char16& out) { return detail::widenChar(c, out); }
bool charIn(char16 c, char8& out) { return detail::narrowCharExactly(c, out); }

template <typename C>
int32 findCharIn(const C* chars, int32 length, int32 start, C c, bool caseless, bool forward) {
  if (chars == nullptr) return -1;
  const C wanted = caseless ? lower(c) : c;
  const auto matches = [&](C x) { return (caseless ? lower(x) : x) == wanted; };
  if (forward) {
    for (int32 i = std::max(start, 0); i < length; ++i)
      if (matches(chars[i])) return i;
  } else {
    for (int32 i = backwardStart(start, length); i >= 0; --i)
      if (matches(chars[i])) return i;
  }
  return -1;
}

}  // namespace

// --- Comparison ---

int32 ConstString::compareAt(int32 index, const ConstString& other, int32 n,
                             CompareMode mode) const {
  if (n == 0) return 0;
  const bool hasText = buffer != nullptr && len > 0;
  if (other.ptr() == nullptr || other.length() == 0) return hasText ? 1 : 0;
  if (!hasText || index < 0 || uint32(index) >= len) return -1;
  const bool caseless = mode == kCaseInsensitive;
  if (!isWide && !other.isWideString()) {
    return compareCounted(buffer8 + index, int32(len) - index,
                          static_cast<const char8*>(other.ptr()), other.length(), n, caseless);
  }
  const WideText a(*this), b(other);
  if (!a.ok || !b.ok || index >= a.length) return -1;
  const int32 aLength = a.length - index;
  if (!caseless) return compareCounted(a.chars + index, aLength, b.chars, b.length, n, false);
  return detail::caseCompare16(a.chars + index, n < 0 ? aLength : std::min(aLength, n), b.chars,
                               n < 0 ? b.length : std::min(b.length, n));
}

int32 ConstString::getFirstDifferent(const ConstString& other, CompareMode mode) const {
  const bool caseless = mode == kCaseInsensitive;
  const auto firstDifferent = [caseless](auto a, auto b) -> int32 {
    // Up to the shorter length inclusive, so that a terminator takes part.
    const int32 limit = std::min(a.length, b.length);
    using C = std::remove_const_t<std::remove_pointer_t<decltype(a.chars)>>;
    for (int32 i = 0; i <= limit; ++i) {
      C ca = i < a.length ? a.chars[i] : C(0);
      C cb = i < b.length ? b.chars[i] : C(0);
      if (caseless) {
        ca = lower(ca);
        cb = lower(cb);
      }
      if (ca != cb) return i;
    }
    return -1;
  };
  if (!isWide && !other.isWideString()) {
    return firstDifferent(Counted<char8>{buffer8, buffer == nullptr ? 0 : int32(len)},
                          Counted<char8>{static_cast<const char8*>(other.ptr()),
                                         other.ptr() == nullptr ? 0 : other.length()});
  }
  const WideText a(*this), b(other);
  if (!a.ok || !b.ok) return -1;
  return firstDifferent(Counted<char16>{a.chars, a.length}, Counted<char16>{b.chars, b.length});
}

// --- Search ---

int32 ConstString::findNext(int32 startIndex, const ConstString& other, int32 n,
                            CompareMode mode) const {
  const bool caseless = mode == kCaseInsensitive;
  const int32 start = std::max(startIndex, 0);
  return inCommonWidth(*this, other, n, [&](auto text, auto pattern) {
    return findTextNext(text, start, pattern, caseless);
  });
}

int32 ConstString::findPrev(int32 startIndex, const ConstString& other, int32 n,
                            CompareMode mode) const {
  const bool caseless = mode == kCaseInsensitive;
  return inCommonWidth(*this, other, n, [&](auto text, auto pattern) {
    return findTextPrev(text, backwardStart(startIndex, text.length), pattern, caseless);
  });
}

namespace {

// Finds `c` in `text` in the text's width; -1 when it cannot be converted to that width.
template <typename Char>
int32 findChar(const ConstString& text, int32 start, Char c, bool caseless, bool forward) {
  const int32 length = text.ptr() == nullptr ? 0 : text.length();
  if (text.isWideString()) {
    char16 wide = 0;
    if (!charIn(c, wide)) return -1;
    return findCharIn(static_cast<const char16*>(text.ptr()), length, start, wide, caseless,
                      forward);
  }
  char8 narrow = 0;
  if (!charIn(c, narrow)) return -1;
  return findCharIn(static_cast<const char8*>(text.ptr()), length, start, narrow, caseless,
                    forward);
}

template <typename Char>
int32 countChar(const ConstString& text, int32 start, Char c, bool caseless) {
  char16 wide = 0;
  char8 narrow = 0;
  if (text.isWideString() ? !charIn(c, wide) : !charIn(c, narrow)) return -1;
  int32 count = 0;
  for (int32 at = findChar(text, start, c, caseless, true); at >= 0;
       at = findChar(text, at + 1, c, caseless, true))
    ++count;
  return count;
}

}  // namespace

int32 ConstString::findNext(int32 startIndex, char8 c, CompareMode mode) const {
  return findChar(*this, startIndex, c, mode == kCaseInsensitive, true);
}

int32 ConstString::findNext(int32 startIndex, char16 c, CompareMode mode) const {
  return findChar(*this, startIndex, c, mode == kCaseInsensitive, true);
}

int32 ConstString::findPrev(int32 startIndex, char8 c, CompareMode mode) const {
  return findChar(*this, startIndex, c, mode == kCaseInsensitive, false);
}

int32 ConstString::findPrev(int32 startIndex, char16 c, CompareMode mode) const {
  return findChar(*this, startIndex, c, mode == kCaseInsensitive, false);
}

int32 ConstString::countOccurences(char8 c, int32 startIndex, CompareMode mode) const {
  return countChar(*this, startIndex, c, mode == kCaseInsensitive);
}

int32 ConstString::countOccurences(char16 c, int32 startIndex, CompareMode mode) const {
  return countChar(*this, startIndex, c, mode == kCaseInsensitive);
}

}  // namespace Quillon
