// getrandom-based UUIDs: needs no library beyond the C runtime.
#include "platform/random_uuid.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>

namespace Quillon::platform {

bool createRandomUuid(std::uint8_t (&out)[16]) {
  std::uint8_t bytes[16];
  std::size_t filled = 0;
  while (filled < sizeof bytes) {
    const ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  std::memcpy(out, bytes, sizeof bytes);
  return true;
}

}  // namespace Quillon::platform
