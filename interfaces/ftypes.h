// Fixed-width integer, character and identifier types shared by the module and its hosts.
//
// Every interface and record that crosses between host and module is written in these types,
// so their widths never depend on the compiler's choice for `int` or `long`.
#pragma once

#include <cstdint>

namespace Quillon {

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;

// One byte of 8-bit text, in a code page named where the text is converted.
using char8 = char;
// One UTF-16 code unit in the machine's byte order.
using char16 = char16_t;

// A raw 16-byte identifier in storage order; passed around as `const char*` to its first byte.
using TUID = char[16];

}  // namespace Quillon
