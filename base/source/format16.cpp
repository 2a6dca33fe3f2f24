// The 16-bit formatter: parses 16-bit conversions, formats numbers through snprintf and writes
// 16-bit text itself.
#include "base/source/format16.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace Quillon {
namespace {

constexpr int32 kUnlimited = (1 << 30) - 1;

// The result so far, in a growing buffer from the C allocator; characters past `limit` are
// dropped, so a long result is cut rather than failing.
class Output {
 public:
  explicit Output(int32 limit) : limit(limit) {}
  ~Output() { free(data); }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // How many more characters are kept.
  int32 room() const { return limit - length; }

  // False when out of memory.
  bool put(const char16* text, int32 count) {
    const int32 kept = count < room() ? count : room();
    if (kept <= 0) return true;
    if (!reserve(kept)) return false;
    memcpy(data + length, text, size_t(kept) * sizeof(char16));
    length += kept;
    return true;
  }

  bool repeat(char16 c, int32 count) {
    const int32 kept = count < room() ? count : room();
    if (kept <= 0) return true;
    if (!reserve(kept)) return false;
    for (int32 i = 0; i < kept; ++i) data[length++] = c;
    return true;
  }

  // Bytes of the C library's output, each widened to one character.
  bool putBytes(const char* text, int32 count) {
    const int32 kept = count < room() ? count : room();
    if (kept <= 0) return true;
    if (!reserve(kept)) return false;
    for (int32 i = 0; i < kept; ++i) data[length++] = char16(uint8(text[i]));
    return true;
  }

  char16* data = nullptr;
  int32 length = 0;

 private:
  bool reserve(int32 more) {
    if (length + more <= capacity) return true;
    int64 wanted = capacity < 64 ? 64 : int64(capacity) * 2;
    if (wanted < int64(length) + more) wanted = int64(length) + more;
    if (wanted > limit) wanted = limit;
    void* grown = realloc(data, size_t(wanted) * sizeof(char16));
    if (grown == nullptr) return false;
    data = static_cast<char16*>(grown);
    capacity = int32(wanted);
    return true;
  }

  const int32 limit;
  int32 capacity = 0;
};

enum class Length { kNone, kChar, kShort, kLong, kLongLong, kLongDouble, kMax, kSize, kPtrDiff };

// One conversion: "%" flags width precision length conversion.
struct Conversion {
  char flags[8] = {};
  int32 flagCount = 0;
  bool widthFromArgument = false;
  int32 width = -1;  // -1: none
  bool precisionFromArgument = false;
  int32 precision = -1;  // -1: none
  Length length = Length::kNone;
  char conversion = 0;

