// Tests for reading numbers out of strings.
#include <gtest/gtest.h>

#include <cmath>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

TEST(StringScan, IntegersTryEachLaterPositionWhenScanningToTheEnd) {
  int32 value = 7;
  EXPECT_FALSE(ConstString("abc-42x").scanInt32(value, 0, false));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(ConstString("abc-42x").scanInt32(value));
  EXPECT_EQ(value, -42);
  EXPECT_TRUE(ConstString(u"abc-43x").scanInt32(value, 3, false));
  EXPECT_EQ(value, -43);
  EXPECT_FALSE(ConstString("abc").scanInt32(value));
  EXPECT_EQ(value, -43);

  int64 big = 0;
  EXPECT_TRUE(ConstString("12 34").scanInt64(big, 2));
  EXPECT_EQ(big, 34);
  for (int32 offset : {2, -1}) EXPECT_FALSE(ConstString("12").scanInt64(big, offset));
  EXPECT_FALSE(ConstString().scanInt64(big));
  EXPECT_FALSE(ConstString::scanInt64(static_cast<const char8*>(nullptr), big));
  EXPECT_FALSE(ConstString::scanInt64("", big));
  EXPECT_TRUE(ConstString::scanInt64(u" -9000000000", big));
  EXPECT_EQ(big, -9000000000);

  // The 32-bit forms keep the low 32 bits of what they read.
  uint32 unsigned32 = 0;
  EXPECT_TRUE(ConstString("4294967297").scanUInt32(unsigned32));
  EXPECT_EQ(unsigned32, 1u);
  uint64 unsigned64 = 0;
  EXPECT_TRUE(ConstString::scanUInt64_16(u"v18446744073709551615", unsigned64));
  EXPECT_EQ(unsigned64, 18446744073709551615u);

  // Hexadecimal keeps the low byte.
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
  // The comma that counts is the first one from the offset on. Text before the offset does
  // not move it, though narrowing writes one byte for a surrogate pair. Cases at an offset
  // read there only.
  const struct {
    ConstString text;
    int32 offset;
    double value;
  } cases[] = {{"3,25", 0, 3.25},     {u"x = 3,25", 0, 3.25}, {"-1.5e3", 0, -1500},
               {"1,5 2,75", 3, 2.75}, {"a,b 2,75", 0, 2.0},   {u"\U0001F3B9 4,5", 3, 4.5}};
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_TRUE(c.text.scanFloat(value, c.offset, c.offset == 0)) << c.value;
    EXPECT_DOUBLE_EQ(value, c.value);
  }
  double value = 9;
  EXPECT_FALSE(ConstString("x1").scanFloat(value, 0, false));
  EXPECT_FALSE(ConstString("0x").scanFloat(value));
  EXPECT_FALSE(ConstString(u" -0Xg").scanFloat(value));
  EXPECT_FALSE(ConstString("Infinit").scanFloat(value));
  EXPECT_EQ(value, 9);
}

// Where strtod reads a prefix that sscanf's %lf refuses, the scan moves on as sscanf does.
TEST(StringScan, FloatsReadWhatSscanfReads) {
  const struct {
    ConstString text;
    double value;
  } cases[] = {{"Infinite 5", 5}, {"0xz 7", 7},           {u"0xg,5", 0.5},   {"INFI 2", 2},
               {"0x.8", 0.5},     {"-0x1p3", -8},         {"0xe", 14},       {"0x. 1", 0},
               {"1e+", 1},        {"iNfInItY", HUGE_VAL}, {"inf5", HUGE_VAL}};
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_TRUE(c.text.scanFloat(value)) << c.value;
    EXPECT_EQ(value, c.value);
  }
  double value = 9;
  EXPECT_FALSE(ConstString("1").scanFloat(value, 1));
  EXPECT_EQ(value, 9);
}

}  // namespace
}  // namespace Quillon
