// Tests of host identification from the host application's texts.
#include "device/dawinfo.h"

#include <gtest/gtest.h>

#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostFixture;
using DAWInfoHost = HostFixture;

TEST_F(DAWInfoHost, FirstTableRowContainedInTheNameGivesTheIndex) {
  const struct {
    const char16_t* name;
    int index;
  } names[] = {
      {u"tessera crafter 5 (64-bit)", 4},
      {u"TESSERA LOFT", 4},
      {u"Tessera Core", 3},
      {u"Tessera Basics 5", 3},
      {u"Tessera KT", 2},
      {u"Tessera MN 5", 1},
      {u"My Tessera", 5},
      {u"Veridian 5", 6},
      {u"Other Host", 0},
  };
  for (const auto& row : names) {
    host.application().setIdentity(row.name, u"5.5.0", u"Build 512");
    const DAWInfo info(&host.application());
    EXPECT_EQ(info.getDAWNameIndex(), row.index) << info.getDAWName();
    EXPECT_EQ(info.isAllInfoAnalyzed(), row.index != 0) << info.getDAWName();
  }
}

TEST_F(DAWInfoHost, ReadsAllThreeTextsBeforeLookingAtAny) {
  host.application().setIdentity(u"Tessera \u00C9dition", u"Version 6.0.2.146", u"Build 512");
  const DAWInfo info(&host.application());
  EXPECT_EQ(host.log().entries(),
            (std::vector<std::string>{"application.getHostName()", "application.getHostVersion()",
                                      "application.getHostBuild()"}));
  EXPECT_EQ(info.getDAWName(),
            "Tessera \xC3\x89"
            "dition");
  EXPECT_EQ(info.getVersionString(), "6.0.2.146");
  EXPECT_EQ(info.getMajorVersion(), 6);
  EXPECT_EQ(info.getMinorVersion(), 0);
  EXPECT_EQ(info.getBugFixVersion(), 2) << "the bug-fix text 2.146 reads as 2";
  EXPECT_EQ(info.getBuildNumber(), 512);
  EXPECT_TRUE(info.isAllInfoAnalyzed());
}

TEST_F(DAWInfoHost, MissingTextsKeepTheInitialValues) {
  host.application().setIdentity(nullptr, nullptr, u"no digits");
  DAWInfo info(&host.application());
  EXPECT_EQ(info.getDAWName(), "");
  EXPECT_EQ(info.getDAWNameIndex(), 0);
  EXPECT_EQ(info.getMajorVersion(), -1);
  EXPECT_EQ(info.getBuildNumber(), -1);
  EXPECT_FALSE(info.isAllInfoAnalyzed());
  EXPECT_FALSE(info.analyzeDAWInfo(nullptr));
}

TEST(DAWInfo, VersionTextsWithFewerPointsReadFewerNumbers) {
  const struct {
    const char16_t* text;
    const char* stored;
    int major, minor, bugFix;
  } versions[] = {
      {u"5.1.1", "5.1.1", 5, 1, 1}, {u"5.1", "5.1", 5, -1, -1},
      {u"5", "5", -1, -1, -1},      {u"x", "", -1, -1, -1},
      {u"5..7", "5..7", 5, -1, 7},  {u"v 12.3.4b", "12.3.4b", 12, 3, 4},
  };
  for (const auto& row : versions) {
    DAWInfo info(nullptr);
    info.storeVersionInfoFromString(row.text);
    EXPECT_EQ(info.getVersionString(), row.stored);
    EXPECT_EQ(info.getMajorVersion(), row.major) << row.stored;
    EXPECT_EQ(info.getMinorVersion(), row.minor) << row.stored;
    EXPECT_EQ(info.getBugFixVersion(), row.bugFix) << row.stored;
  }
  DAWInfo info(nullptr);
  info.storeVersionInfoFromString(nullptr);
  EXPECT_EQ(info.getVersionString(), "");
  EXPECT_EQ(info.getNumberStringIndex(u"Build \u0663 7"), 8) << "only 0 to 9 are digits";
  EXPECT_EQ(info.getNumberStringIndex(nullptr), -1);
}

TEST_F(DAWInfoHost, CompareVersionLeavesOutNegativeParts) {
  host.application().setIdentity(u"Tessera", u"5.1.1", u"1");
  const DAWInfo info(&host.application());
  EXPECT_EQ(info.compareVersion(5, 0, 9), 1);
  EXPECT_EQ(info.compareVersion(5, 1, 1), 0);
  EXPECT_EQ(info.compareVersion(6, -1, -1), -1);
  EXPECT_EQ(info.compareVersion(-1, 2, -1), -1);
  EXPECT_EQ(info.compareVersion(-1, -1, -1), 0);
}

}  // namespace
