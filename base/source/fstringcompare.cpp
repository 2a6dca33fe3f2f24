// Character classes, 8-bit case mapping, natural order, single-character tests and hashing.
#include <cctype>
#include <cwctype>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

using detail::isAsciiDigit;
using detail::unitOf;

namespace detail {

WideText::WideText(const ConstString& text) {
  if (text.isWideString()) {
    chars = static_cast<const char16*>(text.ptr());
    length = chars == nullptr ? 0 : text.length();
    return;
  }
  if (text.ptr() == nullptr || text.length() == 0) return;
  widened.assign(static_cast<const char8*>(text.ptr()), text.length());
  ok = widened.toWideString(kCodePageSystemDefault);
  chars = static_cast<const char16*>(widened.ptr());
  length = chars == nullptr ? 0 : widened.length();
}

}  // namespace detail

namespace {

// Compares the numbers at `a` and `b`, which both start with a digit, and moves both past
// them: 0 when they are equal in value and in leading zeros.
template <typename C>
int32 compareNumbers(const C*& a, const C*& b) {
  const C* const zerosA = a;
  const C* const zerosB = b;
  while (*a == C('0')) ++a;
  while (*b == C('0')) ++b;
  const auto zeros = (a - zerosA) - (b - zerosB);
  // One pass over both runs of significant digits: the longer run is the greater number; of
  // runs of one length, the first differing digit decides.
  int32 firstDifference = 0;
  for (;; ++a, ++b) {
    const bool digitA = isAsciiDigit(*a), digitB = isAsciiDigit(*b);
    if (!digitA || !digitB) {
      if (digitA != digitB) return digitA ? 1 : -1;
      break;
    }
    if (firstDifference == 0) firstDifference = int32(*a) - int32(*b);
  }
  if (firstDifference != 0) return firstDifference;
  // Of two equal values, the one written with more leading zeros sorts after.
  return zeros == 0 ? 0 : zeros < 0 ? -1 : 1;
}

// The texts first differ at `a` and `b`, having shared every character from `floor` on.
// False when no number meets there. Otherwise `order` is the order of the numbers, or 0 when
// they are equal, and then `a` and `b` have moved past them.
template <typename C>
bool numbersAt(const C*& a, const C*& b, const C* floor, int32& order) {
  const C ca = *a, cb = *b;
  const bool digitA = isAsciiDigit(ca), digitB = isAsciiDigit(cb);
  if (!digitA && !digitB) return false;
  const bool neitherZero = ca != C('0') && cb != C('0');
  bool significant = false;
  if (!digitA || !digitB || !neitherZero) {
    // The digits both texts share just before here begin both numbers.
    bool shared = false;
    for (const C* p = a; p != floor && isAsciiDigit(p[-1]) && !significant; --p) {
      shared = true;
      significant = p[-1] != C('0');
    }
    // A digit meeting another character outside a number compares as a character.
    if (!shared && (!digitA || !digitB)) return false;
  }
  if (significant || neitherZero) {
    // Both numbers have the same leading zeros, and their significant digits first differ
    // here: the longer number is the greater, else this digit decides.
    for (const C *restA = a, *restB = b;; ++restA, ++restB) {
      const bool moreA = isAsciiDigit(*restA), moreB = isAsciiDigit(*restB);
      if (!moreA || !moreB) {
        order = moreA ? 1 : moreB ? -1 : int32(ca) - int32(cb);
        return true;
      }
    }
  }
  // The numbers differ in leading zeros from here on; the shared ones count alike.
  order = compareNumbers(a, b);
  return true;
}

// Natural order over zero-terminated text; `upper` maps a character for case-insensitive mode.
template <typename C, typename Upper>
int32 naturalOrder(const C* a, const C* b, bool caseSensitive, Upper upper) {
  if (a == nullptr || b == nullptr) return a == b ? 0 : a == nullptr ? -1 : 1;
  // Where the cursors started to move in step: numbers found equal are equally long, so the
  // cursors stay in step past them too.
  const C* floor = a;
  for (;;) {
    // Equal characters, digits included, are by far the most common steps of a sort.
    while (*a == *b && *a != 0) {
      ++a;
      ++b;
    }
    if (*a == *b) return 0;
    int32 order = 0;
    if (numbersAt(a, b, floor, order)) {
      if (order != 0) return order;
      floor = a;
      continue;
    }
    // A terminator is below every other character, so a text that ends first is smaller.
    const uint32 ua = caseSensitive ? unitOf(*a) : upper(*a);
    const uint32 ub = caseSensitive ? unitOf(*b) : upper(*b);
    if (ua != ub) return int32(ua) - int32(ub);
    ++a;
    ++b;
  }
}

// 2^64 / divisor, rounded up: with it, x mod divisor takes two multiplications, not a
// division (Lemire, Kaser and Kurz, "Faster remainder by direct computation", 2019).
__extension__ typedef unsigned __int128 uint128;

uint64 remainderFactor(uint32 divisor) { return ~uint64(0) / divisor + 1; }

uint32 remainder(uint32 x, uint64 factor, uint32 divisor) {
  const uint64 fraction = factor * x;
  return uint32((uint128(fraction) * divisor) >> 64);
}

// `Signed` is the signed type of the character width: each character is added sign-extended.
template <typename Signed, typename C>
uint32 hashText(const C* text, uint32 hashSize) {
  if (text == nullptr) return 0;
  uint32 hash = 0;
  if (hashSize == 0) {
    for (; *text != 0; ++text) hash = (hash << 6) + uint32(int32(Signed(*text)));
  } else if ((hashSize & (hashSize - 1)) == 0) {
    const uint32 mask = hashSize - 1;
    for (; *text != 0; ++text) hash = ((hash << 6) + uint32(int32(Signed(*text)))) & mask;
  } else {
    const uint64 factor = remainderFactor(hashSize);
    for (; *text != 0; ++text)
      hash = remainder((hash << 6) + uint32(int32(Signed(*text))), factor, hashSize);
  }
  return hash;
}

}  // namespace

