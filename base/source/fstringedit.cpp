// String editing: append, insert, replace, remove and single characters, in either width.
#include <algorithm>
#include <cstring>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

using detail::kIsWide;
using detail::takenCount;
using detail::TextCopy;

namespace {

// Whether `count` more characters still fit behind `length`.
bool fits(uint32 length, int64 count) { return count <= int64(ConstString::kMaxLength - length); }

}  // namespace

// Each edit below follows one width rule: 16-bit text widens an 8-bit string first, 8-bit
// text joins a 16-bit string through a widened temporary, both through code page 0. Text
// that lies inside this string's buffer is copied first, since the edit may reallocate it.

template <typename C>
String& String::appendText(const C* text, int32 n) {
  if (text == nullptr || static_cast<const void*>(text) == buffer) return *this;
  const int32 count = takenCount(text, n);
  if (count <= 0) return *this;
  if (len == 0) return assignText(text, count, true);
  if (ownsPointer(text)) {
    TextCopy<C> copy(text, count);
    return copy.data != nullptr ? appendText(copy.data, count) : *this;
  }
  if constexpr (kIsWide<C>) {
    if (!isWide && !toWideString(kCodePageSystemDefault)) return *this;
  } else if (isWide) {
    String wide(text, count);
    if (!wide.toWideString(kCodePageSystemDefault)) return *this;
    return appendText(wide.buffer16, int32(wide.len));
  }
  const uint32 oldLength = len;
  if (!fits(oldLength, count) || !resize(int32(oldLength) + count, isWide)) return *this;
  C* target = static_cast<C*>(buffer) + oldLength;
  memcpy(target, text, size_t(count) * sizeof(C));
  target[count] = 0;
  len = oldLength + uint32(count);
  return *this;
}

template <typename C>
String& String::appendChar(C c, int32 count) {
  if (count < 1 || c == 0) return *this;
  if (count == 1) {
    const C text[2] = {c, 0};
    return appendText(text, 1);
  }
  if (len == 0) return assignChar(c, count);
  if constexpr (kIsWide<C>) {
    if (!isWide && !toWideString(kCodePageSystemDefault)) return *this;
  } else if (isWide) {
    char16 wide = 0;
    return detail::widenChar(c, wide) ? appendChar(wide, count) : *this;
  }
  const uint32 oldLength = len;
  if (!fits(oldLength, count) || !resize(int32(oldLength) + count, isWide)) return *this;
  C* target = static_cast<C*>(buffer) + oldLength;
  std::fill(target, target + count, c);
  target[count] = 0;
  len = oldLength + uint32(count);
  return *this;
}

template <typename C>
String& String::insertText(int32 index, const C* text, int32 n) {
  if (text == nullptr || index < 0 || uint32(index) > len) return *this;
  const int32 count = takenCount(text, n);
  if (count < 1) return *this;
  if (ownsPointer(text)) {
    TextCopy<C> copy(text, count);
    return copy.data != nullptr ? insertText(index, copy.data, count) : *this;
  }
  if constexpr (kIsWide<C>) {
    if (!isWide && !toWideString(kCodePageSystemDefault)) return *this;
    if (uint32(index) > len) return *this;
  } else if (isWide) {
    String wide(text, count);
    if (!wide.toWideString(kCodePageSystemDefault)) return *this;
    return insertText(index, wide.buffer16, int32(wide.len));
  }
  const uint32 oldLength = len;
  if (!fits(oldLength, count) || !resize(int32(oldLength) + count, isWide)) return *this;
  C* chars = static_cast<C*>(buffer);
  memmove(chars + index + count, chars + index, (oldLength - uint32(index)) * sizeof(C));
  memcpy(chars + index, text, size_t(count) * sizeof(C));
  len = oldLength + uint32(count);
  chars[len] = 0;
  return *this;
}

