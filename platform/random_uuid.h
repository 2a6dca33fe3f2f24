// Random identifiers from the kernel's random source, standing in for the Mac's CFUUIDCreate.
#pragma once

#include <cstdint>

namespace Quillon::platform {

// Fills `out` with a random version-4 UUID (RFC 4122 variant bits set). Returns false, leaving
// `out` unchanged, when the kernel cannot supply random bytes.
bool createRandomUuid(std::uint8_t (&out)[16]);

}  // namespace Quillon::platform