// --- Character classes and 8-bit case mapping ---

bool ConstString::isCharSpace(char8 c) { return isspace(uint8(c)) != 0; }

bool ConstString::isCharSpace(char16 c) {
  switch (c) {
    case 0x0020:
    case 0x00A0:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2002 && c <= 0x200B;
  }
}

bool ConstString::isCharAlpha(char8 c) { return isalpha(uint8(c)) != 0; }
bool ConstString::isCharAlpha(char16 c) { return iswalpha(wint_t(c)) != 0; }
bool ConstString::isCharAlphaNum(char8 c) { return isalnum(uint8(c)) != 0; }
bool ConstString::isCharAlphaNum(char16 c) { return iswalnum(wint_t(c)) != 0; }
bool ConstString::isCharDigit(char8 c) { return isAsciiDigit(c); }
bool ConstString::isCharDigit(char16 c) { return isAsciiDigit(c); }
bool ConstString::isCharAscii(char8 c) { return uint8(c) < 128; }
bool ConstString::isCharAscii(char16 c) { return c < 128; }

char8 ConstString::toLower(char8 c) {
  if (c >= 'A' && c <= 'Z') return char8(c + 32);
  return char8(tolower(uint8(c)));
}

char8 ConstString::toUpper(char8 c) {
  if (c >= 'a' && c <= 'z') return char8(c - 32);
  return char8(toupper(uint8(c)));
}

// --- Natural order ---

int32 strnatcmp8(const char8* a, const char8* b, bool caseSensitive) {
  return naturalOrder(a, b, caseSensitive, [](char8 c) { return uint32(toupper(uint8(c))); });
}

int32 strnatcmp16(const char16* a, const char16* b, bool caseSensitive) {
  return naturalOrder(a, b, caseSensitive, [](char16 c) { return uint32(towupper(wint_t(c))); });
}

int32 ConstString::naturalCompare(const ConstString& other, CompareMode mode) const {
  const bool hasText = buffer != nullptr && len > 0;
  const bool otherHasText = other.ptr() != nullptr && other.length() > 0;
  if (!hasText || !otherHasText) return hasText == otherHasText ? 0 : hasText ? 1 : -1;
  const bool caseSensitive = mode != kCaseInsensitive;
  if (!isWide && !other.isWideString())
    return strnatcmp8(buffer8, static_cast<const char8*>(other.ptr()), caseSensitive);
  const detail::WideText a(*this), b(other);
  if (!a.ok || !b.ok) return -1;
  return strnatcmp16(a.chars, b.chars, caseSensitive);
}

// --- Single characters ---

bool ConstString::testChar8(int32 index, char8 c) const {
  if (index < 0) return false;
  if (buffer == nullptr || uint32(index) >= len) return c == 0;
  if (!isWide) return buffer8[index] == c;
  char16 wide = 0;
  return detail::widenChar(c, wide) && buffer16[index] == wide;
}

bool ConstString::testChar16(int32 index, char16 c) const {
  if (index < 0) return false;
  if (buffer == nullptr || uint32(index) >= len) return c == 0;
  if (isWide) return buffer16[index] == c;
  char8 narrow = 0;
  return detail::narrowCharExactly(c, narrow) && buffer8[index] == narrow;
}

bool ConstString::isDigit(int32 index) const {
  if (buffer == nullptr || index < 0 || uint32(index) >= len) return false;
  return isWide ? isAsciiDigit(buffer16[index]) : isAsciiDigit(buffer8[index]);
}

int32 ConstString::getTrailingNumberIndex(uint32 width) const {
  if (buffer == nullptr || len == 0) return -1;
  int32 start = int32(len);
  while (start > 0 && isDigit(start - 1)) --start;
  if (uint32(start) == len) return -1;
  if (width > 0 && len - uint32(start) != width) return -1;
  return start;
}

// --- Hash ---

uint32 hashString8(const char8* text, uint32 hashSize) { return hashText<int8>(text, hashSize); }

uint32 hashString16(const char16* text, uint32 hashSize) { return hashText<int16>(text, hashSize); }

}  // namespace Quillon
