// Exact search, find-and-replace, replacing and removing characters by set or class, trimming.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

using detail::kIsWide;

namespace {

// The 16-bit character of each byte in code page 0, which decodes every byte to exactly one.
const char16* systemCodePageChars() {
  static const struct Table {
    char16 chars[257] = {};
    Table() {
      char8 bytes[256];
      for (int32 b = 1; b < 256; ++b) bytes[b - 1] = char8(b);
      bytes[255] = 0;
      detail::decodeMultiByte(chars + 1, bytes, 255, kCodePageSystemDefault);
    }
  } table;
  return table.chars;
}

}  // namespace

namespace detail {

bool narrowCharExactly(char16 c, char8& narrow) {
  char8 candidate = 0;
  if (!narrowChar(c, candidate) || systemCodePageChars()[uint8(candidate)] != c) return false;
  narrow = candidate;
  return true;
}

int32 findExact(const char8* text, int32 length, int32 start, const char8* pattern,
                int32 patternLength) {
  if (start < 0) start = 0;
  if (text == nullptr || patternLength < 1 || start > length - patternLength) return -1;
  const void* found = memmem(text + start, size_t(length - start), pattern, size_t(patternLength));
  return found == nullptr ? -1 : int32(static_cast<const char8*>(found) - text);
}

int32 findExact(const char16* text, int32 length, int32 start, const char16* pattern,
                int32 patternLength) {
  if (start < 0) start = 0;
  if (text == nullptr || patternLength < 1 || start > length - patternLength) return -1;
  const int32 last = patternLength - 1;
  if (last == 0) {
    const char16* found =
        std::char_traits<char16>::find(text + start, size_t(length - start), pattern[0]);
    return found == nullptr ? -1 : int32(found - text);
  }
  // Horspool: the window's last character says how far the window may move. The table is
  // keyed by the character's low byte, which keeps it small and only makes shifts shorter.
  int32 shift[256];
  for (int32& s : shift) s = patternLength;
  for (int32 i = 0; i < last; ++i) shift[pattern[i] & 0xFF] = last - i;
  const char16 lastChar = pattern[last];
  for (int32 at = start; at <= length - patternLength;) {
    const char16 c = text[at + last];
    if (c == lastChar && memcmp(text + at, pattern, size_t(last) * sizeof(char16)) == 0) return at;
    at += shift[c & 0xFF];
  }
  return -1;
}

}  // namespace detail

namespace {

bool contains(const char16* set, char16 c) {
  for (; *set != 0; ++set)
    if (*set == c) return true;
  return false;
}

// Which characters of a string of width S belong to a zero-terminated set of either width,
// compared in 16-bit when the widths differ. `ok` is false when the set cannot be converted.
template <typename S>
class CharSet;

template <>
class CharSet<char8> {
 public:
  explicit CharSet(const char8* set) {
    for (; *set != 0; ++set) member[uint8(*set)] = true;
  }
  explicit CharSet(const char16* set) {
    const char16* chars = systemCodePageChars();
    for (int32 b = 1; b < 256; ++b) member[b] = contains(set, chars[b]);
  }
  bool operator()(char8 c) const { return member[uint8(c)]; }

  bool ok = true;

 private:
  bool member[256] = {};
};

template <>
class CharSet<char16> {
 public:
  explicit CharSet(const char16* set) : chars(set) {}
  explicit CharSet(const char8* set) : widened(set) {
    ok = widened.toWideString(kCodePageSystemDefault);
    if (widened.ptr() != nullptr) chars = static_cast<const char16*>(widened.ptr());
  }
  bool operator()(char16 c) const { return c != 0 && contains(chars, c); }

  bool ok = true;