  bool hasFlag(char flag) const { return memchr(flags, flag, size_t(flagCount)) != nullptr; }
  void addFlag(char flag) {
    if (!hasFlag(flag)) flags[flagCount++] = flag;
  }
};

bool isDigit(char16 c) { return c >= u'0' && c <= u'9'; }

// Reads a decimal field; false when it does not fit in an int.
bool readNumber(const char16*& p, int32& value) {
  int64 number = 0;
  for (; isDigit(*p); ++p) {
    number = number * 10 + (*p - u'0');
    if (number > INT32_MAX) return false;
  }
  value = int32(number);
  return true;
}

Length readLength(const char16*& p) {
  switch (*p) {
    case u'h':
      return *++p == u'h' ? (++p, Length::kChar) : Length::kShort;
    case u'l':
      return *++p == u'l' ? (++p, Length::kLongLong) : Length::kLong;
    case u'L':
      return ++p, Length::kLongDouble;
    case u'j':
      return ++p, Length::kMax;
    case u'z':
      return ++p, Length::kSize;
    case u't':
      return ++p, Length::kPtrDiff;
    default:
      return Length::kNone;
  }
}

// Whether the length modifier goes with the conversion.
bool lengthFits(Length length, char conversion) {
  switch (conversion) {
    case 'd':
    case 'i':
    case 'o':
    case 'u':
    case 'x':
    case 'X':
      return length != Length::kLongDouble;
    case 'c':
    case 's':
      return length == Length::kNone || length == Length::kLong;
    case 'C':
    case 'S':
    case 'p':
      return length == Length::kNone;
    default:  // the floating-point conversions
      return length == Length::kNone || length == Length::kLong || length == Length::kLongDouble;
  }
}

// Parses the conversion after a '%'; false for one this formatter does not support.
bool parse(const char16*& p, Conversion& c) {
  for (; *p != 0 && *p < 0x80 && strchr("-+ #0'", char(*p)) != nullptr; ++p) c.addFlag(char(*p));
  if (*p == u'*') {
    c.widthFromArgument = true;
    ++p;
  } else if (isDigit(*p) && !readNumber(p, c.width)) {
    return false;
  }
  if (*p == u'$') return false;
  if (*p == u'.') {
    ++p;
    if (*p == u'*') {
      c.precisionFromArgument = true;
      ++p;
    } else {
      c.precision = 0;
      if (!readNumber(p, c.precision)) return false;
    }
  }
  c.length = readLength(p);
  if (*p == 0 || *p >= 0x80 || strchr("diouxXeEfFgGaAcCsSp", char(*p)) == nullptr) return false;
  c.conversion = char(*p++);
  return lengthFits(c.length, c.conversion);
}

// The snprintf format of a numeric conversion, with the width and precision resolved.
void numericFormat(const Conversion& c, char* format, size_t size) {
  static const char* const lengths[] = {"", "hh", "h", "l", "ll", "L", "j", "z", "t"};
  char width[16] = "", precision[16] = "";
  if (c.width >= 0) snprintf(width, sizeof width, "%d", int(c.width));
  if (c.precision >= 0) snprintf(precision, sizeof precision, ".%d", int(c.precision));
  snprintf(format, size, "%%%.*s%s%s%s%c", int(c.flagCount), c.flags, width, precision,
           lengths[int(c.length)], c.conversion);
}

// Formats one value with snprintf and appends the bytes; false when snprintf fails or when
// out of memory.
template <typename T>
bool putNumber(Output& out, const Conversion& c, T value) {
  char format[64];
  numericFormat(c, format, sizeof format);
  char small[128];
  const int written = snprintf(small, sizeof small, format, value);
  if (written < 0) return false;
  if (size_t(written) < sizeof small) return out.putBytes(small, written);
  // A long result: format again into a buffer that holds what is kept of it.
  const int32 kept = written < out.room() ? written : out.room();
  char* large = static_cast<char*>(malloc(size_t(kept) + 1));
  if (large == nullptr) return false;
  const bool ok =
      snprintf(large, size_t(kept) + 1, format, value) >= 0 && out.putBytes(large, kept);
  free(large);
  return ok;
}

// Pads `text` to the width, on the right with the '-' flag.
bool putPadded(Output& out, const Conversion& c, const char16* text, int32 count) {
  const int32 padding = c.width > count ? c.width - count : 0;
  const bool left = c.hasFlag('-');
  return (left || out.repeat(u' ', padding)) && out.put(text, count) &&
         (!left || out.repeat(u' ', padding));
}

bool putText(Output& out, const Conversion& c, const char16* text) {
  // As the C library: a null text prints "(null)", or nothing when the precision is shorter.
  if (text == nullptr) text = c.precision < 0 || c.precision >= 6 ? u"(null)" : u"";
  int32 count = 0;
  const int32 limit = c.precision < 0 ? INT32_MAX : c.precision;
  while (count < limit && text[count] != 0) ++count;
  return putPadded(out, c, text, count);
}

bool putChar(Output& out, const Conversion& c, uint32 value) {
  if (value > 0x10FFFF) return false;
  char16 units[2] = {char16(value), 0};
  int32 count = 1;
  if (value > 0xFFFF) {
    units[0] = char16(0xD800 + ((value - 0x10000) >> 10));
    units[1] = char16(0xDC00 + ((value - 0x10000) & 0x3FF));
    count = 2;
  }
  return putPadded(out, c, units, count);
}

template <typename Signed, typename Unsigned>
bool putInteger(Output& out, const Conversion& c, va_list* arguments) {
  if (c.conversion == 'd' || c.conversion == 'i')
    return putNumber(out, c, va_arg(*arguments, Signed));
  return putNumber(out, c, va_arg(*arguments, Unsigned));
}

// Consumes the arguments of one conversion and writes it.
bool convert(Output& out, Conversion& c, va_list* arguments) {
  if (c.widthFromArgument) {
    const int width = va_arg(*arguments, int);
    if (width == INT32_MIN) return false;
    // A negative width is the '-' flag with the positive width.
    if (width < 0) c.addFlag('-');
    c.width = width < 0 ? -width : width;
  }
  if (c.precisionFromArgument) {
    const int precision = va_arg(*arguments, int);
    c.precision = precision < 0 ? -1 : precision;
  }
  switch (c.conversion) {
    case 's':
    case 'S':
      return putText(out, c, va_arg(*arguments, const char16*));
    case 'c':
    case 'C':
      return putChar(out, c, uint32(va_arg(*arguments, int)));
    case 'p':
      return putNumber(out, c, va_arg(*arguments, void*));
    default:
      break;
  }
  if (strchr("eEfFgGaA", c.conversion) != nullptr) {
    if (c.length == Length::kLongDouble) return putNumber(out, c, va_arg(*arguments, long double));
    return putNumber(out, c, va_arg(*arguments, double));
  }
  switch (c.length) {
    case Length::kLong:
      return putInteger<long, unsigned long>(out, c, arguments);
    case Length::kLongLong:
      return putInteger<long long, unsigned long long>(out, c, arguments);
    case Length::kMax:
      return putInteger<intmax_t, uintmax_t>(out, c, arguments);
    case Length::kSize:
      return putInteger<ptrdiff_t, size_t>(out, c, arguments);
    case Length::kPtrDiff:
      return putInteger<ptrdiff_t, size_t>(out, c, arguments);
    default:  // hh and h arrive promoted to int; snprintf narrows them
      return putInteger<int, unsigned>(out, c, arguments);
  }
}

int32 formatInto(char16* destination, int32 maxChars, const char16* format, va_list* arguments) {
  if (destination == nullptr || format == nullptr || maxChars < 0) return 1;
  Output out(maxChars);
  for (const char16* p = format; *p != 0;) {
    if (*p != u'%') {
      const char16* run = p;
      while (*p != 0 && *p != u'%') ++p;
      if (!out.put(run, int32(p - run))) return 1;
      continue;
    }
    if (p[1] == u'%') {
      if (!out.put(u"%", 1)) return 1;
      p += 2;
      continue;
    }
    ++p;
    Conversion conversion;
    if (!parse(p, conversion) || !convert(out, conversion, arguments)) return 1;
  }
  if (out.length > 0) memcpy(destination, out.data, size_t(out.length) * sizeof(char16));
  destination[out.length] = 0;
  return 0;
}

}  // namespace

int32 vsnwprintf(char16* destination, int32 maxChars, const char16* format, va_list arguments) {
  va_list copy;
  va_copy(copy, arguments);
  const int32 result = formatInto(destination, maxChars, format, &copy);
  va_end(copy);
  return result;
}

int32 sprintf16(char16* destination, const char16* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int32 result = vsnwprintf(destination, kUnlimited, format, arguments);
  va_end(arguments);
  return result;
}

}  // namespace Quillon
