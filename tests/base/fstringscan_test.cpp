// Tests for reading numbers out of strings.
#include <gtest/gtest.h>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

TEST(StringScan, ScanToEndTriesEachLaterPosition) {
  int32 value = 7;
  EXPECT_TRUE(ConstString("abc-42x").scanInt32(value));
  EXPECT_EQ(value, -42);
  value = 7;
  EXPECT_FALSE(ConstString("abc-42x").scanInt32(value, 0, false));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(ConstString(u"abc-42x").scanInt32(value, 3, false));
  EXPECT_EQ(value, -42);
  EXPECT_FALSE(ConstString("abc").scanInt32(value));
  EXPECT_EQ(value, -42);

  int64 big = 0;
  EXPECT_TRUE(ConstString("12 34").scanInt64(big, 2));
  EXPECT_EQ(big, 34);
  EXPECT_FALSE(ConstString("12").scanInt64(big, 2));
  EXPECT_FALSE(ConstString("12").scanInt64(big, -1));
  EXPECT_FALSE(ConstString().scanInt64(big));
  EXPECT_TRUE(ConstString::scanInt64(u" -9000000000", big));
  EXPECT_EQ(big, -9000000000);
  EXPECT_FALSE(ConstString::scanInt64(static_cast<const char8*>(nullptr), big));
  EXPECT_FALSE(ConstString::scanInt64("", big));

  // The 32-bit forms keep the low 32 bits of what they read.
  uint32 unsigned32 = 0;
  EXPECT_TRUE(ConstString("4294967297").scanUInt32(unsigned32));
  EXPECT_EQ(unsigned32, 1u);
  uint64 unsigned64 = 0;
  EXPECT_TRUE(ConstString::scanUInt64_16(u"v18446744073709551615", unsigned64));
  EXPECT_EQ(unsigned64, 18446744073709551615u);
}

TEST(StringScan, HexKeepsTheLowByte) {
  uint8 byte = 0;
  EXPECT_TRUE(ConstString::scanHex_8("ff", byte));
  EXPECT_EQ(byte, 0xFF);
  EXPECT_TRUE(ConstString::scanHex_16(u"#0x1a2", byte));
  EXPECT_EQ(byte, 0xA2);
  EXPECT_TRUE(ConstString(u"id: 7f").scanHex(byte, 3));
  EXPECT_EQ(byte, 0x7F);
  EXPECT_FALSE(ConstString::scanHex_8("xyz", byte, false));
}

TEST(StringScan, FloatsTakeADecimalComma) {
  double value = 0;
  EXPECT_TRUE(ConstString("3,25").scanFloat(value));
  EXPECT_DOUBLE_EQ(value, 3.25);
  EXPECT_TRUE(ConstString(u"x = 3,25").scanFloat(value));
  EXPECT_DOUBLE_EQ(value, 3.25);
  EXPECT_TRUE(ConstString("-1.5e3").scanFloat(value));
  EXPECT_DOUBLE_EQ(value, -1500);
  // The comma that counts is the first one from the offset on.
  EXPECT_TRUE(ConstString("1,5 2,75").scanFloat(value, 3));
  EXPECT_DOUBLE_EQ(value, 2.75);
  EXPECT_TRUE(ConstString("a,b 2,75").scanFloat(value));
  EXPECT_DOUBLE_EQ(value, 2.0);
  // Text before the offset does not move it, though narrowing writes one byte for a pair.
  EXPECT_TRUE(ConstString(u"\U0001F3B9 4,5").scanFloat(value, 3, false));
  EXPECT_DOUBLE_EQ(value, 4.5);
  value = 9;
  EXPECT_FALSE(ConstString("x1").scanFloat(value, 0, false));
  EXPECT_FALSE(ConstString("1").scanFloat(value, 1));
  EXPECT_EQ(value, 9);
}

}  // namespace
}  // namespace Quillon
