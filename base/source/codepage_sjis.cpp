// Shift_JIS X0213 through glibc iconv, with one cached descriptor per direction.
#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/source/codepage.h"

namespace Quillon::detail {
namespace {

static_assert(std::is_same_v<iconv_t, void*>, "the cache keeps descriptors as void*");

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif
constexpr const char* kShiftJis = "SHIFT_JISX0213";
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);

// One cached descriptor for a direction. A caller takes it out of the slot, so no two threads
// ever share one, and puts it back when done; a thread that finds the slot empty opens its own.
class DescriptorCache {
 public:
  constexpr DescriptorCache(const char* to, const char* from) : to_(to), from_(from) {}

  iconv_t take() {
    if (iconv_t cd = slot_.exchange(nullptr)) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      return cd;
    }
    return iconv_open(to_, from_);
  }
  void give(iconv_t cd) {
    if (iconv_t displaced = slot_.exchange(cd)) iconv_close(displaced);
  }
  void close() {
    if (iconv_t cd = slot_.exchange(nullptr)) iconv_close(cd);
  }

 private:
  std::atomic<void*> slot_{nullptr};
  const char* to_;
  const char* from_;
};

DescriptorCache decoders(kUtf16, kShiftJis);
DescriptorCache encoders(kShiftJis, kUtf16);

struct CloseAtExit {
  ~CloseAtExit() {
    decoders.close();
    encoders.close();
  }
} closeAtExit;

class Lease {
 public:
  explicit Lease(DescriptorCache& cache) : cache_(cache), cd_(cache.take()) {}
  ~Lease() {
    if (cd_ != kNoDescriptor) cache_.give(cd_);
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;

  iconv_t get() const { return cd_; }

 private:
  DescriptorCache& cache_;
  iconv_t cd_;
};

// Bytes that decode to themselves and end any multi-byte character or combining sequence:
// ASCII except 0x5C and 0x7E, which Shift_JIS reads as YEN SIGN and OVERLINE.
bool decodesToItself(unsigned char byte) { return byte < 0x80 && byte != 0x5C && byte != 0x7E; }

// Collects decoded units: writes them while they fit whole, counts them all.
class UnitSink {
 public:
  UnitSink(char16* destination, std::size_t limit) : destination_(destination), limit_(limit) {}

  void put(char16 unit) {
    ++counted_;
    if (!destination_ || stopped_) return;
    // A high surrogate needs room for its low half too.
    if (written_ == limit_ || (isHighSurrogate(unit) && written_ + 1 == limit_)) {
      stopped_ = true;
      return;
    }
    destination_[written_++] = unit;
  }
  std::size_t counted() const { return counted_; }
  std::size_t written() const { return written_; }

 private:
  char16* destination_;
  std::size_t limit_;
  std::size_t counted_ = 0;
  std::size_t written_ = 0;
  bool stopped_ = false;
};

// Collects encoded bytes a whole character at a time while they fit.
class ByteSink {
 public:
  ByteSink(char8* destination, std::size_t room) : destination_(destination), room_(room) {}

  bool full() const { return full_; }
  std::size_t written() const { return written_; }

  void put(const char8* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count && !full_;) {
      const auto lead = static_cast<unsigned char>(bytes[i]);
      const bool pair = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
      const std::size_t length = pair && i + 1 < count ? 2 : 1;
      if (room_ - written_ < length) {
        full_ = true;
        return;
      }
      std::memcpy(destination_ + written_, bytes + i, length);
      written_ += length;
      i += length;
    }
  }

 private:
  char8* destination_;
  std::size_t room_;
  std::size_t written_ = 0;
  bool full_ = false;
};

