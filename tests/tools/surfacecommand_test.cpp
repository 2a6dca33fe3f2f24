// px7000-host surface and demo, end to end on the built bundle.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/tool_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::runHost;

TEST(SurfaceCommand, TableShowsControlsBindingsAndRemarks) {
  const auto run = runHost({"surface", PX7000_BUNDLE_PATH});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("26 controls"));
  EXPECT_THAT(run.out, HasSubstr(" 4  Play/Stop   90 5E  Note On ch 1, note 94       command "
                                 "Transport/StartStop"));
  EXPECT_THAT(run.out, HasSubstr("user function F2: Edit/Undo"));
  EXPECT_THAT(run.out, HasSubstr("value Mixer/solo (selector -2)"));
  EXPECT_THAT(run.out, HasSubstr("MIDI number 60 is shared by SF1 (Note On ch 1, note 60) and "
                                 "Data Dial (Control Change ch 1, cc 60)"));
  EXPECT_THAT(run.out, Not(HasSubstr("MIDI number 94"))) << "a number used once is no remark";
  EXPECT_THAT(run.out, HasSubstr("Data Dial (25) has no binding"));
  EXPECT_THAT(run.out, Not(HasSubstr("Top (0) has no binding")));
  EXPECT_THAT(run.out, HasSubstr("'wrng'=24"));
}

TEST(SurfaceCommand, JsonAndMarkdownCarryTheSameSurface) {
  const auto json = runHost({"surface", "--format", "json"});  // the bundle beside the tool
  ASSERT_EQ(json.exitStatus, 0) << json.err;
  const auto surface = nlohmann::json::parse(json.out);
  EXPECT_EQ(surface["schemaVersion"], 1);
  ASSERT_EQ(surface["controls"].size(), 26u);
  const auto& dial = surface["controls"][25];
  EXPECT_EQ(dial["name"], "Data Dial");
  EXPECT_EQ(dial["status"], 0xB0);
  EXPECT_EQ(dial["binding"]["kind"], "none");
  EXPECT_EQ(surface["controls"][1]["binding"]["selector"], -1);
  EXPECT_EQ(surface["userFunctions"].size(), 12u);
  EXPECT_EQ(surface["properties"]["midi"], 1);

  const auto markdown = runHost({"surface", PX7000_BUNDLE_PATH, "--format", "markdown"});
  ASSERT_EQ(markdown.exitStatus, 0);
  EXPECT_THAT(markdown.out,
              HasSubstr("| 25 | Data Dial | `B0 3C` | Control Change ch 1, cc 60 | - |"));
}

TEST(SurfaceCommand, UsageErrorsAndMissingBundlesExitWithTwo) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"surface", ""},
                                               {"surface", "/no/such/px7000.so"},
                                               {"surface", "/tmp"},
                                               {"surface", "--format", "xml"},
                                               {"surface", "--colour"},
                                               {"surface", "a.so", "b.so"},
                                               {"launch"},
                                               {}}) {
    const auto run = runHost(args);
    EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(args) << run.out;
    EXPECT_FALSE(run.err.empty());
  }
}

TEST(SurfaceCommand, AFileThatIsNoLibraryFailsButIsNoUsageError) {
  testsupport::TempFile text("not a library\n", ".so");
  const auto run = runHost({"surface", text.path()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_THAT(run.err, HasSubstr(text.path()));
}

TEST(DemoCommand, PlaysEveryKeyAndTheDialAndMeetsEveryExpectation) {
  const auto run = runHost({"demo"});
  ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("26 controls"));
  EXPECT_THAT(run.out, HasSubstr("27 events played, 18 expectations met, 0 failed"));
  EXPECT_THAT(run.out, HasSubstr("B0 3C 41  25 Data Dial    action manager     "
                                 "Transport/Step Back Bar"));
  EXPECT_EQ(run.out.substr(run.out.size() - 8), "SUCCESS\n");
  EXPECT_EQ(runHost({"demo", "extra"}).exitStatus, 2);
}

}  // namespace
