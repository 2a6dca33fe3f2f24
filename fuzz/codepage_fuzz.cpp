// Fuzzes the code-page conversions with arbitrary bytes, arbitrary 16-bit units and small limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/source/codepage.h"

using Quillon::char16;
using Quillon::int32;
using Quillon::uint32;
using Quillon::detail::decodeMultiByte;
using Quillon::detail::encodeWide;
using Quillon::detail::isHighSurrogate;

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// Decodes into an exact-size heap buffer for `charCount` characters; returns what was written.
std::u16string decodeLimited(const char* source, int32 charCount, uint32 codePage, int32* result) {
  const std::size_t capacity = std::size_t(charCount > 0 ? charCount : 0) + 1;
  auto buffer = std::make_unique<char16[]>(capacity);
  *result = decodeMultiByte(buffer.get(), source, charCount, codePage);
  return std::u16string(buffer.get());
}

std::string encodeLimited(const char16* source, int32 byteCount, uint32 codePage, int32* result) {
  const std::size_t capacity = std::size_t(byteCount > 0 ? byteCount : 0);
  auto buffer = std::make_unique<char[]>(capacity);
  *result = encodeWide(buffer.get(), source, byteCount, codePage);
  return capacity ? std::string(buffer.get()) : std::string();
}

void fuzzDecode(const char* source, int32 limit, uint32 codePage) {
  const int32 needed = decodeMultiByte(nullptr, source, 0, codePage);
  int32 result = 0;
  const std::u16string limited = decodeLimited(source, limit, codePage, &result);
  check(result == (limited.empty() ? 0 : int32(limited.size()) + 1));
  if (needed == 0) {
    check(limited.empty());
    return;
  }
  const std::u16string full = decodeLimited(source, needed - 1, codePage, &result);
  check(result == (needed > 1 ? needed : 0) && full.size() == std::size_t(needed - 1));
  const std::size_t room = std::size_t(limit > 0 ? limit : 0);
  check(limited.size() <= room && full.compare(0, limited.size(), limited) == 0);
  // Only a pair that does not fit whole may be left out.
  if (limited.size() < room) {
    check(limited.size() == full.size() ||
          (limited.size() + 1 == room && isHighSurrogate(full[limited.size()])));
  }
  // These sets map each decodable text one to one, so it encodes back unchanged.
  if (codePage != Quillon::kCodePageShiftJis) {
    const int32 bound = encodeWide(nullptr, full.c_str(), 0, codePage);
    check(encodeLimited(full.c_str(), bound + 1, codePage, &result) == (source ? source : ""));
  }
}

void fuzzEncode(const char16* source, int32 limit, uint32 codePage) {
  const int32 bound = encodeWide(nullptr, source, 0, codePage);
  int32 result = 0;
  const std::string full = encodeLimited(source, bound + 1, codePage, &result);
  check(result == (full.empty() ? 0 : int32(full.size()) + 1));
  const std::string limited = encodeLimited(source, limit, codePage, &result);
  check(result == (limited.empty() ? 0 : int32(limited.size()) + 1));
  check(int32(limited.size()) < (limit > 0 ? limit : 1));
  check(full.compare(0, limited.size(), limited) == 0);
  if (codePage == Quillon::kCodePageUtf8) {
    // Valid UTF-8 comes out; it decodes back to the source with '?' for unpaired surrogates.
    const int32 needed = decodeMultiByte(nullptr, full.c_str(), 0, codePage);
    check(needed > 0);
    const std::u16string back = decodeLimited(full.c_str(), needed - 1, codePage, &result);
    std::u16string want(source);
    for (std::size_t i = 0; i < want.size(); ++i) {
      if (isHighSurrogate(want[i]) && i + 1 < want.size() && want[i + 1] >= 0xDC00 &&
          want[i + 1] <= 0xDFFF)
        ++i;
      else if (want[i] >= 0xD800 && want[i] <= 0xDFFF)
        want[i] = u'?';
    }
    check(back == want);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  constexpr uint32 kCodePages[] = {0, 2, 932, 1252, 10029, 65001, 437};
  const uint32 codePage = kCodePages[data[0] % 7];
  const int32 limit = int32(data[1] % 20) - 2;
  data += 2;
  size -= 2;

  auto bytes = std::make_unique<char[]>(size + 1);
  std::memcpy(bytes.get(), data, size);
  bytes[size] = 0;
  fuzzDecode(bytes.get(), limit, codePage);
  fuzzDecode(nullptr, limit, codePage);

  auto units = std::make_unique<char16[]>(size / 2 + 1);
  std::memcpy(units.get(), data, size / 2 * 2);
  units[size / 2] = 0;
  fuzzEncode(units.get(), limit, codePage);
  return 0;
}