template <typename C>
String& String::replaceText(int32 index, int32 count, const C* text, int32 textCount) {
  if (text == nullptr || index < 0 || uint32(index) > len) return *this;
  const int32 rest = int32(len) - index;
  if (count < 0 || count > rest) count = rest;
  if (count == 0) return *this;
  const int32 k = takenCount(text, textCount);
  if (ownsPointer(text)) {
    TextCopy<C> copy(text, k);
    return copy.data != nullptr ? replaceText(index, count, copy.data, k) : *this;
  }
  if constexpr (kIsWide<C>) {
    if (!isWide && !toWideString(kCodePageSystemDefault)) return *this;
    if (uint32(index) + uint32(count) > len) return *this;
  } else if (isWide) {
    String wide(text, k);
    if (!wide.toWideString(kCodePageSystemDefault)) return *this;
    return replaceText(index, count, detail::orEmpty(wide.buffer16), int32(wide.len));
  }
  const uint32 oldLength = len;
  const int64 newLength = int64(oldLength) - count + k;
  if (newLength > int64(kMaxLength)) return *this;
  if (newLength > int64(oldLength) && !resize(int32(newLength), isWide)) return *this;
  C* chars = static_cast<C*>(buffer);
  memmove(chars + index + k, chars + index + count,
          (oldLength - uint32(index) - uint32(count)) * sizeof(C));
  memcpy(chars + index, text, size_t(k) * sizeof(C));
  chars[newLength] = 0;
  len = uint32(newLength);
  return *this;
}

template <typename C>
bool String::storeChar(int32 index, C c) {
  if (index < 0) return false;
  if (c == 0 && uint32(index) == len) return true;
  if (uint32(index) >= len) {
    // Pad with spaces up to the character; a zero ends the text where it would go.
    if (c == 0) return resize(index, isWide, true);
    if (uint32(index) >= kMaxLength || !resize(index + 1, isWide, true)) return false;
  }
  if (buffer == nullptr) return false;
  if (isWide) {
    char16 wide = 0;
    if constexpr (kIsWide<C>) {
      wide = c;
    } else if (!detail::widenChar(c, wide)) {
      return true;
    }
    buffer16[index] = wide;
  } else {
    char8 narrow = 0;
    if constexpr (kIsWide<C>) {
      if (!detail::narrowChar(c, narrow)) return false;
    } else {
      narrow = c;
    }
    buffer8[index] = narrow;
  }
  if (c == 0) updateLength();
  return true;
}

String& String::append(const char8* text, int32 n) { return appendText(text, n); }
String& String::append(const char16* text, int32 n) { return appendText(text, n); }
String& String::append(const ConstString& other, int32 n) {
  return detail::withTextOf(
      other, n, [&](auto text, int32 count) -> String& { return appendText(text, count); });
}
String& String::append(char8 c, int32 count) { return appendChar(c, count); }
String& String::append(char16 c, int32 count) { return appendChar(c, count); }

String& String::insertAt(int32 index, const char8* text, int32 n) {
  return insertText(index, text, n);
}
String& String::insertAt(int32 index, const char16* text, int32 n) {
  return insertText(index, text, n);
}
String& String::insertAt(int32 index, const ConstString& other, int32 n) {
  return detail::withTextOf(
      other, n, [&](auto text, int32 count) -> String& { return insertText(index, text, count); });
}

String& String::replace(int32 index, int32 count, const char8* text, int32 textCount) {
  return replaceText(index, count, text, textCount);
}
String& String::replace(int32 index, int32 count, const char16* text, int32 textCount) {
  return replaceText(index, count, text, textCount);
}
String& String::replace(int32 index, int32 count, const ConstString& other, int32 textCount) {
  return detail::withTextOf(other, textCount, [&](auto text, int32 taken) -> String& {
    return replaceText(index, count, text, taken);
  });
}

String& String::remove(int32 index, int32 n) {
  if (buffer == nullptr || index < 0 || uint32(index) >= len || n == 0) return *this;
  const uint32 rest = len - uint32(index);
  uint32 newLength = uint32(index);
  if (n > 0 && uint32(n) < rest) {
    const size_t width = isWide ? 2 : 1;
    char* chars = static_cast<char*>(buffer);
    memmove(chars + (size_t(index) * width), chars + (size_t(index) + size_t(n)) * width,
            (rest - uint32(n)) * width);
    newLength = len - uint32(n);
  }
  // A shrink that cannot reallocate keeps the larger buffer, cut at the new end.
  if (!resize(int32(newLength), isWide)) {
    terminateAt(newLength);
    len = newLength;
  }
  updateLength();
  return *this;
}

bool String::setChar8(int32 index, char8 c) { return storeChar(index, c); }
bool String::setChar16(int32 index, char16 c) { return storeChar(index, c); }

}  // namespace Quillon
