// Fuzzes comparison, search, find-and-replace and trimming of 8-bit and 16-bit strings against
// brute-force references over the strings' characters.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <string>

#include "base/source/fstring.h"

namespace {

using Quillon::char16;
using Quillon::char8;
using Quillon::ConstString;
using Quillon::int32;
using Quillon::String;
using Units = std::u32string;  // characters as unsigned values, whatever their width

void check(bool condition) {
  if (!condition) std::abort();
}

int sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Code page 0 decodes every byte on its own to one 16-bit character.
char16 widened(std::uint8_t byte) {
  static const auto table = [] {
    std::u16string chars(256, 0);
    for (int b = 1; b < 256; ++b) {
      const char8 one[2] = {char8(b), 0};
      char16 out[2] = {};
      String::multiByteToWideString(out, one, 1, Quillon::kCodePageSystemDefault);
      chars[std::size_t(b)] = out[0];
    }
    return chars;
  }();
  return table[byte];
}

Units widenedAll(const Units& own, bool wide) {
  Units units;
  for (char32_t c : own) units += wide ? c : widened(std::uint8_t(c));
  return units;
}

// A string under test with its characters, in its own width and widened.
struct Text {
  Text(const std::string& bytes, bool wide) : wide(wide) {
    for (std::size_t i = 0; i < bytes.size() && own.size() < 120; ++i) {
      const std::uint8_t b = std::uint8_t(bytes[i]);
      const bool escaped = wide && b == 0xFF && i + 2 < bytes.size();
      own += escaped ? char32_t(std::uint8_t(bytes[i + 1]) << 8 | std::uint8_t(bytes[i + 2])) : b;
      if (escaped) i += 2;
    }
    std::basic_string<char8> n;
    std::u16string w;
    for (char32_t c : own) wide ? void(w += char16(c)) : void(n += char8(c));
    s = wide ? String(w.c_str()) : String(n.c_str());
    widened16 = widenedAll(own, wide);
  }
  const Units& in(bool wideWidth) const { return wideWidth ? widened16 : own; }
  int32 length() const { return int32(own.size()); }