 private:
  String widened;
  const char16* chars = u"";
};

// A replacement character in the string's width S; false when it has no one-character form.
bool convertChar(char8 c, char8& out) { return (out = c), true; }
bool convertChar(char16 c, char16& out) { return (out = c), true; }
bool convertChar(char8 c, char16& out) { return detail::widenChar(c, out); }
bool convertChar(char16 c, char8& out) { return detail::narrowCharExactly(c, out); }

template <typename S, typename C>
bool replaceCharsIn(S* chars, int32 length, const C* set, C replacement) {
  if (set == nullptr) return false;
  S with = 0;
  if (!convertChar(replacement == 0 ? C(' ') : replacement, with)) return false;
  const CharSet<S> member(set);
  if (!member.ok) return false;
  bool replaced = false;
  for (int32 i = 0; i < length; ++i) {
    if (member(chars[i])) {
      chars[i] = with;
      replaced = true;
    }
  }
  return replaced;
}

// Moves the characters that `removed` rejects to the front; the count kept.
template <typename S, typename Removed>
int32 compact(S* chars, int32 length, Removed removed) {
  int32 kept = 0;
  for (int32 i = 0; i < length; ++i)
    if (!removed(chars[i])) chars[kept++] = chars[i];
  return kept;
}

// The test of a character group in either width; null for a group that selects nothing.
using Test8 = bool (*)(char8);
using Test16 = bool (*)(char16);

Test8 groupTest8(String::CharGroup group) {
  switch (group) {
    case String::kSpace:
      return [](char8 c) { return isspace(uint8(c)) != 0; };
    case String::kNotAlphaNum:
      return [](char8 c) { return isalnum(uint8(c)) == 0; };
    case String::kNotAlpha:
      return [](char8 c) { return isalpha(uint8(c)) == 0; };
  }
  return nullptr;
}

Test16 groupTest16(String::CharGroup group) {
  switch (group) {
    case String::kSpace:
      return [](char16 c) { return iswspace(wint_t(c)) != 0; };
    case String::kNotAlphaNum:
      return [](char16 c) { return iswalnum(wint_t(c)) == 0; };
    case String::kNotAlpha:
      return [](char16 c) { return iswalpha(wint_t(c)) == 0; };
  }
  return nullptr;
}

// The length of the text once the runs of `removed` characters at both ends are moved out,
// the rest moved to the front.
template <typename S, typename Removed>
int32 trimEnds(S* chars, int32 length, Removed removed) {
  int32 front = 0;
  while (front < length && removed(chars[front])) ++front;
  int32 end = length;
  while (end > front && removed(chars[end - 1])) --end;
  if (front > 0) memmove(chars, chars + front, size_t(end - front) * sizeof(S));
  return end - front;
}

// Non-overlapping matches of `pattern` in `text` from 0; at most one unless `all`.
template <typename W>
int32 countMatches(const W* text, int32 length, const W* pattern, int32 patternLength, bool all) {
  int32 count = 0;
  for (int32 at = detail::findExact(text, length, 0, pattern, patternLength); at >= 0;
       at = detail::findExact(text, length, at + patternLength, pattern, patternLength)) {
    ++count;
    if (!all) break;
  }
  return count;
}

// The `length` characters of `own` with the first `count` matches (found in the
// `textLength` characters of `text`, which are `own`'s in the search width W, ending early
// at an embedded zero) replaced by `with`; null when out of memory.
template <typename S, typename W>
S* replacedCopy(const S* own, int32 length, const W* text, int32 textLength, const W* pattern,
                int32 patternLength, const S* with, int32 withLength, int32 count,
                int32 newLength) {
  auto* out = static_cast<S*>(malloc((size_t(newLength) + 1) * sizeof(S)));
  if (out == nullptr) return nullptr;
  int32 from = 0, to = 0;
  for (int32 i = 0; i < count; ++i) {
    const int32 at = detail::findExact(text, textLength, from, pattern, patternLength);
    memcpy(out + to, own + from, size_t(at - from) * sizeof(S));
    to += at - from;
    if (withLength > 0) memcpy(out + to, with, size_t(withLength) * sizeof(S));
    to += withLength;
    from = at + patternLength;
  }
  memcpy(out + to, own + from, size_t(length - from) * sizeof(S));
  out[newLength] = 0;
  return out;
}

// Replaces in a string of width S, whose replacement text `with` is already in that width.
template <typename S>
int32 replaceIn(String& s, const ConstString& pattern, const S* with, bool all) {
  const auto* own = static_cast<const S*>(s.ptr());
  const int32 length = s.length();
  const int32 withLength = detail::textLength(with);
  const auto finish = [&](const auto* text, int32 textLength, const auto* patternChars) -> int32 {
    const int32 m = pattern.length();
    const int32 count = countMatches(text, textLength, patternChars, m, all);
    const int64 newLength = int64(length) + int64(count) * (withLength - m);
    if (count == 0 || newLength > int64(ConstString::kMaxLength)) return 0;
    if (newLength == 0) {
      s.resize(0, kIsWide<S>);
      return count;
    }
    S* out = replacedCopy(own, length, text, textLength, patternChars, m, with, withLength, count,
                          int32(newLength));
    if (out == nullptr) return 0;
    s.take(out, kIsWide<S>);
    return count;
  };
  if constexpr (!kIsWide<S>) {
    if (!pattern.isWideString())
      return finish(own, length, static_cast<const char8*>(pattern.ptr()));
  }
  const detail::WideText text(s), patternText(pattern);
  if (!text.ok || !patternText.ok) return 0;
  return finish(text.chars, text.length, patternText.chars);
}

// Whether `pattern` occurs in `text`, compared in 16-bit when the widths differ.
bool occursIn(const ConstString& text, const ConstString& pattern) {
  if (!text.isWideString() && !pattern.isWideString())
    return detail::findExact(static_cast<const char8*>(text.ptr()), text.length(), 0,
                             static_cast<const char8*>(pattern.ptr()), pattern.length()) >= 0;
  const detail::WideText wideText(text), widePattern(pattern);
  return wideText.ok && widePattern.ok &&
         detail::findExact(wideText.chars, wideText.length, 0, widePattern.chars,
                           widePattern.length) >= 0;
}

template <typename C>
int32 replaceOccurrences(String& s, const C* toReplace, const C* toReplaceWith, bool all) {
  if (toReplace == nullptr || toReplaceWith == nullptr) return 0;
  const ConstString pattern(toReplace);
  // Nothing changes, not even the width, unless there is something to replace.
  if (pattern.length() == 0 || !occursIn(s, pattern)) return 0;
  if constexpr (kIsWide<C>) {
    if (!s.isWideString() && !s.toWideString(kCodePageSystemDefault)) return 0;
    return replaceIn(s, pattern, toReplaceWith, all);
  } else {
    if (!s.isWideString()) return replaceIn(s, pattern, toReplaceWith, all);
    String with(toReplaceWith);
    if (!with.toWideString(kCodePageSystemDefault)) return 0;
    return replaceIn(s, pattern, with.text16(), all);
  }
}

}  // namespace

