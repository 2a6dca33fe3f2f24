// Tests of the factory and class records: fixed-length copies, zero filling and widening.
#include "interfaces/ipluginfactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Quillon {
namespace {

// True when the `size` bytes from `from` on are all zero.
bool zeroFrom(const void* field, std::size_t from, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(field);
  for (std::size_t i = from; i < size; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

TEST(PFactoryInfo, CopiesTextsAndAlwaysSetsFlag0x10) {
  const PFactoryInfo info("Orvella Corporation", "", "", 0x3);
  EXPECT_STREQ(info.vendor, "Orvella Corporation");
  EXPECT_TRUE(zeroFrom(info.vendor, 19, 64));
  EXPECT_EQ(info.flags, 0x13);
  // Null texts leave their fields empty; a text as long as its field fills it unterminated.
  const std::string longText(100, 'x');
  const PFactoryInfo other(longText.c_str(), nullptr, nullptr, 0);
  EXPECT_EQ(std::string(other.vendor, 64), std::string(64, 'x'));
  EXPECT_TRUE(zeroFrom(other.spare1, 0, 256 + 128));
  EXPECT_EQ(other.flags, 0x10);
}

TEST(PClassInfo, ZeroFilledExceptWhatIsGiven) {
  const PClassInfo2 info("0123456789abcdef", 1, "Service", "Extension", 7, "", nullptr, "1.1.0",
                         "");
  EXPECT_EQ(std::memcmp(info.classId, "0123456789abcdef", 16), 0);
  EXPECT_STREQ(info.category, "Service");
  EXPECT_TRUE(zeroFrom(info.category, 7, 32));
  EXPECT_EQ(info.classFlags, 7u);
  EXPECT_TRUE(zeroFrom(info.spare1, 0, 128 + 64));
  EXPECT_STREQ(info.version, "1.1.0");
  EXPECT_TRUE(zeroFrom(info.version, 5, 64 + 64));

  const PClassInfo empty(nullptr, 1, nullptr, nullptr);
  EXPECT_TRUE(zeroFrom(empty.classId, 0, 16));
  EXPECT_TRUE(zeroFrom(empty.category, 0, 32 + 64));
}

TEST(PClassInfoW, FromAsciiWidensAndZeroFills) {
  PClassInfo2 source("0123456789abcdef", 1, "Service", "Extension", 3, "s1", "s2", "1.1.0", "");
  source.spare3[0] = '\xE9';                          // above 7 bits: widened as Latin-1
  std::memset(source.name, 'n', sizeof source.name);  // fills the field, no terminator
  PClassInfoW wide;
  std::memset(static_cast<void*>(&wide), 0x55, sizeof wide);  // stale content must not survive
  wide.fromAscii(source);
  EXPECT_EQ(std::memcmp(wide.classId, source.classId, 16), 0);
  EXPECT_EQ(wide.cardinality, 1);
  EXPECT_EQ(wide.classFlags, 3u);
  EXPECT_STREQ(wide.category, "Service");
  EXPECT_TRUE(zeroFrom(wide.category, 7, 32));
  EXPECT_STREQ(wide.spare1, "s1");
  EXPECT_TRUE(zeroFrom(wide.spare1, 2, 128));
  EXPECT_EQ(std::u16string(wide.name, 64), std::u16string(64, u'n'));
  EXPECT_EQ(std::u16string(wide.spare2), u"s2");
  EXPECT_EQ(std::u16string(wide.version), u"1.1.0");
  EXPECT_TRUE(zeroFrom(wide.version, 2 * 5, 128));
  EXPECT_EQ(wide.spare3[0], char16(0xE9));
  EXPECT_TRUE(zeroFrom(wide.spare3, 2, 128));
}

}  // namespace
}  // namespace Quillon
