// Fuzzes the identifier text forms: any text either parses or is rejected, and what parses
// prints back to a text that parses to the same identifier.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interfaces/funknown.h"

using Quillon::FUID;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  FUID id(0xA, 0xB, 0xC, 0xD);
  const FUID before = id;
  if (id.fromString(text.c_str())) {
    char back[FUID::kStringSize];
    id.toString(back);
    FUID again;
    if (!again.fromString(back) || !(again == id)) std::abort();
  } else if (!(id == before)) {
    std::abort();  // a rejected text must leave the identifier as it was
  }

  FUID registry(0xA, 0xB, 0xC, 0xD);
  if (registry.fromRegistryString(text.c_str())) {
    char back[FUID::kRegistryStringSize];
    registry.toRegistryString(back);
    FUID again;
    if (!again.fromRegistryString(back) || !(again == registry)) std::abort();
  } else if (!(registry == before)) {
    std::abort();
  }

  // Direct byte reads of any range inside the buffer never read past the text's end.
  char bytes[16] = {};
  const int32_t to = size > 0 ? data[0] % 17 : 0;
  Quillon::fromString8(text.c_str(), bytes, 0, to);
  return 0;
}
