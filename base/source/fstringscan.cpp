// Reading integers, hexadecimal bytes and floating-point numbers out of 8-bit and 16-bit text.
#include <cctype>
#include <cstdlib>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

namespace {

// Reads with `read` at the start of `text`, and with `scanToEnd` at each later position until
// a number is read. The C library's strto* read what sscanf's %lld, %llu and %x read, and
// what %lf reads once sscanfRejectsFloat has ruled out the texts where the two differ,
// without measuring the rest of the text at every attempt as sscanf does.
template <typename Read>
bool scanFrom(const char8* text, bool scanToEnd, Read read) {
  if (text == nullptr) return false;
  for (const char8* at = text; *at != 0; ++at) {
    if (read(at)) return true;
    if (!scanToEnd) return false;
  }
  return false;
}

// Stores what `convert` reads at `at` in `value` when it reads anything.
template <typename T, typename Convert>
bool readAt(const char8* at, T& value, Convert convert) {
  char* end = nullptr;
  const auto read = convert(at, &end);
  if (end == at) return false;
  value = T(read);
  return true;
}

bool scanInt64Text(const char8* text, int64& value, bool scanToEnd) {
  return scanFrom(text, scanToEnd, [&](const char8* at) {
    return readAt(at, value, [](const char8* p, char** end) { return strtoll(p, end, 10); });
  });
}

bool scanUInt64Text(const char8* text, uint64& value, bool scanToEnd) {
  return scanFrom(text, scanToEnd, [&](const char8* at) {
    return readAt(at, value, [](const char8* p, char** end) { return strtoull(p, end, 10); });
  });
}

bool scanHexText(const char8* text, uint8& value, bool scanToEnd) {
  return scanFrom(text, scanToEnd, [&](const char8* at) {
    // Read as an unsigned int, as %x does; the byte keeps the low 8 bits.
    return readAt(at, value,
                  [](const char8* p, char** end) { return uint8(unsigned(strtoul(p, end, 16))); });
  });
}

bool isSpace(char8 c) { return isspace(uint8(c)) != 0; }
bool isHexDigit(char8 c) { return isxdigit(uint8(c)) != 0; }

// Whether the ASCII letters of `lower` start `text`, in either case.
bool startsWithNoCase(const char8* text, const char8* lower) {
  for (; *lower != 0; ++text, ++lower)
    if (*text == 0 || (*text | 0x20) != *lower) return false;
  return true;
}

// sscanf's %lf gives up where strtod reads a prefix: on "0x" that neither a hex digit nor a
// point follows (strtod reads the 0), and on "inf" followed by an "inity" cut short or
// misspelt (strtod reads the inf).
bool sscanfRejectsFloat(const char8* at) {
  while (isSpace(*at)) ++at;
  if (*at == '+' || *at == '-') ++at;
  if (at[0] == '0' && (at[1] | 0x20) == 'x') return !isHexDigit(at[2]) && at[2] != '.';
  return startsWithNoCase(at, "infi") && !startsWithNoCase(at, "infinity");
}

bool scanFloatText(const char8* text, double& value, bool scanToEnd) {
  return scanFrom(text, scanToEnd, [&](const char8* at) {
    return !sscanfRejectsFloat(at) &&
           readAt(at, value, [](const char8* p, char** end) { return strtod(p, end); });
  });
}

// Calls `scan` with the code page 0 narrowing of zero-terminated 16-bit `text`.
template <typename Scan>
bool scanNarrowed(const char16* text, Scan scan) {
  if (text == nullptr) return false;
  String narrow(text);
  return narrow.toMultiByte(kCodePageSystemDefault) && scan(narrow.text8());
}

}  // namespace

bool ConstString::scanInt64_8(const char8* text, int64& value, bool scanToEnd) {
  return scanInt64Text(text, value, scanToEnd);
}

bool ConstString::scanInt64_16(const char16* text, int64& value, bool scanToEnd) {
  return scanNarrowed(text, [&](const char8* t) { return scanInt64Text(t, value, scanToEnd); });
}

bool ConstString::scanUInt64_8(const char8* text, uint64& value, bool scanToEnd) {
  return scanUInt64Text(text, value, scanToEnd);
}

bool ConstString::scanUInt64_16(const char16* text, uint64& value, bool scanToEnd) {
  return scanNarrowed(text, [&](const char8* t) { return scanUInt64Text(t, value, scanToEnd); });
}

bool ConstString::scanHex_8(const char8* text, uint8& value, bool scanToEnd) {
  return scanHexText(text, value, scanToEnd);
}

bool ConstString::scanHex_16(const char16* text, uint8& value, bool scanToEnd) {
  return scanNarrowed(text, [&](const char8* t) { return scanHexText(t, value, scanToEnd); });
}

bool ConstString::scanInt64(int64& value, int32 offset, bool scanToEnd) const {
  if (buffer == nullptr || offset < 0 || uint32(offset) >= len) return false;
  return isWide ? scanInt64_16(buffer16 + offset, value, scanToEnd)
                : scanInt64_8(buffer8 + offset, value, scanToEnd);
}

bool ConstString::scanUInt64(uint64& value, int32 offset, bool scanToEnd) const {
  if (buffer == nullptr || offset < 0 || uint32(offset) >= len) return false;
  return isWide ? scanUInt64_16(buffer16 + offset, value, scanToEnd)
                : scanUInt64_8(buffer8 + offset, value, scanToEnd);
}

bool ConstString::scanHex(uint8& value, int32 offset, bool scanToEnd) const {
  if (buffer == nullptr || offset < 0 || uint32(offset) >= len) return false;
  return isWide ? scanHex_16(buffer16 + offset, value, scanToEnd)
                : scanHex_8(buffer8 + offset, value, scanToEnd);
}

bool ConstString::scanInt32(int32& value, int32 offset, bool scanToEnd) const {
  int64 wide = 0;
  if (!scanInt64(wide, offset, scanToEnd)) return false;
  value = int32(uint32(uint64(wide)));
  return true;
}

bool ConstString::scanUInt32(uint32& value, int32 offset, bool scanToEnd) const {
  uint64 wide = 0;
  if (!scanUInt64(wide, offset, scanToEnd)) return false;
  value = uint32(wide);
  return true;
}

bool ConstString::scanFloat(double& value, int32 offset, bool scanToEnd) const {
  if (buffer == nullptr || offset < 0 || uint32(offset) >= len) return false;
  // The copy starts at `offset`, so that narrowing, which may write one byte for two 16-bit
  // characters, cannot move the start.
  String copy(ConstString(*this, offset));
  const int32 comma =
      isWide ? detail::findExact(static_cast<const char16*>(copy.ptr()), copy.length(), 0, u",", 1)
             : detail::findExact(static_cast<const char8*>(copy.ptr()), copy.length(), 0, ",", 1);
  if (comma >= 0 && isWide) copy.setChar16(comma, u'.');
  if (comma >= 0 && !isWide) copy.setChar8(comma, '.');
  if (!copy.toMultiByte(kCodePageSystemDefault)) return false;
  return scanFloatText(copy.text8(), value, scanToEnd);
}

}  // namespace Quillon
