// Fuzzes number scanning against sscanf, and the 16-bit formatter against snprintf on the same
// format with arguments of exactly the types the format names.
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "base/source/fstring.h"

namespace {

using Quillon::char16;
using Quillon::int32;
using Quillon::int64;
using Quillon::String;
using Quillon::uint32;
using Quillon::uint64;
using Quillon::uint8;

void check(bool condition) {
  if (!condition) std::abort();
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
  std::uint8_t byte() { return at < size ? data[at++] : 0; }
  uint64 bits() {
    uint64 value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | byte();
    return value;
  }

 private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
};

// Reads with `read` at the start of the text and, with `toEnd`, at every later position.
template <class T, class Read>
bool readOn(const std::string& text, bool toEnd, T& value, Read read) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (read(text.c_str() + at, value)) return true;
    if (!toEnd) break;
  }
  return false;
}

template <class T>
bool scanned(const std::string& text, const char* format, T& value, bool toEnd) {
  return readOn(text, toEnd, value, [format](const char* at, T& v) {
    T read{};
    return std::sscanf(at, format, &read) == 1 && (v = read, true);
  });
}

// `read` agrees with the reference: the same success and value, or the value untouched.
template <class Stored, class T, class Read>
void agrees(bool ok, T expected, Read read) {
  Stored value = Stored(7);
  const Stored want = ok ? Stored(expected) : Stored(7);
  check(read(value) == ok && (value == want || (value != value && want != want)));
}

// Every reader against sscanf, in both widths, statically and from an offset into a String.
void checkScans(std::string text, int32 offset, bool toEnd) {
  // Code page 0 maps every byte to one 16-bit character and back; U+4E00 narrows to '?'.
  String widened(text.c_str());
  widened.toWideString(Quillon::kCodePageSystemDefault);
  std::u16string units(widened.text16(), std::size_t(widened.length()));
  const std::size_t mark = text.empty() ? 0 : std::size_t(offset + 1) % text.size();
  if (!text.empty() && text[mark] == '~') units[mark] = u'\u4E00', text[mark] = '?';
  const char* narrow = text.c_str();
  const char16* wide = units.c_str();

  int64 i = 0;
  uint64 u = 0;
  unsigned x = 0;
  const bool okI = scanned(text, "%lld", i, toEnd), okU = scanned(text, "%llu", u, toEnd);
  const bool okX = scanned(text, "%x", x, toEnd);
  agrees<int64>(okI, i, [&](int64& v) { return String::scanInt64_8(narrow, v, toEnd); });
  agrees<int64>(okI, i, [&](int64& v) { return String::scanInt64_16(wide, v, toEnd); });
  agrees<uint64>(okU, u, [&](uint64& v) { return String::scanUInt64_8(narrow, v, toEnd); });
  agrees<uint64>(okU, u, [&](uint64& v) { return String::scanUInt64_16(wide, v, toEnd); });
  agrees<uint8>(okX, x, [&](uint8& v) { return String::scanHex_8(narrow, v, toEnd); });
  agrees<uint8>(okX, x, [&](uint8& v) { return String::scanHex_16(wide, v, toEnd); });

  // The members read from `offset` on, and nothing outside the text; the first comma from
  // there is a decimal point.
  const bool inside = offset >= 0 && std::size_t(offset) < text.size();
  const std::string rest = inside ? text.substr(std::size_t(offset)) : std::string();
  std::string pointed = rest;
  if (rest.find(',') != std::string::npos) pointed[rest.find(',')] = '.';
  double f = 0;
  const bool okF = scanned(pointed, "%lf", f, toEnd);
  const bool okI2 = scanned(rest, "%lld", i, toEnd), okU2 = scanned(rest, "%llu", u, toEnd);
  const bool okX2 = scanned(rest, "%x", x, toEnd);
  for (const String& s : {String(narrow), String(wide)}) {
    agrees<int64>(okI2, i, [&](int64& v) { return s.scanInt64(v, offset, toEnd); });
    agrees<int32>(okI2, uint32(i), [&](int32& v) { return s.scanInt32(v, offset, toEnd); });
    agrees<uint64>(okU2, u, [&](uint64& v) { return s.scanUInt64(v, offset, toEnd); });
    agrees<uint32>(okU2, u, [&](uint32& v) { return s.scanUInt32(v, offset, toEnd); });
    agrees<uint8>(okX2, x, [&](uint8& v) { return s.scanHex(v, offset, toEnd); });
    agrees<double>(okF, f, [&](double& v) { return s.scanFloat(v, offset, toEnd); });
  }
}

