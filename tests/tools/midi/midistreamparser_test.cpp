// Checks the raw stream parser: messages come out whole however the bytes are split, and bytes
// that belong to no message are skipped.
#include "tools/midi/midistreamparser.h"

#include <gtest/gtest.h>

#include "tests/tools/midi/showitem.h"

namespace px7000host {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// Feeds `bytes` cut at `cuts`; the n-th piece at time n if `timed`, else all at time 0.
Lines parseInPieces(const Bytes& bytes, const std::vector<std::size_t>& cuts = {},
                    bool timed = false) {
  MidiStreamParser parser;
  Lines seen;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= cuts.size(); ++i) {
    const std::size_t to = i < cuts.size() ? cuts[i] : bytes.size();
    parser.feed(bytes.data() + from, to - from, timed ? double(i) : 0,
                [&](const PlayItem& item) { seen.push_back(show(item)); });
    from = to;
  }
  SourceError error;
  EXPECT_TRUE(parser.finish(error)) << error.message;
  EXPECT_EQ(parser.bytesSeen(), bytes.size());
  return seen;
}

const Bytes kStream = {
    0x90, 0x3C, 0x40,                    // 0
    0x3C, 0x00,                          // 3: running status
    0xF8,                                // 5: clock between messages
    0xB0, 0x07, 0xF8, 0x64,              // 6: clock inside a message
    0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  // 10: system exclusive
    0x40, 0x40,                          // 16: no running status after it: skipped
    0xC2, 0x05,                          // 18
    0xFE, 0x06,                          // 20: active sensing, then running status
    0xF2, 0x01, 0x02,                    // 22: song position
    0x3C, 0x00,                          // 25: skipped
    0xF0, 0x01, 0x02, 0x80, 0x3C, 0x00,  // 27: exclusive ended by a note off at 30
    0xF1, 0x10, 0xF6, 0xF7, 0x11,        // 33: system common and a stray end of exclusive
    0xE0, 0x00, 0x40,                    // 38
};

const Lines kExpected = {"90 3C 40 @0 0ms", "90 3C 00 @3 0ms",  "B0 07 64 @6 0ms", "C2 05 @18 0ms",
                         "C2 06 @21 0ms",   "80 3C 00 @30 0ms", "E0 00 40 @38 0ms"};

TEST(MidiStreamParser, SameMessagesAtEveryChunkBoundary) {
  EXPECT_EQ(parseInPieces(kStream), kExpected);
  for (std::size_t cut = 0; cut <= kStream.size(); ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(parseInPieces(kStream, {cut}), kExpected);
  }
  std::vector<std::size_t> everyByte;
  for (std::size_t i = 1; i < kStream.size(); ++i) everyByte.push_back(i);
  EXPECT_EQ(parseInPieces(kStream, everyByte), kExpected);
}

TEST(MidiStreamParser, TimeOfTheFeedThatCompletesAMessage) {
  EXPECT_EQ(parseInPieces({0x90, 0x3C, 0x40, 0x3C, 0x00}, {4}, true),
            (Lines{"90 3C 40 @0 0ms", "90 3C 00 @3 1ms"}));
}

TEST(MidiStreamParser, JoinedMidMessageWaitsForAStatus) {
  EXPECT_EQ(parseInPieces({0x40, 0x7F, 0x10, 0x99, 0x24, 0x64}), Lines{"99 24 64 @3 0ms"});
}

TEST(MidiStreamParser, FinishReportsAnUnfinishedMessage) {
  const struct {
    Bytes bytes;
    std::uint64_t offset;
    const char* message;
  } cases[] = {
      {{0x90}, 0, "stream ends inside a message"},
      {{0x90, 0x3C, 0x40, 0x3C}, 3, "stream ends inside a message"},
      {{0xC0, 0x01, 0xF2, 0x00}, 2, "stream ends inside a message"},
      {{0x90, 0x3C, 0x40, 0xF0, 0x7E}, 3, "stream ends inside a system exclusive message"},
  };
  for (const auto& c : cases) {
    MidiStreamParser parser;
    int messages = 0;
    const auto count = [&](const PlayItem&) { ++messages; };
    parser.feed(c.bytes.data(), c.bytes.size(), 0, count);
    SourceError error;
    EXPECT_FALSE(parser.finish(error));
    EXPECT_EQ(error.offset, c.offset);
    EXPECT_EQ(error.message, c.message);
    // The next stream starts afresh: no running status carries over.
    const Bytes next = {0x3C, 0x40};
    messages = 0;
    parser.feed(next.data(), next.size(), 0, count);
    EXPECT_EQ(messages, 0);
    EXPECT_TRUE(parser.finish(error));
  }
}

}  // namespace
}  // namespace px7000host
