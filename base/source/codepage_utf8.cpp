// Strict UTF-8 to and from UTF-16, with a fast path for runs of ASCII.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/source/codepage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Quillon::detail {
namespace {

constexpr std::ptrdiff_t kBlock = 16;

// Widens the kBlock bytes at `s` into the destination (when writing) if all of them are ASCII;
// returns whether they were.
template <bool kWrite>
bool widenAsciiBlock(const unsigned char* s, char16* destination, std::size_t written) {
#if defined(__SSE2__)
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  if (_mm_movemask_epi8(bytes) != 0) return false;
  if constexpr (kWrite) {
    const __m128i zero = _mm_setzero_si128();
    auto* out = reinterpret_cast<__m128i*>(destination + written);
    _mm_storeu_si128(out, _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(out + 1, _mm_unpackhi_epi8(bytes, zero));
  }
#else
  std::uint64_t low, high;
  std::memcpy(&low, s, 8);
  std::memcpy(&high, s + 8, 8);
  if ((low | high) & 0x8080808080808080u) return false;
  if constexpr (kWrite) {
    for (int k = 0; k < kBlock; ++k) destination[written + k] = s[k];
  }
#endif
  return true;
}

// Decodes from `s` towards `end`, writing to `destination` from `written` on while fewer than
// `limit` units are there (only counting when `kWrite` is false). Stops at the end, or before
// the first character that does not fit whole; returns false at the first invalid sequence.
template <bool kWrite>
bool decodeRun(const unsigned char*& s, const unsigned char* end, char16* destination,
               std::size_t& written, std::size_t limit) {
  while (s < end) {
    // A block of ASCII goes in one step; any other block, or the tail, a character at a time.
    // One test per block keeps text that mixes in other characters on the plain loop below.
    const unsigned char* stop = end;
    if (end - s >= kBlock && limit - written >= std::size_t(kBlock)) {
      if (widenAsciiBlock<kWrite>(s, destination, written)) {
        s += kBlock;
        written += kBlock;
        continue;
      }
      stop = s + kBlock;
    }
    while (s < stop) {
      if (written == limit) return true;
      const unsigned lead = *s;
      if (lead < 0x80) {
        if constexpr (kWrite) destination[written] = char16(lead);
        ++s;
        ++written;
        continue;
      }
      const std::size_t left = std::size_t(end - s);
      if (lead < 0xE0) {
        // C0 and C1 would only start overlong forms of ASCII.
        if (lead < 0xC2 || left < 2 || (s[1] & 0xC0) != 0x80) return false;
        if constexpr (kWrite) destination[written] = char16((lead & 0x1F) << 6 | (s[1] & 0x3F));
        s += 2;
        ++written;
      } else if (lead < 0xF0) {
        if (left < 3 || (s[1] & 0xC0) != 0x80 || (s[2] & 0xC0) != 0x80) return false;
        const unsigned cp = (lead & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F);
        // Overlong forms and encoded surrogates.
        if (cp < 0x800 || (cp & 0xF800) == 0xD800) return false;
        if constexpr (kWrite) destination[written] = char16(cp);
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
        if constexpr (kWrite) {
          destination[written] = char16(0xD7C0 + (cp >> 10));
          destination[written + 1] = char16(0xDC00 | (cp & 0x3FF));
        }
        s += 4;
        written += 2;
      }
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
  if (!decodeRun<false>(s, end, nullptr, counted, SIZE_MAX)) {
    if (destination) destination[0] = 0;
    return 0;
  }
  if (!destination) return counted >= std::size_t(INT32_MAX) ? INT32_MAX : int32(counted) + 1;
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

int32 encodeUtf8(char8* destination, const char16* source, int32 byteCount) {
  const std::size_t room = std::size_t(byteCount) - 1;
  auto* out = reinterpret_cast<unsigned char*>(destination);
  std::size_t written = 0;
  for (std::size_t i = 0;;) {
    const unsigned unit = source[i];
    if (unit == 0 || written == room) break;
    // Runs of ASCII go through the copy loop; other text stays here, a character at a time.
    if (unit < 0x80) {
      const std::size_t ascii = copyAscii(source + i, out + written, room - written);
      i += ascii;
      written += ascii;
    } else if (unit < 0x800) {
      if (room - written < 2) break;
      out[written] = static_cast<unsigned char>(0xC0 | unit >> 6);
      out[written + 1] = static_cast<unsigned char>(0x80 | (unit & 0x3F));
      written += 2;
      ++i;
    } else if ((unit & 0xF800) != 0xD800) {
      if (room - written < 3) break;
      out[written] = static_cast<unsigned char>(0xE0 | unit >> 12);
      out[written + 1] = static_cast<unsigned char>(0x80 | (unit >> 6 & 0x3F));
      out[written + 2] = static_cast<unsigned char>(0x80 | (unit & 0x3F));
      written += 3;
      ++i;
    } else if (unit < 0xDC00 && source[i + 1] >= 0xDC00 && source[i + 1] <= 0xDFFF) {
      if (room - written < 4) break;
      const unsigned cp = 0x10000 + ((unit - 0xD800) << 10) + (source[i + 1] - 0xDC00u);
      out[written] = static_cast<unsigned char>(0xF0 | cp >> 18);
      out[written + 1] = static_cast<unsigned char>(0x80 | (cp >> 12 & 0x3F));
      out[written + 2] = static_cast<unsigned char>(0x80 | (cp >> 6 & 0x3F));
      out[written + 3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
      written += 4;
      i += 2;
    } else {
      // An unpaired surrogate stands for no code point.
      out[written++] = '?';
      ++i;
    }
  }
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

}  // namespace Quillon::detail
