// Tests of the records through which hosts learn of the module's components.
#include "module/componentclasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Quillon {
namespace {

std::string hex(const char* bytes) {
  char text[FUID::kStringSize];
  toString8(text, bytes, 0, 16);
  return text;
}

template <std::size_t N>
bool allZero(const char (&field)[N]) {
  for (char c : field)
    if (c != 0) return false;
  return true;
}

TEST(ComponentClasses, ServiceRecord) {
  const PClassInfo2& info = hostLinkClassInfo();
  EXPECT_EQ(hex(info.classId), "8645753EC4934011BF5AD9D85AB0D2E9");
  EXPECT_EQ(info.cardinality, 1);
  EXPECT_STREQ(info.category, "Service");
  EXPECT_STREQ(info.name, "Orvella PX7000 Extension");
  EXPECT_EQ(info.classFlags, 0u);
  EXPECT_TRUE(allZero(info.spare1));
  EXPECT_TRUE(allZero(info.spare2));
  EXPECT_STREQ(info.version, "1.1.0");
  EXPECT_TRUE(allZero(info.spare3));
}

TEST(ComponentClasses, RemoteSurfaceAndDetectionRecords) {
  const PClassInfo& remote = hwRemoteClassInfo();
  EXPECT_EQ(hex(remote.classId), "DE038D7ED9174E299B9F3BE43A11A7AC");
  EXPECT_EQ(remote.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(remote.category, "Remote Devices");
  EXPECT_STREQ(remote.name, "Orvella PX7000");

  const PClassInfo& detect = detectClassInfo();
  EXPECT_EQ(hex(detect.classId), "6AC328A8B1CC4AE483A58DA75E370BDD");
  EXPECT_EQ(detect.cardinality, 1);
  EXPECT_STREQ(detect.category, "Device Detection");
  EXPECT_TRUE(allZero(detect.name));
}

}  // namespace
}  // namespace Quillon
