// px7000-host play, end to end on the built bundle: sources, expectations, hosts and ports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/tools/tool_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::runHost;
using testsupport::TempFile;

std::string bytes(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += char(value);
  return text;
}

// Format 0, 96 ticks a quarter at 120 bpm: Play/Stop at 0, a SysEx and a dial step at 500 ms,
// the dial back at 1000 ms under running status.
const std::string kSong = bytes({'M',  'T',  'h',  'd', 0,    0,  0,   6,    0,    0, 0,    1,    0,
                                 96,   'M',  'T',  'r', 'k',  0,  0,   0,    27,   0, 0xFF, 0x51, 3,
                                 0x07, 0xA1, 0x20, 0,   0x90, 94, 127, 96,   0xF0, 2, 1,    0xF7, 0,
                                 0xB0, 60,   1,    96,  60,   65, 0,   0xFF, 0x2F, 0});

TEST(PlayCommand, MidiFileEventsReachTheHostInTime) {
  TempFile song(kSong, ".mid");
  const auto run = runHost({"play", PX7000_BUNDLE_PATH, song.path()});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("      0.0  90 5E 7F  4 Play/Stop     standard handling  "
                                 "Transport/StartStop"));
  EXPECT_THAT(run.out, HasSubstr("    500.0  B0 3C 01  25 Data Dial    action manager     "
                                 "Transport/Step Bar"));
  EXPECT_THAT(run.out, HasSubstr("   1000.0  B0 3C 41  25 Data Dial"));
  EXPECT_THAT(run.out, HasSubstr("3 events played"));

  // A second source follows the first in time.
  const auto twice = runHost({"play", song.path(), song.path()});
  EXPECT_THAT(twice.out, HasSubstr("   1500.0  B0 3C 01"));
  EXPECT_THAT(twice.out, HasSubstr("6 events played"));
}

TEST(PlayCommand, RawStreamOnStandardInput) {
  // Starts mid-message, then a clock byte inside a message and running status.
  const auto run = runHost({"play", "-"}, bytes({60, 1, 0x90, 94, 0xF8, 127, 0xB0, 60, 1, 60, 65}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("90 5E 7F  4 Play/Stop"));
  EXPECT_THAT(run.out, HasSubstr("B0 3C 41  25 Data Dial"));
  EXPECT_THAT(run.out, HasSubstr("3 events played"));
}

TEST(PlayCommand, ExpectationsPassAndFail) {
  TempFile passing(
      "note 94 127\nexpect Transport/StartStop\ncc 60 1\ncc 60 65\n"
      "expect Transport/Step Back Bar\nexpect Transport/Step Bar\n",
      ".txt");
  const auto good = runHost({"play", passing.path()});
  EXPECT_EQ(good.exitStatus, 0) << good.out;
  EXPECT_THAT(good.out, HasSubstr("3 expectations met, 0 failed"));

  // One command meets one expectation, and never one of a later group.
  TempFile failing(
      "cc 60 1\ncc 60 1\nexpect Transport/Step Bar\nnote 94 127\n"
      "expect Transport/StartStop\nexpect Transport/StartStop\n"
      "expect Transport/Step Bar\n",
      ".txt");
  const auto bad = runHost({"play", failing.path()});
  EXPECT_EQ(bad.exitStatus, 1);
  EXPECT_THAT(bad.out, HasSubstr("2 expectations met, 2 failed"));
  EXPECT_THAT(bad.out, HasSubstr("expect Transport/StartStop: FAILED (line 6; the host did "
                                 "nothing)"));
  EXPECT_THAT(bad.out, HasSubstr("FAILURE"));
}

TEST(PlayCommand, HostVersionDecidesTheQuantizeCategory) {
  TempFile script("note 54 127\nexpect Quantize Category/Quantize\n", ".txt");
  const auto newer = runHost({"play", script.path(), "--host-name", "Tessera Crafter 6",
                              "--host-version", "6.0.1", "--host-build", "Build 300"});
  EXPECT_EQ(newer.exitStatus, 0) << newer.out;
  EXPECT_EQ(runHost({"play", script.path()}).exitStatus, 1) << "Tessera 5 uses MIDI/Quantize";

  const auto refused = runHost({"play", script.path(), "--host-name", "Tessera MN"});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_THAT(refused.out, HasSubstr("note: the service refused the host"));
  EXPECT_THAT(refused.out, HasSubstr("90 36 7F  -"));
}

TEST(PlayCommand, PortLayouts) {
  TempFile script("cc 60 1\nexpect Transport/Step Bar\n", ".txt");
  for (const char* layout : {"none", "input", "output"}) {
    const auto run = runHost({"play", script.path(), "--ports", layout});
    EXPECT_EQ(run.exitStatus, 1) << layout;
    EXPECT_THAT(run.out, HasSubstr("were not found")) << layout;
  }
  // Both inputs pair with the first output: two remote devices, the first one played.
  EXPECT_EQ(runHost({"play", script.path(), "--ports", "two-pairs"}).exitStatus, 0);
}

TEST(PlayCommand, JsonLinesLog) {
  TempFile script("note 94 127\nexpect Transport/StartStop\n", ".txt");
  const auto run = runHost({"play", script.path(), "--json"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  std::istringstream lines(run.out);
  std::vector<nlohmann::json> objects;
  for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(objects.size(), 4u);
  EXPECT_EQ(objects[0]["schemaVersion"], 1);
  EXPECT_EQ(objects[1]["control"], 4);
  EXPECT_EQ(objects[1]["performed"][0], "Transport/StartStop");
  EXPECT_EQ(objects[2]["met"], true);
  EXPECT_EQ(objects[3]["result"], "SUCCESS");
}

TEST(PlayCommand, BadSourcesAndUsageExitWithTwo) {
  TempFile cut(kSong.substr(0, 30), ".mid");
  const auto truncated = runHost({"play", cut.path()});
  EXPECT_EQ(truncated.exitStatus, 2);
  EXPECT_THAT(truncated.err, HasSubstr(cut.path() + ": byte "));
  EXPECT_EQ(std::count(truncated.err.begin(), truncated.err.end(), '\n'), 1) << truncated.err;

  TempFile script("note 94 127\nnote 300 1\n", ".txt");
  const auto wrong = runHost({"play", script.path()});
  EXPECT_EQ(wrong.exitStatus, 2);
  EXPECT_THAT(wrong.err, HasSubstr(script.path() + ":2: "));

  EXPECT_EQ(runHost({"play", "/no/such/song.mid"}).exitStatus, 2);
  EXPECT_EQ(runHost({"play"}).exitStatus, 2);
  EXPECT_EQ(runHost({"play", script.path(), "--ports", "three"}).exitStatus, 2);
  EXPECT_EQ(runHost({"play", script.path(), "--host-name"}).exitStatus, 2);
  EXPECT_EQ(runHost({"play", "/no/such/px7000.so", script.path()}).exitStatus, 2);
  EXPECT_THAT(runHost({"play", "--quiet", script.path()}).out, Not(HasSubstr("Play/Stop")));
}

}  // namespace
