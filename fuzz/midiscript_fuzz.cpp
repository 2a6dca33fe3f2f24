// Fuzzes the script parser; accepted scripts must give well-formed messages and expectations in
// line order, and a refusal must name a line inside the text.
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/midi/midiscript.h"

using px7000host::channelMessageSize;
using px7000host::PlayItem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<PlayItem> items;
  px7000host::SourceError error;
  if (!px7000host::parseMidiScript(text, items, error)) {
    if (error.message.empty() || error.line < 1 || error.offset >= size || !items.empty()) {
      __builtin_trap();
    }
    return 0;
  }
  int lastLine = 0;
  double lastTime = 0;
  for (const PlayItem& item : items) {
    if (item.line <= lastLine || item.offset >= size || !(item.timeMs >= lastTime)) {
      __builtin_trap();
    }
    if (item.kind == PlayItem::Kind::expect) {
      if (item.expectation.find('/') == std::string::npos) __builtin_trap();
    } else {
      const auto& m = item.message;
      if (m.size == 0 || m.size != channelMessageSize(m.status) || m.data1 > 0x7F ||
          m.data2 > 0x7F) {
        __builtin_trap();
      }
    }
    lastLine = item.line;
    lastTime = item.timeMs;
  }
  return 0;
}