// One conversion read from the input, with its argument. Wide text or a wide character gets
// an ASCII stand-in byte in the narrow format; the expected result swaps the units back.
struct Conversion {
  Conversion(Reader& in, char standInByte) {
    static const char kFlags[] = "-+ #0";
    const std::uint8_t flags = in.byte(), shape = in.byte(), pick = in.byte();
    format = "%";
    for (int i = 0; i < 5; ++i)
      if (flags >> i & 1) format += kFlags[i];
    starWidth = (shape & 3) == 1, starPrecision = (shape >> 2 & 3) == 1;
    width = int(in.byte()) % 81 - 40, precision = int(in.byte()) % 81 - 40;
    format += starWidth ? "*" : shape & 2 ? std::to_string(std::abs(width) % 30) : "";
    format += starPrecision ? ".*"
              : shape & 8   ? "." + std::to_string(std::abs(precision) % 30)
                            : "";
    bits = in.bits();
    const char conversion = "diuxXoeEfFgGaAcs"[pick % 16];
    const int length = pick / 16 % 8;
    // Value types by length modifier: none, hh, h, l, ll, j, z, t.
    static const char* const kLengths[] = {"", "hh", "h", "l", "ll", "j", "z", "t"};
    if (std::strchr("diuxXo", conversion)) {
      format += kLengths[length];
      type = (conversion == 'd' || conversion == 'i' ? "iiilLlll" : "uuuUVUUU")[length];
    } else if (std::strchr("eEfFgGaA", conversion)) {
      type = length == 1 ? 'D' : 'd';
      if (length == 1) format += 'L';
    } else if (conversion == 'c') {
      const char16 unit = char16(bits);
      text = std::u16string(1, length == 1 && unit >= 128 ? unit : char16(32 + bits % 95));
      standIn = text[0] < 128 ? std::string(1, char(text[0])) : std::string(1, standInByte);
    } else {
      null = length == 7;
      for (int i = 0, n = int(bits % 12); i < n; ++i) {
        const std::uint8_t b = in.byte();
        text += length == 1 && b > 126 ? char16(0x100 + b * 97) : char16(32 + b % 95);
        standIn += text.back() < 128 ? char(text.back()) : standInByte;
      }
    }
    for (char16 c : text)
      if (c >= 128) swapped += c;
    format += conversion;
    if (type == 0) type = conversion;
  }

  // Calls `k` with the narrow and the wide arguments, each as a tuple.
  template <class K>
  void withArguments(K k) const {
    withValue([&](auto narrow, auto wide) {
      if (starWidth && starPrecision)
        k(std::make_tuple(width, precision, narrow), std::make_tuple(width, precision, wide));
      else if (starWidth || starPrecision)
        k(std::make_tuple(starWidth ? width : precision, narrow),
          std::make_tuple(starWidth ? width : precision, wide));
      else
        k(std::make_tuple(narrow), std::make_tuple(wide));
    });
  }

  template <class K>
  void withValue(K k) const {
    double real;
    std::memcpy(&real, &bits, sizeof real);
    switch (type) {
      case 'i':
        return k(int(bits), int(bits));
      case 'l':
        return k(long(bits), long(bits));
      case 'L':
        return k((long long)bits, (long long)bits);
      case 'u':
        return k(unsigned(bits), unsigned(bits));
      case 'U':
        return k((unsigned long)bits, (unsigned long)bits);
      case 'V':
        return k((unsigned long long)bits, (unsigned long long)bits);
      case 'd':
        return k(real, real);
      case 'D':
        return k((long double)real, (long double)real);
      case 'c':
        return k(int(std::uint8_t(standIn[0])), int(text[0]));
      default:
        return k(null ? nullptr : standIn.c_str(), null ? nullptr : text.c_str());
    }
  }

  std::string format, standIn;
  std::u16string text, swapped;  // %c and %s: the wide argument; the units stood in for
  char type = 0;
  bool starWidth, starPrecision, null = false;
  int width, precision;
  uint64 bits;
};

Quillon::int32 limited(char16* destination, int32 maxChars, const char16* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int32 result = Quillon::vsnwprintf(destination, maxChars, format, arguments);
  va_end(arguments);
  return result;
}

// Literal text of up to four characters, '%' as "%%"; byte 1 stands for U+00E9.
std::string literal(Reader& in) {
  std::string text;
  for (int i = 0, n = in.byte() % 5; i < n; ++i) {
    const int c = 32 + in.byte() % 96;
    text += c == '%' ? "%%" : c == 127 ? "\x01" : std::string(1, char(c));
  }
  return text;
}

