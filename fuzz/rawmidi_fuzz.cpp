// Fuzzes the raw stream parser with the input cut in two at a point the first byte picks; the
// messages must be well-formed, in stream order, and the same as from one uncut feed.
#include <cstdint>
#include <vector>

#include "tools/midi/midistreamparser.h"

using px7000host::channelMessageSize;
using px7000host::MidiStreamParser;
using px7000host::PlayItem;

namespace {

struct Seen {
  std::uint64_t offset;
  std::uint8_t status, data1, data2, size;
  bool operator==(const Seen& o) const {
    return offset == o.offset && status == o.status && data1 == o.data1 && data2 == o.data2 &&
           size == o.size;
  }
};

bool parse(const std::uint8_t* data, std::size_t size, std::size_t cut, std::vector<Seen>& seen,
           px7000host::SourceError& error) {
  MidiStreamParser parser;
  const auto sink = [&](const PlayItem& item) {
    const auto& m = item.message;
    if (m.size == 0 || m.size != channelMessageSize(m.status) || m.data1 > 0x7F || m.data2 > 0x7F ||
        item.offset >= size || (!seen.empty() && item.offset <= seen.back().offset)) {
      __builtin_trap();
    }
    seen.push_back({item.offset, m.status, m.data1, m.data2, m.size});
  };
  parser.feed(data, cut, 0, sink);
  parser.feed(data + cut, size - cut, 1, sink);
  if (parser.bytesSeen() != size) __builtin_trap();
  return parser.finish(error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t cut = size == 0 ? 0 : data[0] * size / 256;
  std::vector<Seen> split, whole;
  px7000host::SourceError splitError, wholeError;
  const bool splitOk = parse(data, size, cut, split, splitError);
  const bool wholeOk = parse(data, size, size, whole, wholeError);
  if (splitOk != wholeOk || !(split == whole)) __builtin_trap();
  if (!splitOk && (splitError.offset != wholeError.offset || splitError.offset >= size)) {
    __builtin_trap();
  }
  return 0;
}
