// Mac Roman, Windows Latin-1 and Mac Central European through direct tables in both directions.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/source/codepage.h"

namespace Quillon::detail {
namespace {

#include "base/source/codepage_singlebyte_tables.inc"

constexpr char16 kUndecodable = 0xFFFF;

// Units below this have one flat table per set, so the common case is a single lookup. The few
// units mapped above it (Apple's logo, the fi and fl ligatures) go through pages of 256.
constexpr unsigned kFlatUnits = 0x2600;
constexpr uint8 kQuestionMark = '?';

// The reverse of a byte-to-UTF-16 table. Each unit gives its byte, '?' when the set lacks it, or
// 0 for the two that need a closer look: the terminator and a high surrogate. Page 0 is all '?',
// page 1 (high surrogates) all 0, the set's own pages follow.
template <std::size_t Pages>
struct Encoder {
  uint8 flat[kFlatUnits] = {};
  uint8 pageOf[256] = {};
  uint8 pages[Pages][256] = {};

  uint8 operator()(char16 unit) const {
    return unit < kFlatUnits ? flat[unit] : pages[pageOf[unit >> 8]][unit & 0xFF];
  }
};

constexpr std::size_t countPages(const char16 (&toUnicode)[256]) {
  bool used[256] = {};
  std::size_t count = 2;
  for (int byte = 1; byte < 256; ++byte) {
    const char16 unit = toUnicode[byte];
    if (unit == kUndecodable || unit < kFlatUnits || used[unit >> 8]) continue;
    used[unit >> 8] = true;
    ++count;
  }
  return count;
}

template <std::size_t Pages>
constexpr Encoder<Pages> makeEncoder(const char16 (&toUnicode)[256]) {
  Encoder<Pages> encoder;
  for (uint8& entry : encoder.flat) entry = kQuestionMark;
  encoder.flat[0] = 0;
  for (uint8& entry : encoder.pages[0]) entry = kQuestionMark;
  for (unsigned high = 0xD8; high <= 0xDB; ++high) encoder.pageOf[high] = 1;
  std::size_t nextPage = 2;
  for (int byte = 1; byte < 256; ++byte) {
    const char16 unit = toUnicode[byte];
    if (unit == kUndecodable) continue;
    if (unit < kFlatUnits) {
      encoder.flat[unit] = uint8(byte);
      continue;
    }
    uint8& page = encoder.pageOf[unit >> 8];
    if (page == 0) {
      page = uint8(nextPage++);
      for (uint8& entry : encoder.pages[page]) entry = kQuestionMark;
    }
    encoder.pages[page][unit & 0xFF] = uint8(byte);
  }
  return encoder;
}

// 32 KB that only conversions to these sets read. Their own section puts them after the rest of
// the read-only data, so the code and constants a loader and the start-up path touch stay in
// fewer pages.
#define PX7000_COLD_TABLE [[gnu::section(".rodata_cold")]]
PX7000_COLD_TABLE constexpr auto kMacRomanEncoder =
    makeEncoder<countPages(kMacRomanToUnicode)>(kMacRomanToUnicode);
PX7000_COLD_TABLE constexpr auto kWindowsLatin1Encoder =
    makeEncoder<countPages(kWindowsLatin1ToUnicode)>(kWindowsLatin1ToUnicode);
PX7000_COLD_TABLE constexpr auto kMacCentralEuropeEncoder =
    makeEncoder<countPages(kMacCentralEuropeToUnicode)>(kMacCentralEuropeToUnicode);
#undef PX7000_COLD_TABLE

constexpr bool decodesEveryByte(const char16 (&toUnicode)[256]) {
  for (char16 unit : toUnicode) {
    if (unit == kUndecodable) return false;
  }
  return true;
}

// Sets that decode every byte need no check of the bytes past the destination's end.
constexpr bool kMacRomanEveryByte = decodesEveryByte(kMacRomanToUnicode);
constexpr bool kWindowsLatin1EveryByte = decodesEveryByte(kWindowsLatin1ToUnicode);
constexpr bool kMacCentralEuropeEveryByte = decodesEveryByte(kMacCentralEuropeToUnicode);

// Converts units while the table gives a byte for them, at most `limit`; returns how many.
// Unrolled, since the terminator may follow any unit and nothing past it may be read.
template <std::size_t Pages>
std::size_t convertRun(const Encoder<Pages>& encoder, const char16* __restrict source,
                       char8* __restrict out, std::size_t limit) {
  std::size_t n = 0;
  for (; n + 4 <= limit; n += 4) {
    const uint8 byte0 = encoder(source[n]);
    if (byte0 == 0) return n;
    out[n] = char8(byte0);
    const uint8 byte1 = encoder(source[n + 1]);
    if (byte1 == 0) return n + 1;
    out[n + 1] = char8(byte1);
    const uint8 byte2 = encoder(source[n + 2]);
    if (byte2 == 0) return n + 2;
    out[n + 2] = char8(byte2);
    const uint8 byte3 = encoder(source[n + 3]);
    if (byte3 == 0) return n + 3;
    out[n + 3] = char8(byte3);
  }
  for (; n < limit; ++n) {
    const uint8 byte = encoder(source[n]);
    if (byte == 0) return n;
    out[n] = char8(byte);
  }
  return n;
}

template <std::size_t Pages>
int32 encode(const Encoder<Pages>& encoder, char8* destination, const char16* source,
             int32 byteCount) {
  const std::size_t room = std::size_t(byteCount) - 1;
  std::size_t read = 0, written = 0;
  for (;;) {
    const std::size_t run =
        convertRun(encoder, source + read, destination + written, room - written);
    read += run;
    written += run;
    if (written == room || source[read] == 0) break;
    // A high surrogate: with a low one after it, one code point, which these sets lack.
    read += source[read + 1] >= 0xDC00 && source[read + 1] <= 0xDFFF ? 2 : 1;
    destination[written++] = '?';
  }
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

int32 decode(const char16 (&toUnicode)[256], bool everyByte, char16* destination,
             const char8* source, int32 charCount) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  const std::size_t length = std::strlen(source);
  const std::size_t written =
      destination ? (length < std::size_t(charCount) ? length : std::size_t(charCount)) : 0;
  for (std::size_t i = 0; i < written; ++i) {
    const char16 unit = toUnicode[bytes[i]];
    if (unit == kUndecodable) {
      destination[0] = 0;
      return 0;
    }
    destination[i] = unit;
  }
  if (!everyByte) {
    for (std::size_t i = written; i < length; ++i) {
      if (toUnicode[bytes[i]] == kUndecodable) {
        if (destination) destination[0] = 0;
        return 0;
      }
    }
  }
  if (!destination) return length >= std::size_t(INT32_MAX) ? INT32_MAX : int32(length) + 1;
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

}  // namespace

int32 decodeSingleByte(char16* destination, const char8* source, int32 charCount, uint32 codePage) {
  switch (codePage) {
    case kCodePageWindowsLatin1:
      return decode(kWindowsLatin1ToUnicode, kWindowsLatin1EveryByte, destination, source,
                    charCount);
    case kCodePageMacCentralEurope:
      return decode(kMacCentralEuropeToUnicode, kMacCentralEuropeEveryByte, destination, source,
                    charCount);
    default:
      return decode(kMacRomanToUnicode, kMacRomanEveryByte, destination, source, charCount);
  }
}

int32 encodeSingleByte(char8* destination, const char16* source, int32 byteCount, uint32 codePage) {
  switch (codePage) {
    case kCodePageWindowsLatin1:
      return encode(kWindowsLatin1Encoder, destination, source, byteCount);
    case kCodePageMacCentralEurope:
      return encode(kMacCentralEuropeEncoder, destination, source, byteCount);
    default:
      return encode(kMacRomanEncoder, destination, source, byteCount);
  }
}

}  // namespace Quillon::detail