int32 String::replace(const char8* toReplace, const char8* toReplaceWith, bool all) {
  return replaceOccurrences(*this, toReplace, toReplaceWith, all);
}

int32 String::replace(const char16* toReplace, const char16* toReplaceWith, bool all) {
  return replaceOccurrences(*this, toReplace, toReplaceWith, all);
}

bool String::replaceChars8(const char8* characters, char8 replacement) {
  return isWide ? replaceCharsIn(buffer16, int32(len), characters, replacement)
                : replaceCharsIn(buffer8, int32(len), characters, replacement);
}

bool String::replaceChars16(const char16* characters, char16 replacement) {
  return isWide ? replaceCharsIn(buffer16, int32(len), characters, replacement)
                : replaceCharsIn(buffer8, int32(len), characters, replacement);
}

namespace {

// Shortens `s` to `newLength`; a shrink that cannot reallocate keeps the larger buffer.
void shortenTo(String& s, int32 newLength, void* buffer, bool wide) {
  if (s.resize(newLength, wide)) return;
  if (wide)
    static_cast<char16*>(buffer)[newLength] = 0;
  else
    static_cast<char8*>(buffer)[newLength] = 0;
  s.updateLength();
}

}  // namespace

bool String::removeChars8(const char8* characters) {
  if (characters == nullptr) return true;
  if (isWide) {
    const CharSet<char16> member(characters);
    if (!member.ok) return false;
    if (buffer != nullptr) shortenTo(*this, compact(buffer16, int32(len), member), buffer, true);
  } else if (buffer != nullptr) {
    shortenTo(*this, compact(buffer8, int32(len), CharSet<char8>(characters)), buffer, false);
  }
  return true;
}

bool String::removeChars16(const char16* characters) {
  if (characters == nullptr) return true;
  if (isWide) {
    if (buffer != nullptr)
      shortenTo(*this, compact(buffer16, int32(len), CharSet<char16>(characters)), buffer, true);
  } else if (buffer != nullptr) {
    shortenTo(*this, compact(buffer8, int32(len), CharSet<char8>(characters)), buffer, false);
  }
  return true;
}

bool String::removeChars(CharGroup group) {
  if (buffer == nullptr || len == 0) return false;
  const int32 oldLength = int32(len);
  int32 kept = oldLength;
  if (isWide) {
    if (Test16 test = groupTest16(group)) kept = compact(buffer16, oldLength, test);
  } else if (Test8 test = groupTest8(group)) {
    kept = compact(buffer8, oldLength, test);
  }
  if (kept == oldLength) return false;
  shortenTo(*this, kept, buffer, isWide);
  return true;
}

bool String::trim(CharGroup group) {
  if (buffer == nullptr || len == 0) return false;
  const int32 oldLength = int32(len);
  int32 kept = oldLength;
  if (isWide) {
    if (Test16 test = groupTest16(group)) kept = trimEnds(buffer16, oldLength, test);
  } else if (Test8 test = groupTest8(group)) {
    kept = trimEnds(buffer8, oldLength, test);
  }
  if (kept == oldLength) return false;
  shortenTo(*this, kept, buffer, isWide);
  return true;
}

}  // namespace Quillon