std::u16string widenedFormat(const std::string& narrow) {
  std::u16string wide(narrow.begin(), narrow.end());
  for (char16& c : wide) c = c == 1 ? u'\u00E9' : c;
  return wide;
}

void checkFormat(Reader& in) {
  const std::string head = literal(in);
  const Conversion first(in, '\x02');
  const std::string middle = literal(in);
  const Conversion second(in, '\x03');
  const std::string narrowFormat = head + first.format + middle + second.format + literal(in);
  const std::u16string wideFormat = widenedFormat(narrowFormat);
  const std::uint8_t cut = in.byte();

  first.withArguments([&](auto narrow1, auto wide1) {
    second.withArguments([&](auto narrow2, auto wide2) {
      std::string narrowResult;
      std::apply(
          [&](auto... a) {
            narrowResult.resize(std::size_t(std::snprintf(nullptr, 0, narrowFormat.c_str(), a...)));
            std::snprintf(&narrowResult[0], narrowResult.size() + 1, narrowFormat.c_str(), a...);
          },
          std::tuple_cat(narrow1, narrow2));
      std::u16string expected = widenedFormat(narrowResult);
      std::size_t next[2] = {0, 0};
      for (char16& c : expected)
        if (c == 2 || c == 3) c = (c == 2 ? first : second).swapped.at(next[c - 2]++);
      std::apply(
          [&](auto... a) {
            // Buffers of exactly the size allowed, so that a write past them is caught.
            std::vector<char16> whole(expected.size() + 1, 0xBEEF);
            check(Quillon::sprintf16(whole.data(), wideFormat.c_str(), a...) == 0);
            check(expected == whole.data());
            const int32 maxChars = int32(cut % (expected.size() + 3));
            std::vector<char16> part(std::size_t(maxChars) + 1, 0xBEEF);
            check(limited(part.data(), maxChars, wideFormat.c_str(), a...) == 0);
            check(expected.substr(0, std::size_t(maxChars)) == part.data());
            String s;
            check(s.printf(wideFormat.c_str(), a...) && s.isWideString() &&
                  expected.substr(0, 4096) == s.text16());
          },
          std::tuple_cat(wide1, wide2));
    });
  });

  // Conversions it does not support fail the whole call before reaching their arguments; the
  // destination and the string stay as they were.
  static const char16* const kRejected[] = {u"%n",  u"%hn",  u"%1$d", u"%*1$d", u"%5%",
                                            u"%-%", u"%hhs", u"%Ls",  u"%Lc",   u"%zs",
                                            u"%q",  u"%",    u"%.",   u"%5",    u"%2147483648d"};
  const std::u16string rejected = widenedFormat(head + first.format) + kRejected[cut % 15];
  first.withArguments([&](auto, auto wide) {
    std::apply(
        [&](auto... a) {
          char16 untouched[4] = {u'k', u'e', u'p', 0};
          check(limited(untouched, 3, rejected.c_str(), a...) == 1 &&
                std::u16string(untouched) == u"kep");
          String s("keep");
          check(!s.printf(rejected.c_str(), a...) && std::string(s.text8()) == "keep");
        },
        wide);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto* zero = static_cast<const std::uint8_t*>(std::memchr(data + 2, 0, size - 2));
  const std::size_t textSize = std::size_t((zero ? zero : data + size) - (data + 2));
  std::string text(reinterpret_cast<const char*>(data + 2), std::min<std::size_t>(textSize, 200));
  // Half the inputs are spelt from what numbers are made of, so that prefixes such as "0x",
  // "infin" and "1e+" that readers disagree on come up often.
  static const char kNumberish[] = "0123456789abcdefABCDEFxXpPiInNtTyY+-.,  \t~";
  if (data[0] & 2)
    for (char& c : text) c = kNumberish[std::uint8_t(c) % (sizeof kNumberish - 1)];
  checkScans(text, int32(data[1] % 24) - 1, data[0] & 1);

  // Printed numbers read back in either width.
  Reader in(data + 2 + textSize, size - 2 - textSize);
  const int64 number = int64(in.bits());
  for (String printed : {String(""), String(u"")}) {
    const bool wide = printed.isWideString();
    int64 back = 0;
    check(printed.printInt64(number) && printed.isWideString() == wide &&
          printed.scanInt64(back, 0, false) && back == number);
  }
  checkFormat(in);
  return 0;
}
