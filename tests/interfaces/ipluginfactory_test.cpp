// Tests of the factory and class records: fixed-length copies, zero filling and widening.
#include "interfaces/ipluginfactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Quillon {
namespace {

const char kId[16] = {'\x86', '\x45', '\x75', '\x3E', '\xC4', '\x93', '\x40', '\x11',
                      '\xBF', '\x5A', '\xD9', '\xD8', '\x5A', '\xB0', '\xD2', '\xE9'};

template <std::size_t N>
bool zeroFrom(const char (&field)[N], std::size_t from) {
  for (std::size_t i = from; i < N; ++i)
    if (field[i] != 0) return false;
  return true;
}

template <std::size_t N>
bool zeroFrom(const char16 (&field)[N], std::size_t from) {
  for (std::size_t i = from; i < N; ++i)
    if (field[i] != 0) return false;
  return true;
}

TEST(PFactoryInfo, CopiesTextsAndAlwaysSetsFlag0x10) {
  const PFactoryInfo info("Orvella Corporation", "", "", 0);
  EXPECT_STREQ(info.vendor, "Orvella Corporation");
  EXPECT_TRUE(zeroFrom(info.vendor, 19));
  EXPECT_TRUE(zeroFrom(info.spare1, 0));
  EXPECT_TRUE(zeroFrom(info.spare2, 0));
  EXPECT_EQ(info.flags, 0x10);
  EXPECT_EQ(PFactoryInfo("v", "", "", 0x3).flags, 0x13);
  EXPECT_EQ(PFactoryInfo("v", "", "", 0x10).flags, 0x10);
}

TEST(PFactoryInfo, NullAndOverlongTexts) {
  // A host-style null never crashes: the field stays empty.
  const PFactoryInfo fromNull(nullptr, nullptr, nullptr, 0);
  EXPECT_TRUE(zeroFrom(fromNull.vendor, 0));
  EXPECT_TRUE(zeroFrom(fromNull.spare1, 0));
  EXPECT_EQ(fromNull.flags, 0x10);
  // A text as long as the field fills it without a terminator, and nothing spills over.
  const std::string longText(100, 'x');
  const PFactoryInfo full(longText.c_str(), "", "", 0);
  EXPECT_EQ(std::string(full.vendor, 64), std::string(64, 'x'));
  EXPECT_EQ(full.spare1[0], 0);
}

TEST(PClassInfo, ZeroFilledExceptWhatIsGiven) {
  const PClassInfo info(kId, 0x7FFFFFFF, "Remote Devices", "Orvella PX7000");
  EXPECT_EQ(std::memcmp(info.classId, kId, 16), 0);
  EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(info.category, "Remote Devices");
  EXPECT_TRUE(zeroFrom(info.category, 14));
  EXPECT_STREQ(info.name, "Orvella PX7000");
  EXPECT_TRUE(zeroFrom(info.name, 14));

  const PClassInfo empty(nullptr, 1, nullptr, nullptr);
  EXPECT_TRUE(zeroFrom(empty.classId, 0));
  EXPECT_TRUE(zeroFrom(empty.category, 0));
  EXPECT_TRUE(zeroFrom(empty.name, 0));
}

TEST(PClassInfo2, NullTextsLeaveTheirFieldsZero) {
  const PClassInfo2 info(kId, 1, "Service", "Orvella PX7000 Extension", 7, "", nullptr, "1.1.0",
                         "");
  EXPECT_STREQ(info.category, "Service");
  EXPECT_STREQ(info.name, "Orvella PX7000 Extension");
  EXPECT_EQ(info.classFlags, 7u);
  EXPECT_TRUE(zeroFrom(info.spare1, 0));
  EXPECT_TRUE(zeroFrom(info.spare2, 0));
  EXPECT_STREQ(info.version, "1.1.0");
  EXPECT_TRUE(zeroFrom(info.version, 5));
  EXPECT_TRUE(zeroFrom(info.spare3, 0));
}

TEST(PClassInfoW, FromAsciiWidensAndZeroFills) {
  PClassInfo2 source(kId, 1, "Service", "Orvella PX7000 Extension", 3, "s1", "s2", "1.1.0", "s3");
  PClassInfoW wide;
  std::memset(static_cast<void*>(&wide), 0x55, sizeof wide);  // stale content must not survive
  wide.fromAscii(source);
  EXPECT_EQ(std::memcmp(wide.classId, kId, 16), 0);
  EXPECT_EQ(wide.cardinality, 1);
  EXPECT_EQ(wide.classFlags, 3u);
  EXPECT_STREQ(wide.category, "Service");
  EXPECT_TRUE(zeroFrom(wide.category, 7));
  EXPECT_STREQ(wide.spare1, "s1");
  EXPECT_TRUE(zeroFrom(wide.spare1, 2));
  EXPECT_EQ(std::u16string(wide.name), u"Orvella PX7000 Extension");
  EXPECT_TRUE(zeroFrom(wide.name, 24));
  EXPECT_EQ(std::u16string(wide.spare2), u"s2");
  EXPECT_EQ(std::u16string(wide.version), u"1.1.0");
  EXPECT_TRUE(zeroFrom(wide.version, 5));
  EXPECT_EQ(std::u16string(wide.spare3), u"s3");
}

TEST(PClassInfoW, FromAsciiStopsAtTheFieldEndAndWidensHighBytesAsLatin1) {
  PClassInfo2 source;
  std::memset(source.name, 'n', sizeof source.name);  // no terminator
  source.version[0] = '\xE9';
  PClassInfoW wide;
  wide.fromAscii(source);
  EXPECT_EQ(std::u16string(wide.name, 64), std::u16string(64, u'n'));
  EXPECT_EQ(wide.version[0], char16(0xE9));
  EXPECT_EQ(wide.version[1], 0);
}

}  // namespace
}  // namespace Quillon
