// Strict UTF-8 to and from UTF-16, a word at a time over ASCII and in tight loops over other runs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/source/codepage.h"

namespace Quillon::detail {
namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr bool kLittleEndian = false;
#else
constexpr bool kLittleEndian = true;
#endif

constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Word loads and stores in text order (first byte lowest), whatever the machine's byte order.
std::uint64_t loadBytes8(const unsigned char* p) {
  std::uint64_t word = 0;
  if constexpr (kLittleEndian) {
    std::memcpy(&word, p, 8);
  } else {
    for (int k = 0; k < 8; ++k) word |= std::uint64_t(p[k]) << (8 * k);
  }
  return word;
}

std::uint32_t loadBytes4(const unsigned char* p) {
  if constexpr (kLittleEndian) {
    std::uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
  } else {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
  }
}

void storeBytes4(unsigned char* p, std::uint32_t word) {
  if constexpr (kLittleEndian) {
    std::memcpy(p, &word, 4);
  } else {
    for (int k = 0; k < 4; ++k) p[k] = static_cast<unsigned char>(word >> (8 * k));
  }
}

// Widens kWidth bytes to as many units; through a local copy, so the compiler sees that the two
// cannot overlap and does it in a few vector moves.
template <int kWidth>
void widen(const unsigned char* s, char16* destination) {
  unsigned char bytes[kWidth];
  std::memcpy(bytes, s, kWidth);
  for (int k = 0; k < kWidth; ++k) destination[k] = bytes[k];
}

// Bytes the fast loop keeps ahead of itself in the text and in the destination: a step reads
// and decodes at most 16 bytes and the character that starts in them.
constexpr std::size_t kSlack = 20;

// Decodes from `s` towards `end`, writing to `destination` from `written` on while fewer than
// `limit` units are there (only counting when `kWrite` is false). Stops at the end, or before
// the first character that does not fit whole; returns false at the first invalid sequence.
template <bool kWrite>
bool decodeRun(const unsigned char*& s, const unsigned char* end, char16* destination,
               std::size_t& written, std::size_t limit) {
  // No character makes more units than it has bytes, so while `s` is below `fast` there are
  // more than kSlack bytes of text left and more than kSlack units of room.
  const std::size_t budget = std::min(std::size_t(end - s), limit - written);
  if (budget > kSlack) {
    const unsigned char* const fast = s + (budget - kSlack);
    while (s < fast) {
      if (((loadBytes8(s) | loadBytes8(s + 8)) & kHighBits) == 0) {
        if (kWrite) widen<16>(s, destination + written);
        s += 16;
        written += 16;
        continue;
      }
      // Text that mixes in other characters goes a character at a time to past this block:
      // with the branches predicted, that beats working out where each character starts.
      const unsigned char* const stop = s + 16;
      do {
        const unsigned lead = *s;
        if (lead < 0x80) {
          if (kWrite) destination[written] = char16(lead);
          ++s;
          ++written;
        } else if (lead < 0xE0) {
          // C0 and C1 would only start overlong forms of ASCII; below them are continuations.
          if (lead < 0xC2 || (s[1] & 0xC0) != 0x80) return false;
          if (kWrite) destination[written] = char16((lead & 0x1F) << 6 | (s[1] & 0x3F));
          s += 2;
          ++written;
        } else if (lead < 0xF0) {
          // Scripts written in three-byte characters rarely mix in others, so they run on.
          do {
            const std::uint32_t bytes = loadBytes4(s);
            if ((bytes & 0xC0C0F0u) != 0x8080E0u) return false;
            const unsigned cp = (bytes & 0x0F) << 12 | (bytes >> 2 & 0xFC0) | (bytes >> 16 & 0x3F);
            // Overlong forms and encoded surrogates.
            if (cp < 0x800 || (cp & 0xF800) == 0xD800) return false;
            if (kWrite) destination[written] = char16(cp);
            s += 3;
            ++written;
          } while ((*s & 0xF0) == 0xE0 && s < fast);
        } else {
          const std::uint32_t bytes = loadBytes4(s);
          if ((bytes & 0xC0C0C0F8u) != 0x808080F0u) return false;
          const unsigned cp = (bytes & 0x07) << 18 | (bytes << 4 & 0x3F000) |
                              (bytes >> 10 & 0xFC0) | (bytes >> 24 & 0x3F);
          if (cp < 0x10000 || cp > 0x10FFFF) return false;
          if (kWrite) {
            destination[written] = char16(0xD7C0 + (cp >> 10));
            destination[written + 1] = char16(0xDC00 | (cp & 0x3FF));
          }
          s += 4;
          written += 2;
        }
      } while (s < stop);
    }
  }

  // The rest, a character at a time but for whole words of ASCII, checking both ends.
  while (s < end) {
    if (written == limit) return true;
    if (end - s >= 8 && limit - written >= 8 && (loadBytes8(s) & kHighBits) == 0) {
      if (kWrite) widen<8>(s, destination + written);
      s += 8;
      written += 8;
      continue;
    }
    const unsigned lead = *s;
    if (lead < 0x80) {
      if (kWrite) destination[written] = char16(lead);
      ++s;
      ++written;
      continue;
    }
    const std::size_t left = std::size_t(end - s);
    if (lead < 0xE0) {
      if (lead < 0xC2 || left < 2 || (s[1] & 0xC0) != 0x80) return false;
      if (kWrite) destination[written] = char16((lead & 0x1F) << 6 | (s[1] & 0x3F));
      s += 2;
      ++written;
    } else if (lead < 0xF0) {
      if (left < 3 || (s[1] & 0xC0) != 0x80 || (s[2] & 0xC0) != 0x80) return false;
      const unsigned cp = (lead & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F);
      if (cp < 0x800 || (cp & 0xF800) == 0xD800) return false;
      if (kWrite) destination[written] = char16(cp);
      s += 3;
      ++written;
    } else {
      if (lead > 0xF4 || left < 4 || (s[1] & 0xC0) != 0x80 || (s[2] & 0xC0) != 0x80 ||
          (s[3] & 0xC0) != 0x80)
        return false;
      const unsigned cp =
          (lead & 0x07) << 18 | (s[1] & 0x3F) << 12 | (s[2] & 0x3F) << 6 | (s[3] & 0x3F);
      if (cp < 0x10000 || cp > 0x10FFFF) return false;
      if (limit - written < 2) return true;
      if (kWrite) {
        destination[written] = char16(0xD7C0 + (cp >> 10));
        destination[written + 1] = char16(0xDC00 | (cp & 0x3FF));
      }
      s += 4;
      written += 2;
    }
  }
  return true;
}

// Copies units while they are ASCII (and not the terminator), at most `limit`; returns how many.
std::size_t copyAscii(const char16* __restrict source, unsigned char* __restrict out,
                      std::size_t limit) {
  std::size_t n = 0;
  // Unrolled, since the terminator can follow any unit and no unit past it may be read.
  for (; n + 4 <= limit; n += 4) {
    if (source[n] - 1u >= 0x7Fu) return n;
    out[n] = static_cast<unsigned char>(source[n]);
    if (source[n + 1] - 1u >= 0x7Fu) return n + 1;
    out[n + 1] = static_cast<unsigned char>(source[n + 1]);
    if (source[n + 2] - 1u >= 0x7Fu) return n + 2;
    out[n + 2] = static_cast<unsigned char>(source[n + 2]);
    if (source[n + 3] - 1u >= 0x7Fu) return n + 3;
    out[n + 3] = static_cast<unsigned char>(source[n + 3]);
  }
  for (; n < limit; ++n) {
    if (source[n] - 1u >= 0x7Fu) return n;
    out[n] = static_cast<unsigned char>(source[n]);
  }
  return n;
}

}  // namespace

