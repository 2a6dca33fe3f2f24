// Checks the script parser: every command with its options, times and positions, and a clear
// error with the line for each kind of mistake.
#include "tools/midi/midiscript.h"

#include <gtest/gtest.h>

#include "tests/tools/midi/showitem.h"

namespace px7000host {
namespace {

using Lines = std::vector<std::string>;

TEST(MidiScript, EveryCommandWithPositionsAndTimes) {
  const std::string script =
      "# kick, then a bar step\r\n"                // 0
      "note 36 100\r\n"                            // 25
      "\r\n"                                       // 38
      "  wait 250ms   # settle\n"                  // 40
      "off 0x24 ch 10\n"                           // 64
      "cc 7 90 ch 2\n"                             // 79
      "wait 1.5s\n"                                // 92
      "raw c1 0x05\n"                              // 102
      "wait 20\n"                                  // 114
      "wait 0.5 s\n"                               // 122
      "raw E0 00 40\n"                             // 133
      "expect  Transport/Step Bar  # the dial\n";  // 146
  std::vector<PlayItem> items;
  SourceError error;
  ASSERT_TRUE(parseMidiScript(script, items, error)) << error.message;
  EXPECT_EQ(showAll(items), (Lines{"90 24 64 @25 0ms line 2", "89 24 00 @64 250ms line 5",
                                   "B1 07 5A @79 250ms line 6", "C1 05 @102 1750ms line 8",
                                   "E0 00 40 @133 2270ms line 11",
                                   "expect Transport/Step Bar @146 2270ms line 12"}));
}

TEST(MidiScript, MistakesNameTheLineAndTheProblem) {
  const struct {
    std::string script;
    int line;
    std::uint64_t offset;
    std::string message;
  } cases[] = {
      {"note 36 100\nfoo 1\n", 2, 12, "unknown command 'foo'"},
      {"note 200 1", 1, 0, "note number 200 is out of range 0..127"},
      {"\n\nnote 36 0x80", 3, 2, "velocity 0x80 is out of range 0..127"},
      {"note 36 99999999999999999999", 1, 0,
       "velocity 99999999999999999999 is out of range 0..127"},
      {"note 36 1x", 1, 0, "velocity '1x' is not a number"},
      {"note 36", 1, 0, "usage: note NUMBER VELOCITY [ch CHANNEL]"},
      {"note 36 100 chan 2", 1, 0, "usage: note NUMBER VELOCITY [ch CHANNEL]"},
      {"cc 7 90 ch 17", 1, 0, "channel 17 is out of range 1..16"},
      {"off 60 100", 1, 0, "usage: off NUMBER [ch CHANNEL]"},
      {"raw F8 00", 1, 0, "raw status F8 is not a channel status 80..EF"},
      {"raw 90 3C", 1, 0, "raw status 90 takes 2 data bytes"},
      {"raw C0 01 02", 1, 0, "raw status C0 takes 1 data byte"},
      {"raw 90 3C 80", 1, 0, "raw data byte 80 is out of range 00..7F"},
      {"raw 90 3C 100", 1, 0, "raw byte '100' is not a hex byte 00..FF"},
      {"wait 1.5 min", 1, 0, "usage: wait DURATION, e.g. 250ms, 1.5s or 20"},
      {"wait 100000s", 1, 0, "wait 100000s is longer than a day"},
      {"expect Transport", 1, 0, "expect needs Category/Command"},
      {"expect Transport/ # no command", 1, 0, "expect needs Category/Command"},
      {"expect  /Step Bar", 1, 0, "expect needs Category/Command"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::vector<PlayItem> items(1);
    SourceError error;
    EXPECT_FALSE(parseMidiScript(c.script, items, error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.offset, c.offset);
    EXPECT_EQ(error.message, c.message);
    EXPECT_EQ(items.size(), 1u);  // what the good lines before added is taken back
  }
}

}  // namespace
}  // namespace px7000host
