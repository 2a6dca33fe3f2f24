// Fuzzes the Standard MIDI File parser; what it accepts must be well-formed channel messages in
// time order, and a refusal must point inside the file.
#include <cstdint>
#include <vector>

#include "tools/midi/smfparser.h"

using px7000host::channelMessageSize;
using px7000host::PlayItem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<PlayItem> items;
  px7000host::SourceError error;
  if (!px7000host::parseStandardMidiFile(data, size, items, error)) {
    if (error.message.empty() || error.offset > size || !items.empty()) __builtin_trap();
    return 0;
  }
  double lastTime = 0;
  for (const PlayItem& item : items) {
    const auto& m = item.message;
    if (item.kind != PlayItem::Kind::message || m.size != channelMessageSize(m.status) ||
        m.size == 0 || m.data1 > 0x7F || m.data2 > 0x7F || (m.size == 2 && m.data2 != 0) ||
        item.offset >= size || !(item.timeMs >= lastTime)) {
      __builtin_trap();
    }
    lastTime = item.timeMs;
  }
  return 0;
}