int32 decodeUtf8(char16* destination, const char8* source, int32 charCount) {
  const auto* s = reinterpret_cast<const unsigned char*>(source);
  const unsigned char* const end = s + std::strlen(source);
  std::size_t written = 0;
  if (destination && !decodeRun<true>(s, end, destination, written, std::size_t(charCount))) {
    destination[0] = 0;
    return 0;
  }
  // Counts the whole text without a destination, or checks the rest of it past the limit.
  std::size_t counted = 0;
  if (s != end && !decodeRun<false>(s, end, nullptr, counted, SIZE_MAX)) {
    if (destination) destination[0] = 0;
    return 0;
  }
  if (!destination) return counted >= std::size_t(INT32_MAX) ? INT32_MAX : int32(counted) + 1;
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

int32 encodeUtf8(char8* destination, const char16* source, int32 byteCount) {
  auto* p = reinterpret_cast<unsigned char*>(destination);
  // Where the terminator goes when the text fills the destination.
  unsigned char* const last = p + (byteCount - 1);
  const char16* s = source;
  for (;;) {
    unsigned unit = *s;
    if (unit == 0 || p == last) break;
    if (unit < 0x80) {
      const std::size_t ascii = copyAscii(s, p, std::size_t(last - p));
      s += ascii;
      p += ascii;
    } else if (unit < 0x800) {
      if (last - p < 2) break;
      // Two-byte characters and the ASCII between them, as many as surely fit; a unit is read
      // only once the one before it is known not to be the terminator.
      std::size_t fit = std::size_t(last - p) / 2;
      for (;;) {
        if (unit < 0x80) {
          do {
            *p++ = static_cast<unsigned char>(unit);
            unit = *++s;
          } while (--fit != 0 && unit - 1u < 0x7Fu);
          if (fit == 0 || unit - 0x80u >= 0x780u) break;
        }
        p[0] = static_cast<unsigned char>(0xC0 | unit >> 6);
        p[1] = static_cast<unsigned char>(0x80 | (unit & 0x3F));
        p += 2;
        unit = *++s;
        if (--fit == 0 || unit - 1u >= 0x7FFu) break;
      }
    } else if ((unit & 0xF800) != 0xD800) {
      if (last - p < 3) break;
      // Three-byte characters, as many as surely fit, each stored as a word whose fourth byte
      // the next character or the terminator overwrites.
      std::size_t fit = std::size_t(last - p) / 3;
      do {
        storeBytes4(p, 0x8080E0u | unit >> 12 | (unit << 2 & 0x3F00) | (unit << 16 & 0x3F0000));
        p += 3;
        unit = *++s;
      } while (--fit != 0 && unit >= 0x800 && (unit & 0xF800) != 0xD800);
    } else if (unit < 0xDC00 && s[1] >= 0xDC00 && s[1] <= 0xDFFF) {
      if (last - p < 4) break;
      const unsigned cp = 0x10000 + ((unit - 0xD800) << 10) + (s[1] - 0xDC00u);
      p[0] = static_cast<unsigned char>(0xF0 | cp >> 18);
      p[1] = static_cast<unsigned char>(0x80 | (cp >> 12 & 0x3F));
      p[2] = static_cast<unsigned char>(0x80 | (cp >> 6 & 0x3F));
      p[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
      p += 4;
      s += 2;
    } else {
      // An unpaired surrogate stands for no code point.
      *p++ = '?';
      ++s;
    }
  }
  *p = 0;
  const auto written = std::size_t(p - reinterpret_cast<unsigned char*>(destination));
  return written ? int32(written) + 1 : 0;
}

}  // namespace Quillon::detail
