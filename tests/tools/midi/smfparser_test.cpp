// Checks the Standard MIDI File parser on hand-made files: events, timing, merging and faults.
#include "tools/midi/smfparser.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/tools/midi/showitem.h"

namespace px7000host {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

Lines parse(const Bytes& file) {
  std::vector<PlayItem> items;
  SourceError error;
  EXPECT_TRUE(parseStandardMidiFile(file.data(), file.size(), items, error)) << error.message;
  return showAll(items);
}

// A format 0 file, 96 ticks per quarter, with one track holding `track`.
Bytes format0(const Bytes& track, std::uint8_t trackCount = 1) {
  Bytes file = {'M',        'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                trackCount, 0,   0x60, 'M', 'T', 'r', 'k', 0, 0, 0, std::uint8_t(track.size())};
  for (std::uint8_t byte : track) file.push_back(byte);
  return file;
}

TEST(SmfParser, Format0WithRunningStatusMetaAndSysEx) {
  EXPECT_EQ(
      parse(format0({
          0x00, 0xFF, 0x03, 0x04, 'D',  'r',  'u', 'm',  // 22: track name
          0x00, 0x99, 0x24, 0x64,                        // 30: tick 0
          0x60, 0x24, 0x00,                              // 34: running status, tick 96
          0x00, 0xF0, 0x03, 0x43, 0x12, 0xF7,            // 37: system exclusive
          0x00, 0xC9, 0x05,                              // 43
          0x30, 0x07,                                    // 46: running status, tick 144
          0x00, 0xFF, 0x2F, 0x00,                        // 48: end of track
          0xF4, 0x00,                                    // 52: after the end: ignored
      })),
      (Lines{"99 24 64 @31 0ms", "99 24 00 @35 500ms", "C9 05 @44 500ms", "C9 07 @47 750ms"}));
}

TEST(SmfParser, Format1MergesTracksAndAppliesTempoFromAnyTrack) {
  // 480 ticks at 500 ms per quarter, then 480 at 250; equal times keep track order.
  EXPECT_EQ(parse({
                'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    1,
                0,    2,    0x01, 0xE0,                                      // 480 per quarter
                'M',  'T',  'r',  'k',  0,    0,    0,    0x18,              //
                0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,                    // 22: tick 0
                0x83, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,              // 29: tick 480
                0x83, 0x60, 0xB0, 0x07, 0x64,                                // 37: tick 960
                0x00, 0xFF, 0x2F, 0x00,                                      // 42
                'X',  'F',  'I',  'R',  0,    0,    0,    2,    0xAA, 0xBB,  // 46: unknown chunk
                'M',  'T',  'r',  'k',  0,    0,    0,    0x0C,              // 56
                0x00, 0x90, 0x3C, 0x40,                                      // 64: tick 0
                0x87, 0x40, 0x3C, 0x00,                                      // 68: tick 960
                0x00, 0xFF, 0x2F, 0x00,                                      // 72
            }),
            (Lines{"90 3C 40 @65 0ms", "B0 07 64 @39 750ms", "90 3C 00 @70 750ms"}));
}

TEST(SmfParser, SmpteDivisionIgnoresTempo) {
  Bytes file = {
      'M',  'T',  'h',  'd',  0,    0,    0,    8,
      0,    0,    0,    1,    0xE7, 0x28, 0xEE, 0xEE,  // -25 fps, 40 per frame
      'M',  'T',  'r',  'k',  0,    0,    0,    0x0C,  //
      0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,        // 24
      0x87, 0x68, 0x80, 0x3C, 0x00,                    // 31: tick 1000
  };
  EXPECT_EQ(parse(file), Lines{"80 3C 00 @33 1000ms"});
  file[12] = 0xE3;  // -29: 29.97 frames per second
  EXPECT_EQ(parse(file), Lines{"80 3C 00 @33 834.1675008ms"});
}

TEST(SmfParser, FaultsGiveOffsetAndReason) {
  const struct {
    Bytes file;
    std::uint64_t offset;
    const char* message;
  } cases[] = {
      {{'R', 'I', 'F', 'F', 0, 0, 0, 4, 'R', 'M', 'I', 'D'},
       0,
       "not a standard MIDI file (no MThd header)"},
      {{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, 4, "header chunk runs past the end of the file"},
      {{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 2, 0, 1, 0, 0x60}, 8, "format 2 is not supported"},
      {{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0},
       12,
       "division is zero ticks per quarter note"},
      {{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60, 'M', 'T', 'r', 'k', 0, 0, 0, 0x10, 0},
       18,
       "track chunk runs past the end of the file"},
      {format0({0x00, 0xFF, 0x2F, 0x00}, 2), 26, "file ends before track 2 of 2"},
      {format0({0x00, 0x3C, 0x40}), 23, "data byte without a running status"},
      {format0({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00}), 31,
       "data byte without a running status"},
      {format0({0x00, 0x90, 0x3C, 0x40, 0x10, 0x3C}), 27, "truncated event"},
      {format0({0x00, 0xFF, 0x01, 0x05, 'a'}), 23, "truncated event"},
      {format0({0x00, 0x90, 0x3C, 0x40, 0x81}), 26, "truncated event"},
      {format0({0xFF, 0xFF, 0xFF, 0xFF, 0x00}), 22, "variable-length quantity longer than 4 bytes"},
      {format0({0x00, 0x90, 0x3C, 0x80, 0x3C}), 25, "status byte 0x80 inside a channel message"},
      {format0({0x00, 0xF8}), 23, "unexpected status byte 0xF8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<PlayItem> items(1);
    SourceError error;
    EXPECT_FALSE(parseStandardMidiFile(c.file.data(), c.file.size(), items, error));
    EXPECT_EQ(error.offset, c.offset);
    EXPECT_EQ(error.message, c.message);
    EXPECT_EQ(items.size(), 1u);  // untouched
  }
}

TEST(SmfParser, HundredThousandEventsQuickly) {
  Bytes file = {'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                1,   0,   0x60, 'M', 'T', 'r', 'k', 0, 0, 0, 0};
  file.push_back(0x00);
  file.push_back(0x90);
  for (int i = 0; i < 100000; ++i) {
    if (i > 0) file.push_back(0x0C);  // 12 ticks: 62.5 ms
    file.push_back(std::uint8_t(i % 128));
    file.push_back(0x40);
  }
  const std::size_t length = file.size() - 22;
  for (int i = 0; i < 4; ++i) file[18 + i] = std::uint8_t(length >> (24 - 8 * i));
  std::vector<PlayItem> items;
  SourceError error;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(parseStandardMidiFile(file.data(), file.size(), items, error)) << error.message;
  // Generous for sanitizer builds; an optimised build takes about 2 ms.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
  ASSERT_EQ(items.size(), 100000u);
  EXPECT_EQ(show(items.back()), "90 1F 40 @" + std::to_string(file.size() - 2) + " 6249937.5ms");
}

}  // namespace
}  // namespace px7000host
