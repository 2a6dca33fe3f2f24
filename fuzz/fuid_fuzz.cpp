// Fuzzes the identifier text forms and the raw hex reader with arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interfaces/funknown.h"

using Quillon::FUID;

namespace {

using Parse = bool (FUID::*)(const char*);
using Print = void (FUID::*)(char*) const;

// A text either parses, and prints back to a text that parses to the same identifier, or is
// rejected and leaves the identifier as it was.
void checkTextForm(const std::string& text, Parse parse, Print print, int32_t size) {
  const FUID before(0xA, 0xB, 0xC, 0xD);
  FUID id = before;
  if (!(id.*parse)(text.c_str())) {
    if (!(id == before)) std::abort();
    return;
  }
  std::string back(std::size_t(size), '\0');
  (id.*print)(back.data());
  FUID again;
  if (!(again.*parse)(back.c_str()) || !(again == id)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  checkTextForm(text, &FUID::fromString, &FUID::toString, FUID::kStringSize);
  checkTextForm(text, &FUID::fromRegistryString, &FUID::toRegistryString,
                FUID::kRegistryStringSize);

  // Direct byte reads of any range inside the buffer never read past the text's end.
  char bytes[16] = {};
  const int32_t to = size > 0 ? data[0] % 17 : 0;
  Quillon::fromString8(text.c_str(), bytes, 0, to);
  return 0;
}
