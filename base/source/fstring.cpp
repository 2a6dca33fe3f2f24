// ConstString and String: reading, storage, assignment, width conversion and buffer hand-over.
#include "base/source/fstring.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/source/fstringdetail.h"
#include "interfaces/istringresult.h"

namespace Quillon {

using detail::kIsWide;
using detail::textLength;

namespace {

// Copies characters of the destination's width, converting a text of the other width
// through code page 0 in a temporary first.
template <typename C>
int32 copyOut(const ConstString& source, C* destination, int32 index, int32 n) {
  if (destination == nullptr) return 0;
  if (source.isWideString() != kIsWide<C>) {
    String converted(source);
    const bool converts = kIsWide<C> ? converted.toWideString(kCodePageSystemDefault)
                                     : converted.toMultiByte(kCodePageSystemDefault);
    return converts ? copyOut(converted, destination, index, n) : 0;
  }
  const C* text = static_cast<const C*>(source.ptr());
  const int32 length = source.length();
  if (text == nullptr || index < 0 || index >= length) {
    destination[0] = 0;
    return 0;
  }
  const int32 count = n < 0 || n > length - index ? length - index : n;
  memcpy(destination, text + index, size_t(count) * sizeof(C));
  destination[count] = 0;
  return count;
}

size_t byteSize(int32 length, bool wide) { return (size_t(length) + 1) * (wide ? 2 : 1); }

// Text up to this many characters converts through the stack, so that the string reuses or
// resizes its own buffer instead of allocating a second one beside it (names, labels).
constexpr int32 kShortText = 128;

}  // namespace

namespace detail {

bool widenChar(char8 c, char16& wide) {
  const char8 text[2] = {c, 0};
  char16 converted[3] = {};
  if (decodeMultiByte(converted, text, 2, kCodePageSystemDefault) != 2) return false;
  wide = converted[0];
  return true;
}

bool narrowChar(char16 c, char8& narrow) {
  const char16 text[2] = {c, 0};
  char8 converted[8] = {};
  if (encodeWide(converted, text, int32(sizeof converted), kCodePageSystemDefault) != 2)
    return false;
  narrow = converted[0];
  return true;
}

}  // namespace detail

// --- ConstString ---

ConstString::ConstString(const char8* text)
    : buffer8(const_cast<char8*>(text)), len(uint32(textLength(text))), isWide(0) {}

ConstString::ConstString(const char16* text)
    : buffer16(const_cast<char16*>(text)), len(uint32(textLength(text))), isWide(1) {}

ConstString::ConstString(const ConstString& other, int32 offset) : ConstString(other) {
  if (offset <= 0 || buffer == nullptr) return;
  const uint32 skipped = std::min(uint32(offset), uint32(len));
  if (isWide)
    buffer16 += skipped;
  else
    buffer8 += skipped;
  len = len - skipped;
}

const char8* ConstString::text8() const {
  return !isWide && buffer != nullptr ? buffer8 : kEmptyString8;
}

const char16* ConstString::text16() const {
  return isWide && buffer != nullptr ? buffer16 : kEmptyString16;
}

char8 ConstString::getChar8(int32 index) const {
  if (isWide || buffer == nullptr || index < 0 || uint32(index) >= len) return 0;
  return buffer8[index];
}

char16 ConstString::getChar16(int32 index) const {
  if (!isWide || buffer == nullptr || index < 0 || uint32(index) >= len) return 0;
  return buffer16[index];
}

bool ConstString::isAsciiString() const {
  if (buffer == nullptr) return true;
  if (isWide) return std::all_of(buffer16, buffer16 + len, [](char16 c) { return c <= 127; });
  return std::all_of(buffer8, buffer8 + len, [](char8 c) { return (uint8(c) & 0x80) == 0; });
}

int32 ConstString::copyTo8(char8* destination, int32 index, int32 n) const {
  return copyOut(*this, destination, index, n);
}

int32 ConstString::copyTo16(char16* destination, int32 index, int32 n) const {
  return copyOut(*this, destination, index, n);
}

void ConstString::copyTo(IStringResult* result) const {
  if (result == nullptr) return;
  if (!isWide) {
    result->setText(text8());
    return;
  }
  if (FUnknownPtr<IString> string(result); string) {
    string->setText16(text16());
    return;
  }
  String narrow(*this);
  narrow.toMultiByte(kCodePageSystemDefault);
  result->setText(narrow.text8());
}

bool ConstString::extract(String& result, int32 index, int32 n) const {
  if (buffer == nullptr || index < 0 || uint32(index) >= len) return false;
  const int32 count = n < 0 || n > int32(len) - index ? int32(len) - index : n;
  // Built apart, so that `result` may be this very string.
  String part;
  const bool copied =
      isWide ? part.assign(buffer16 + index, count).length() == textLength(buffer16 + index, count)
             : part.assign(buffer8 + index, count).length() == textLength(buffer8 + index, count);
  if (!copied) return false;
  result.take(part);
  return true;
}

// --- String: construction and reading ---

String::String(const char8* text, int32 n, bool isTerminated) {
  if (text != nullptr) assign(text, n, isTerminated);
}

String::String(const char16* text, int32 n, bool isTerminated) {
  isWide = 1;
  if (text != nullptr) assign(text, n, isTerminated);
}

String::String(const String& other, int32 n) : ConstString() {
  isWide = other.isWide;
  assign(other, n);
}

String::String(const ConstString& other, int32 n) {
  isWide = other.isWideString();
  assign(other, n);
}

String::String(String&& other) noexcept : ConstString() {
  isWide = other.isWide;
  take(other);
}

String& String::operator=(String&& other) noexcept {
  take(other);
  return *this;
}

String::~String() { free(buffer); }

const char8* String::text8() const {
  if (isWide) const_cast<String*>(this)->toMultiByte(kCodePageSystemDefault);
  return ConstString::text8();
}

const char16* String::text16() const {
  if (!isWide) const_cast<String*>(this)->toWideString(kCodePageSystemDefault);
  return ConstString::text16();
}

char8 String::getChar8(int32 index) const {
  if (isWide) const_cast<String*>(this)->toMultiByte(kCodePageSystemDefault);
  return ConstString::getChar8(index);
}

char16 String::getChar16(int32 index) const {
  if (!isWide) const_cast<String*>(this)->toWideString(kCodePageSystemDefault);
  return ConstString::getChar16(index);
}

// --- Conversion ---

int32 String::multiByteToWideString(char16* destination, const char8* source, int32 charCount,
                                    uint32 codePage) {
  return detail::decodeMultiByte(destination, source, charCount, codePage);
}

int32 String::wideStringToMultiByte(char8* destination, const char16* source, int32 byteCount,
                                    uint32 codePage) {
  return detail::encodeWide(destination, source, byteCount, codePage);
}

bool String::toWideString(uint32 codePage) {
  if (isWide) return true;
  if (buffer == nullptr || len == 0 || buffer8[0] == 0) {
    clear(true);
    return true;
  }
  // No character set here decodes a byte into more than one 16-bit character, so the byte
  // count bounds the result: one pass, then the exact size.
  if (len <= uint32(kShortText)) {
    char16 local[kShortText + 1];
    const int32 converted = multiByteToWideString(local, buffer8, int32(len), codePage);
    if (converted < 1) return false;
    const int32 length = converted - 1;
    void* resized = realloc(buffer, byteSize(length, true));
    if (resized == nullptr) return false;
    memcpy(resized, local, byteSize(length, true));
    buffer16 = static_cast<char16*>(resized);
    isWide = 1;
    len = uint32(length);
    return true;
  }
  auto* wide = static_cast<char16*>(malloc(byteSize(int32(len), true)));
  if (wide == nullptr) return false;
  const int32 converted = multiByteToWideString(wide, buffer8, int32(len), codePage);
  if (converted < 1) {
    free(wide);
    return false;
  }
  const int32 length = converted - 1;
  if (uint32(length) < len) {
    if (void* exact = realloc(wide, byteSize(length, true))) wide = static_cast<char16*>(exact);
  }
  free(buffer);
  buffer16 = wide;
  isWide = 1;
  len = uint32(length);
  return true;
}

bool String::toMultiByte(uint32 codePage) {
  if (!isWide) {
    if (codePage == kCodePageSystemDefault) return true;
    // 8-bit text is in the system code page: re-encode it through 16-bit.
    return toWideString(kCodePageSystemDefault) && toMultiByte(codePage);
  }
  if (buffer == nullptr || len == 0 || buffer16[0] == 0) {
    clear(false);
    return true;
  }
  // The bound from the known length, as wideStringToMultiByte would give it without a scan.
  const int64 bound = int64(len) * detail::maxBytesPerChar(codePage);
  if (bound > int64(kMaxLength)) return false;
  if (bound <= int64(kShortText)) {
    char8 local[kShortText + 1];
    const int32 converted = wideStringToMultiByte(local, buffer16, int32(bound) + 1, codePage);
    if (converted < 1) return false;
    // Bytes that fit where the 16-bit text was stay there; the spare room goes with the next
    // change of length, as for the bound-sized buffer below.
    const size_t size = size_t(converted);
    void* target = buffer;
    if (size > byteSize(int32(len), true) && (target = realloc(buffer, size)) == nullptr)
      return false;
    memcpy(target, local, size);
    buffer8 = static_cast<char8*>(target);
    isWide = 0;
    len = uint32(converted - 1);
    return true;
  }
  auto* narrow = static_cast<char8*>(malloc(byteSize(int32(bound), false)));
  if (narrow == nullptr) return false;
  const int32 converted = wideStringToMultiByte(narrow, buffer16, int32(bound) + 1, codePage);
  if (converted < 1) {
    free(narrow);
    return false;
  }
  // The buffer keeps the bound's size: shrinking it would cost more than the conversion, and
  // the next change of length reallocates it exactly.
  free(buffer);
  buffer8 = narrow;
  isWide = 0;
  len = uint32(converted - 1);
  return true;
}

bool String::fromUTF8(const char8* text) {
  assign(text);
  return toWideString(kCodePageUtf8);
}

void String::toPascalString(unsigned char* destination) const {
  if (destination == nullptr) return;
  destination[0] = 0;
  if (buffer == nullptr) return;
  if (isWide) {
    String narrow(*this);
    if (narrow.toMultiByte(kCodePageSystemDefault)) narrow.toPascalString(destination);
    return;
  }
  const uint32 count = std::min(uint32(len), 255u);
  destination[0] = static_cast<unsigned char>(count);
  memcpy(destination + 1, buffer8, count);
}

bool String::fromPascalString(const unsigned char* source) {
  if (source == nullptr) return false;
  const int32 count = source[0];
  assign(reinterpret_cast<const char8*>(source + 1), count, false);
  return int32(len) == count && !isWide;
}

// --- Assignment and storage ---

template <typename C>
String& String::assignText(const C* text, int32 n, bool isTerminated) {
  if (text != nullptr && static_cast<const void*>(text) == buffer) return *this;
  if (!isTerminated && n < 0) return *this;
  const int32 count = text == nullptr ? 0 : isTerminated ? detail::takenCount(text, n) : n;
  if (count == 0) {
    clear(kIsWide<C>);
    return *this;
  }
  if (ownsPointer(text)) {
    detail::TextCopy<C> copy(text, count);
    return copy.data != nullptr ? assignText(copy.data, count, false) : *this;
  }
  if (!resize(count, kIsWide<C>)) return *this;
  C* target = static_cast<C*>(buffer);
  memcpy(target, text, size_t(count) * sizeof(C));
  target[count] = 0;
  len = uint32(count);
  return *this;
}

template <typename C>
String& String::assignChar(C c, int32 count) {
  if (count < 1 || c == 0) {
    clear(kIsWide<C>);
    return *this;
  }
  if (!resize(count, kIsWide<C>)) return *this;
  C* target = static_cast<C*>(buffer);
  std::fill(target, target + count, c);
  target[count] = 0;
  len = uint32(count);
  return *this;
}

String& String::assign(const char8* text, int32 n, bool isTerminated) {
  return assignText(text, n, isTerminated);
}

String& String::assign(const char16* text, int32 n, bool isTerminated) {
  return assignText(text, n, isTerminated);
}

String& String::assign(const ConstString& other, int32 n) {
  return detail::withTextOf(
      other, n, [&](auto text, int32 count) -> String& { return assignText(text, count, true); });
}

String& String::assign(char8 c, int32 count) { return assignChar(c, count); }

String& String::assign(char16 c, int32 count) { return assignChar(c, count); }

bool String::resize(int32 newLength, bool wide, bool fill) {
  if (newLength < 0 || uint32(newLength) > kMaxLength) return false;
  if (newLength == 0) {
    clear(wide);
    return true;
  }
  const size_t newSize = byteSize(newLength, wide);
  const size_t oldSize = buffer == nullptr ? 0 : byteSize(int32(len), isWide);
  if (buffer == nullptr) {
    buffer = malloc(newSize);
    if (buffer == nullptr) return false;
    len = 0;
  } else if (newSize != oldSize) {
    void* resized = realloc(buffer, newSize);
    if (resized == nullptr) return false;
    buffer = resized;
  }
  // Bytes that a change of width brings into the text start as zeros, not as whatever the
  // allocator left there.
  if (wide != bool(isWide) && newSize > oldSize)
    memset(static_cast<char*>(buffer) + oldSize, 0, newSize - oldSize);
  isWide = wide;
  if (fill && uint32(newLength) > len) {
    if (wide)
      std::fill(buffer16 + len, buffer16 + newLength, char16(' '));
    else
      std::fill(buffer8 + len, buffer8 + newLength, ' ');
    len = uint32(newLength);
  }
  if (len > uint32(newLength)) len = uint32(newLength);
  // Zeros at the text's end and at the new end keep every reader inside the text and the
  // buffer, whatever the caller writes next.
  terminateAt(uint32(newLength));
  terminateAt(len);
  return true;
}

void String::terminateAt(uint32 index) {
  if (isWide)
    buffer16[index] = 0;
  else
    buffer8[index] = 0;
}

void String::clear(bool wide) {
  free(buffer);
  buffer = nullptr;
  len = 0;
  isWide = wide;
}

bool String::ownsPointer(const void* p) const {
  if (buffer == nullptr || p == nullptr) return false;
  const auto begin = reinterpret_cast<uintptr_t>(buffer);
  const auto at = reinterpret_cast<uintptr_t>(p);
  return at >= begin && at < begin + byteSize(int32(len), isWide);
}

// --- Buffer hand-over ---

void String::take(String& other) {
  if (&other == this) return;
  free(buffer);
  buffer = other.buffer;
  len = other.len;
  isWide = other.isWide;
  other.buffer = nullptr;
  other.len = 0;
}

void String::take(void* newBuffer, bool wide) {
  if (newBuffer != buffer) free(buffer);
  buffer = newBuffer;
  isWide = wide;
  updateLength();
}

void* String::pass() {
  void* handed = buffer;
  buffer = nullptr;
  len = 0;
  return handed;
}

void String::swapContent(String& other) {
  std::swap(buffer, other.buffer);
  const uint32 length = len, wide = isWide;
  len = other.len;
  isWide = other.isWide;
  other.len = length;
  other.isWide = wide;
}

void String::updateLength() {
  if (buffer == nullptr) {
    len = 0;
    return;
  }
  const int32 length = isWide ? textLength(buffer16) : textLength(buffer8);
  // Text beyond the longest length is cut there, so `len` always reaches a zero.
  if (uint32(length) == kMaxLength) terminateAt(kMaxLength);
  len = uint32(length);
}

// The editing operations assign through these.
template String& String::assignText(const char8*, int32, bool);
template String& String::assignText(const char16*, int32, bool);
template String& String::assignChar(char8, int32);
template String& String::assignChar(char16, int32);

}  // namespace Quillon