// Converts the `units` 16-bit characters at `source` (no unpaired surrogate among them) and
// flushes the combining state; each code point the set lacks becomes '?'.
void encodeSegment(iconv_t cd, const char16* source, std::size_t units, ByteSink& sink) {
  if (units == 0) return;
  // Room for the whole segment (two bytes a unit at most), so the converter never stops for
  // room: glibc's can repeat itself forever when its output fills at an unlucky spot.
  const std::size_t capacity = units * 2 + 8;
  auto* scratch = static_cast<char*>(std::malloc(capacity));
  if (scratch == nullptr) return;
  char* in = reinterpret_cast<char*>(const_cast<char16*>(source));
  std::size_t inLeft = units * sizeof(char16);
  char* out = scratch;
  std::size_t outLeft = capacity;
  for (bool flushing = false;;) {
    const std::size_t result = flushing ? iconv(cd, nullptr, nullptr, &out, &outLeft)
                                        : iconv(cd, &in, &inLeft, &out, &outLeft);
    if (result != kIconvFailed) {
      if (flushing) break;
      flushing = true;
      continue;
    }
    if (flushing || errno == E2BIG || inLeft < sizeof(char16)) break;
    // Whatever iconv reports, skip the code point it stopped at: the whole pair if it is one.
    const std::size_t skip =
        inLeft >= 4 && isHighSurrogate(*reinterpret_cast<const char16*>(in)) ? 4 : 2;
    in += skip;
    inLeft -= skip;
    *out++ = '?';
    --outLeft;
  }
  sink.put(scratch, std::size_t(out - scratch));
  std::free(scratch);
}

// Decodes `length` bytes into `sink`; false when they cannot be decoded.
bool decodeRun(const char8* source, std::size_t length, UnitSink& sink) {
  // Room for every unit the run can give (no byte gives more than one), for the same reason
  // as in encodeSegment.
  const std::size_t capacity = (length + 4) * sizeof(char16);
  auto* scratch = static_cast<char16*>(std::malloc(capacity));
  if (scratch == nullptr) return false;
  Lease lease(decoders);
  char* in = const_cast<char8*>(source);
  std::size_t inLeft = length;
  char* out = reinterpret_cast<char*>(scratch);
  std::size_t outLeft = capacity;
  // Invalid or truncated text cannot be decoded.
  const bool decoded = lease.get() != kNoDescriptor &&
                       iconv(lease.get(), &in, &inLeft, &out, &outLeft) != kIconvFailed &&
                       iconv(lease.get(), nullptr, nullptr, &out, &outLeft) != kIconvFailed;
  if (decoded) {
    const std::size_t units = (capacity - outLeft) / sizeof(char16);
    for (std::size_t i = 0; i < units; ++i) sink.put(scratch[i]);
  }
  std::free(scratch);
  return decoded;
}

}  // namespace

int32 decodeShiftJis(char16* destination, const char8* source, int32 charCount) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  const std::size_t length = std::strlen(source);
  UnitSink sink(destination, std::size_t(charCount));
  // Leading bytes that decode to themselves leave the converter as it starts: it takes the rest.
  std::size_t plain = 0;
  while (plain < length && decodesToItself(bytes[plain])) sink.put(bytes[plain++]);
  if (plain < length && !decodeRun(source + plain, length - plain, sink)) {
    if (destination) destination[0] = 0;
    return 0;
  }
  if (!destination) {
    return sink.counted() >= std::size_t(INT32_MAX) ? INT32_MAX : int32(sink.counted()) + 1;
  }
  destination[sink.written()] = 0;
  return sink.written() ? int32(sink.written()) + 1 : 0;
}

int32 encodeShiftJis(char8* destination, const char16* source, int32 byteCount) {
  const std::size_t room = std::size_t(byteCount) - 1;
  // ASCII encodes to itself and never combines, so the converter is needed only past it.
  std::size_t plain = 0;
  for (; plain < room && source[plain] && source[plain] < 0x80; ++plain)
    destination[plain] = char8(source[plain]);
  ByteSink sink(destination + plain, room - plain);
  if (plain < room && source[plain]) {
    Lease lease(encoders);
    if (lease.get() == kNoDescriptor) {
      destination[0] = 0;
      return 0;
    }
    // Runs between unpaired surrogates go to the converter whole: it holds back a character
    // that might combine with the next, and the surrogate's '?' must come after it.
    std::size_t start = plain;
    for (std::size_t i = plain; !sink.full();) {
      const char16 unit = source[i];
      if (unit && !isHighSurrogate(unit) && !isLowSurrogate(unit)) {
        ++i;
      } else if (isHighSurrogate(unit) && isLowSurrogate(source[i + 1])) {
        i += 2;
      } else {
        encodeSegment(lease.get(), source + start, i - start, sink);
        if (!unit) break;
        sink.put("?", 1);
        start = ++i;
      }
    }
  }
  const std::size_t written = plain + sink.written();
  destination[written] = 0;
  return written ? int32(written) + 1 : 0;
}

}  // namespace Quillon::detail