  bool wide;
  Units own, widened16;
  String s;
};

Units unitsOf(const String& s) {
  Units units;
  for (int32 i = 0; i < s.length(); ++i)
    units += s.isWideString() ? char32_t(static_cast<const char16*>(s.ptr())[i])
                              : widened(std::uint8_t(static_cast<const char8*>(s.ptr())[i]));
  return units;
}

char32_t at(const Units& u, std::size_t i) { return i < u.size() ? u[i] : 0; }
bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
char32_t asciiLower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
char32_t same(char32_t c) { return c; }

// Natural order as its steps are laid down: terminators, then runs of digits by significant
// length, digits and leading zeros, else single characters.
int naturalOrder(const Units& a, const Units& b, char32_t (*map)(char32_t)) {
  for (std::size_t i = 0, j = 0;;) {
    if (at(a, i) == 0) return at(b, j) == 0 ? 0 : -1;
    if (at(b, j) == 0) return 1;
    if (isDigit(a[i]) && isDigit(b[j])) {
      std::size_t za = 0, zb = 0, la = 0, lb = 0;
      while (at(a, i + za) == '0') ++za;
      while (at(b, j + zb) == '0') ++zb;
      while (isDigit(at(a, i + za + la))) ++la;
      while (isDigit(at(b, j + zb + lb))) ++lb;
      if (la != lb) return la < lb ? -1 : 1;
      for (std::size_t k = 0; k < la; ++k)
        if (a[i + za + k] != b[j + zb + k]) return a[i + za + k] < b[j + zb + k] ? -1 : 1;
      if (za != zb) return za < zb ? -1 : 1;
      i += za + la, j += zb + lb;
      continue;
    }
    if (map(a[i]) != map(b[j])) return map(a[i]) < map(b[j]) ? -1 : 1;
    ++i, ++j;
  }
}

// strncmp (strncasecmp with `map` lowering) on `a` from `index`; n < 0 compares whole texts.
int compareFrom(const Units& a, int32 index, const Units& b, int32 n, char32_t (*map)(char32_t)) {
  if (n == 0) return 0;
  if (b.empty()) return a.empty() ? 0 : 1;
  if (a.empty() || std::size_t(index) >= a.size()) return -1;
  for (std::size_t i = 0; n < 0 || i < std::size_t(n); ++i) {
    const char32_t x = map(at(a, std::size_t(index) + i)), y = map(at(b, i));
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

template <class Char>
std::basic_string<Char> textOf(const Units& units) {
  std::basic_string<Char> text;
  for (char32_t c : units) text += Char(c);
  return text;
}

// The character classes that removeChars and trim take out, by group, in the string's width.
bool inGroup(int group, char32_t c, bool wide) {
  if (group == 0) return wide ? std::iswspace(wint_t(c)) : std::isspace(int(c));
  if (group == 1) return !(wide ? std::iswalnum(wint_t(c)) : std::isalnum(int(c)));
  return group == 2 && !(wide ? std::iswalpha(wint_t(c)) : std::isalpha(int(c)));
}

void checkComparisons(const Text& a, const Text& b, int32 index, int32 n) {
  const bool wideWidth = a.wide || b.wide;
  const Units &ua = a.in(wideWidth), &ub = b.in(wideWidth);
  char32_t (*const upper)(char32_t) =
      wideWidth ? +[](char32_t c) { return char32_t(std::towupper(wint_t(c))); }
                : +[](char32_t c) { return char32_t(std::toupper(int(c))); };
  char32_t (*const lower)(char32_t) =
      wideWidth
          ? +[](char32_t c) { return char32_t(ConstString::toLower(char16(c))); }
          : +[](char32_t c) { return char32_t(std::uint8_t(ConstString::toLower(char8(c)))); };
  for (const auto mode : {ConstString::kCaseSensitive, ConstString::kCaseInsensitive}) {
    const bool caseless = mode == ConstString::kCaseInsensitive;
    const int natural = sign(a.s.naturalCompare(b.s, mode));
    check(natural == naturalOrder(ua, ub, caseless ? upper : same));
    check(natural == -sign(b.s.naturalCompare(a.s, mode)) && a.s.naturalCompare(a.s, mode) == 0);

    // Caseless 16-bit comparison folds by Unicode: below it is checked only on ASCII text.
    const bool ascii = std::all_of(ua.begin(), ua.end(), [](char32_t c) { return c < 128; }) &&
                       std::all_of(ub.begin(), ub.end(), [](char32_t c) { return c < 128; });
    const int compared = sign(a.s.compareAt(index, b.s, n, mode));
    if (!caseless || !wideWidth || ascii)
      check(compared == compareFrom(ua, index, ub, n, caseless ? asciiLower : same));
    if (a.length() > 0 && b.length() > 0)
      check(sign(a.s.compareAt(0, b.s, n, mode)) == -sign(b.s.compareAt(0, a.s, n, mode)));
    check(a.s.compareAt(0, a.s, n, mode) == 0);

    int32 first = -1;
    for (std::size_t i = 0; i <= std::min(ua.size(), ub.size()) && first < 0; ++i)
      if ((caseless ? lower : same)(at(ua, i)) != (caseless ? lower : same)(at(ub, i)))
        first = int32(i);
    check(a.s.getFirstDifferent(b.s, mode) == first);
    if (!caseless)
      check(sign(a.s.compareAt(0, b.s, -1, mode)) ==
            (first < 0 ? 0
                       : sign((long long)at(ua, std::size_t(first)) - at(ub, std::size_t(first)))));
  }
}

// Every hit matches at its index; no position between the start and the hit does.
void checkSearch(const Text& a, const Text& b, int32 start, int32 n) {
  const bool wideWidth = a.wide || b.wide;
  const Units &ua = a.in(wideWidth), &ub = b.in(wideWidth);
  const bool ascii = std::all_of(ua.begin(), ua.end(), [](char32_t c) { return c < 128; }) &&
                     std::all_of(ub.begin(), ub.end(), [](char32_t c) { return c < 128; });
  const int32 m = n >= 0 && n < b.length() ? n : b.length();
  for (const auto mode : {ConstString::kCaseSensitive, ConstString::kCaseInsensitive}) {
    const bool caseless = mode == ConstString::kCaseInsensitive;
    const auto matches = [&](int32 p) {
      if (m < 1) return false;
      if (caseless && wideWidth && !ascii) return a.s.compareAt(p, b.s, m, mode) == 0;
      return compareFrom(ua, p, ub, m, caseless ? asciiLower : same) == 0;
    };
    int32 next = -1, prev = -1;
    for (int32 p = std::max(start, 0); p < a.length() && next < 0; ++p)
      if (matches(p)) next = p;
    for (int32 p = start < 0 || start >= a.length() ? a.length() - 1 : start; p >= 0 && prev < 0;
         --p)
      if (matches(p)) prev = p;
    check(a.s.findNext(start, b.s, n, mode) == next && a.s.findPrev(start, b.s, n, mode) == prev);
  }
}

// A character of either width is found where it stands in the string's width; one that has
// no single character there is found nowhere (-1, also for the count).
void checkCharSearch(const Text& a, char32_t c, bool charWide, int32 start) {
  bool ok = true;
  char32_t wanted = a.wide && !charWide ? widened(std::uint8_t(c)) : c;
  if (!a.wide && charWide) {
    ok = false;
    for (int byte = 1; byte < 256 && !ok; ++byte)
      if (widened(std::uint8_t(byte)) == c) ok = true, wanted = char32_t(byte);
  }
  for (const auto mode : {ConstString::kCaseSensitive, ConstString::kCaseInsensitive}) {
    const auto fold = [&](char32_t x) {
      if (mode == ConstString::kCaseSensitive) return x;
      return a.wide ? char32_t(ConstString::toLower(char16(x)))
                    : char32_t(std::uint8_t(ConstString::toLower(char8(x))));
    };
    int32 next = -1, prev = -1, count = ok ? 0 : -1;
    for (int32 i = 0; ok && i < a.length(); ++i) {
      if (fold(a.own[std::size_t(i)]) != fold(wanted)) continue;
      if (i >= start && next < 0) next = i;
      if (i <= (start < 0 || start >= a.length() ? a.length() - 1 : start)) prev = i;
      if (i >= start) ++count;
    }
    const auto search = [&](auto ch) {
      check(a.s.findNext(start, ch, mode) == next && a.s.findPrev(start, ch, mode) == prev &&
            a.s.countOccurences(ch, start, mode) == count);
    };
    charWide ? search(char16(c)) : search(char8(c));
  }
  for (int32 i = 0; i <= a.length(); ++i) {
    const bool there = i < a.length() ? ok && a.own[std::size_t(i)] == wanted : c == 0;
    check((charWide ? a.s.testChar16(i, char16(c)) : a.s.testChar8(i, char8(c))) == there);
  }
}

// Find-and-replace, character sets and classes, and trimming, each on a copy.
void checkEdits(const Text& a, const Text& b, const Text& c, const std::uint8_t* h) {
  const Units& t = a.widened16;
  for (const bool all : {false, true}) {
    Units expected;
    int32 count = 0;
    std::size_t from = 0;
    for (std::size_t at;
         !b.own.empty() && (count == 0 || all) && (at = t.find(b.widened16, from)) != Units::npos;
         ++count, from = at + b.own.size())
      expected += t.substr(from, at - from) + c.widened16;
    expected += t.substr(from);
    String s(a.s);
    const int32 done =
        b.wide ? s.replace(textOf<char16>(b.own).c_str(), textOf<char16>(c.own).c_str(), all)
               : s.replace(textOf<char8>(b.own).c_str(), textOf<char8>(c.own).c_str(), all);
    check(done == count && unitsOf(s) == expected);
    check(s.isWideString() == (a.wide || (count > 0 && b.wide)));
  }

  // The set and the replacement share a width; a zero replacement is a space, and one that
  // the 8-bit string cannot hold changes nothing.
  const char16 wide = char16(h[3] | h[4] << 8);
  const char32_t with = b.wide ? (wide == 0 ? u' ' : wide) : widened(h[3] == 0 ? ' ' : h[3]);
  bool storable = a.wide || !b.wide;
  for (int byte = 1; byte < 256; ++byte) storable = storable || widened(std::uint8_t(byte)) == with;
  Units replaced = t, removed;
  bool any = false;
  for (char32_t& x : replaced)
    if (b.widened16.find(x) != Units::npos) any = true, x = with;
  for (char32_t x : t)
    if (b.widened16.find(x) == Units::npos) removed += x;
  const std::u16string set16 = textOf<char16>(b.own);
  const std::basic_string<char8> set8 = textOf<char8>(b.own);
  String s(a.s), r(a.s);
  check((b.wide ? s.replaceChars16(set16.c_str(), wide)
                : s.replaceChars8(set8.c_str(), char8(h[3]))) == (storable && any));
  check(unitsOf(s) == (storable ? replaced : t));
  check(b.wide ? r.removeChars16(set16.c_str()) : r.removeChars8(set8.c_str()));
  check(unitsOf(r) == removed && r.isWideString() == a.wide);

  // Classes in the string's own width: C library's narrow and wide classes.
  const int group = h[1] % 4;
  Units kept, trimmed(a.own);
  for (char32_t x : a.own)
    if (!inGroup(group, x, a.wide)) kept += x;
  while (!trimmed.empty() && inGroup(group, trimmed.back(), a.wide)) trimmed.pop_back();
  while (!trimmed.empty() && inGroup(group, trimmed.front(), a.wide)) trimmed.erase(0, 1);
  String k(a.s), m(a.s);
  check(k.removeChars(String::CharGroup(group)) == (kept.size() != a.own.size()));
  check(m.trim(String::CharGroup(group)) == (trimmed.size() != a.own.size()));
  check(unitsOf(k) == widenedAll(kept, a.wide) && unitsOf(m) == widenedAll(trimmed, a.wide));
}

// The run of digits that ends the text, and counting it on: the number plus 1 (1 without
// one), at least the minimum, after the separator.
void checkTrailingNumber(const Text& a, const std::uint8_t* h) {
  const Units& t = a.widened16;
  int32 digits = a.length();
  while (digits > 0 && isDigit(a.own[std::size_t(digits - 1)])) --digits;
  if (digits == a.length()) digits = -1;
  const Quillon::uint32 width = h[2] % 40;
  const int32 run = digits < 0 ? 0 : a.length() - digits;
  check(a.s.getTrailingNumberIndex(0) == digits);
  check(a.s.getTrailingNumberIndex(width) == (width > 0 && run != int32(width) ? -1 : digits));
  for (int32 i = -1; i <= a.length(); ++i)
    check(a.s.isDigit(i) == (i >= 0 && i < a.length() && isDigit(a.own[std::size_t(i)])));

  static const char16 kSeparators[] = {0, u' ', u'_', u'\u2014', u'\u4E00'};
  const char16 separator = kSeparators[h[1] / 4 % 5];
  const Quillon::uint32 minNumber = h[4];
  String counted(a.s);
  const bool done = counted.incrementTrailingNumber(width, separator, minNumber);
  std::size_t significant = std::size_t(run);
  for (int32 i = digits; i >= 0 && i < a.length() && a.own[std::size_t(i)] == '0'; ++i)
    --significant;
  if (width > 32) check(!done && unitsOf(counted) == t);
  if (width > 32 || significant > 9) return;
  unsigned long long number = 1;
  int32 keep = a.length();
  if (digits >= 0) {
    number = std::stoull(textOf<char>(Units(a.own, std::size_t(digits)))) + 1;
    keep = digits > 0 && separator != 0 && t[std::size_t(digits - 1)] == separator ? digits - 1
                                                                                   : digits;
  }
  std::string text = std::to_string(std::max<unsigned long long>(number, minNumber));
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  Units expected = t.substr(0, std::size_t(keep));
  if (separator != 0 && keep > 0) expected += separator;
  for (char x : text) expected += char32_t(x);
  check(done && unitsOf(counted) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  const std::uint8_t* h = data;
  std::string fields[3];
  for (std::size_t i = 6, f = 0; i < size; ++i)
    data[i] != 0 ? void(fields[f] += char(data[i])) : void(f = std::min<std::size_t>(f + 1, 2));
  // Now and then the pattern is part of the text, so that searches hit.
  if (h[0] & 4 && !fields[0].empty())
    fields[1] = fields[0].substr(h[1] % fields[0].size(), h[2] % 8);
  const Text a(fields[0], h[0] & 1), b(fields[1], h[0] & 2), c(fields[2], h[0] & 2);
  const int32 index = int32(h[1] % (a.length() + 2));
  const int32 n = int32(h[2] % (b.length() + 3)) - 1;
  const int32 start = int32(h[3] % (a.length() + 4)) - 2;
  checkComparisons(a, b, index, n);
  checkSearch(a, b, start, n);
  const bool fromText = h[0] & 16 && a.length() > 0;
  const char32_t own = fromText ? a.widened16[std::size_t(h[4]) % a.widened16.size()] : 0;
  checkCharSearch(a, h[3] == 0 ? 'a' : h[3], false, start);
  checkCharSearch(a, fromText ? own : h[3] | h[4] << 8 ? h[3] | h[4] << 8 : 'A', true, start);
  checkEdits(a, b, c, h);
  checkTrailingNumber(a, h);
  return 0;
}
