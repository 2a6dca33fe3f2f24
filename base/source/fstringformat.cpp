// Formatting into a String: printf in both widths, integers, floats and trailing numbers.
#include <cstdio>
#include <cstring>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

namespace {

// The 8-bit formatter's buffer and the 16-bit formatter's limit.
constexpr int32 kPrintBufferSize = 4096;

// Assigns zero-terminated `text` and tells whether all of it arrived.
template <typename C>
bool assignWhole(String& s, const C* text) {
  return s.assign(text).length() == detail::textLength(text);
}

// Assigns ASCII `text` in 16-bit or 8-bit.
bool assignAscii(String& s, const char8* text, bool wide) {
  if (!wide) return assignWhole(s, text);
  char16 widened[512];
  size_t i = 0;
  for (; text[i] != 0 && i + 1 < sizeof widened / sizeof *widened; ++i)
    widened[i] = char16(text[i]);
  widened[i] = 0;
  return assignWhole(s, widened);
}

}  // namespace

bool String::printf(const char8* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const bool formatted = vprintf(format, arguments);
  va_end(arguments);
  return formatted;
}

bool String::printf(const char16* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const bool formatted = vprintf(format, arguments);
  va_end(arguments);
  return formatted;
}

bool String::vprintf(const char8* format, va_list arguments) {
  if (format == nullptr) return false;
  char8 text[kPrintBufferSize];
  if (vsnprintf(text, sizeof text, format, arguments) < 0) return false;
  return assignWhole(*this, text);
}

bool String::vprintf(const char16* format, va_list arguments) {
  char16 text[kPrintBufferSize + 1];
  if (vsnwprintf(text, kPrintBufferSize, format, arguments) != 0) return false;
  return assignWhole(*this, text);
}

bool String::printInt64(int64 value) {
  char8 text[32];
  snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  return assignAscii(*this, text, isWide);
}

bool String::printFloat(double value) {
  // Six decimals of the largest double need 317 bytes.
  char8 text[400];
  snprintf(text, sizeof text, "%lf", value);
  if (char8* point = strchr(text, '.')) {
    char8* end = point + strlen(point);
    while (end > point + 2 && end[-1] == '0') --end;
    *end = 0;
  }
  return assignAscii(*this, text, isWide);
}

bool String::incrementTrailingNumber(uint32 width, char16 separator, uint32 minNumber) {
  if (width > 32) return false;
  uint64 number = 1;
  int32 kept = int32(len);
  const int32 digits = getTrailingNumberIndex(0);
  if (digits >= 0) {
    uint64 value = 0;
    for (int32 i = digits; i < int32(len); ++i) {
      const uint32 digit = isWide ? uint32(buffer16[i] - u'0') : uint32(buffer8[i] - '0');
      // A number that cannot be counted on is left as it is.
      if (value > (UINT64_MAX - digit) / 10) return false;
      value = value * 10 + digit;
    }
    if (value == UINT64_MAX) return false;
    number = value + 1;
    kept = digits;
    if (separator != 0 && digits > 0 && testChar16(digits - 1, separator)) kept = digits - 1;
  }
  if (number < minNumber) number = minNumber;

  char8 numberText[48];
  snprintf(numberText, sizeof numberText, "%0*llu", int(width),
           static_cast<unsigned long long>(number));
  String result(*this, kept);
  const bool separated = separator != 0 && kept > 0;
  if (separated) {
    char8 narrow = 0;
    if (!result.isWideString() && detail::narrowCharExactly(separator, narrow))
      result.append(narrow);
    else
      result.append(separator);
  }
  const int32 expected = kept + (separated ? 1 : 0) + int32(strlen(numberText));
  if (result.isWideString()) {
    String wideNumber;
    if (!assignAscii(wideNumber, numberText, true)) return false;
    result.append(wideNumber);
  } else {
    result.append(numberText);
  }
  if (result.length() != expected) return false;
  take(result);
  return true;
}

}  // namespace Quillon
