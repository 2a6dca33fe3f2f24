// Tests for formatting into strings: printf in both widths, numbers and trailing numbers.
#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

#include "base/source/fstring.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

// bytesOf and unitsOf read the buffer in one width, so each also checks the string's width.
TEST(StringFormat, PrintfTakesTheFormatsWidthAndNumbersTheStrings) {
  String s;
  EXPECT_TRUE(s.printf("%d-%s", 5, "x"));
  EXPECT_EQ(bytesOf(s), "5-x");
  EXPECT_TRUE(s.printf(u"%03d-%s", 5, u"\u4E00"));
  EXPECT_EQ(unitsOf(s), u"005-\u4E00");
  EXPECT_TRUE(s.printf("%s", ""));
  EXPECT_EQ(s.length(), 0);
  EXPECT_FALSE(s.isWideString());

  // At most 4095 characters from an 8-bit format, 4096 from a 16-bit one.
  EXPECT_TRUE(s.printf("%5000d", 1));
  EXPECT_EQ(s.length(), 4095);
  EXPECT_TRUE(s.printf(u"%5000d", 1));
  EXPECT_EQ(s.length(), 4096);

  s.assign("kept");
  EXPECT_FALSE(s.printf(u"%n", static_cast<int*>(nullptr)));
  // The C library cannot write U+4E00 in the "C" locale and fails.
  EXPECT_FALSE(s.printf("%lc", wint_t(0x4E00)));
  EXPECT_FALSE(s.printf(static_cast<const char8*>(nullptr)));
  EXPECT_EQ(bytesOf(s), "kept");

  // Numbers keep the string's width.
  String wide(u"x");
  EXPECT_TRUE(s.printInt64(LLONG_MIN));
  EXPECT_EQ(bytesOf(s), "-9223372036854775808");
  EXPECT_TRUE(wide.printInt64(42));
  EXPECT_EQ(unitsOf(wide), u"42");
  EXPECT_TRUE(wide.printFloat(2.50));
  EXPECT_EQ(unitsOf(wide), u"2.5");
  for (const auto& [value, text] : {std::pair<double, const char*>{3.14, "3.14"},
                                    {2.0, "2.0"},
                                    {100.0, "100.0"},
                                    {1e-7, "0.0"},
                                    {1234567.125, "1234567.125"}}) {
    EXPECT_TRUE(s.printFloat(value));
    EXPECT_EQ(bytesOf(s), text);
  }
}

TEST(StringFormat, IncrementTrailingNumber) {
  const struct {
    const char8* before;
    uint32 width;
    char16 separator;
    uint32 minNumber;
    const char8* after;
  } cases[] = {
      {"Track", 2, u' ', 1, "Track 01"},
      {"Track 07", 2, u' ', 1, "Track 08"},
      {"Track 99", 2, u' ', 1, "Track 100"},
      {"Track07", 2, u' ', 1, "Track 08"},
      {"take9", 2, 0, 1, "take10"},
      {"", 2, u' ', 1, "01"},
      {"x", 3, u'_', 5, "x_005"},
      {"x_2", 0, u'_', 1, "x_3"},
      {"v4294967295", 1, 0, 1, "v4294967296"},
      {"n18446744073709551614", 1, 0, 1, "n18446744073709551615"},
      {"dash\3201", 1, u'\u2013', 1, "dash\3202"},  // 0320 is the en dash in Mac Roman
  };
  for (const auto& c : cases) {
    String s(c.before);
    EXPECT_TRUE(s.incrementTrailingNumber(c.width, c.separator, c.minNumber)) << c.before;
    EXPECT_EQ(bytesOf(s), c.after) << c.before;
  }

  String wide(u"Take 9"), empty;
  EXPECT_TRUE(wide.incrementTrailingNumber(1, u' '));
  EXPECT_EQ(unitsOf(wide), u"Take 10");
  EXPECT_TRUE(empty.incrementTrailingNumber(2));
  EXPECT_EQ(unitsOf(empty), u"01");
  // A separator the 8-bit string cannot hold widens it.
  String narrow("a");
  EXPECT_TRUE(narrow.incrementTrailingNumber(1, u'\u4E00'));
  EXPECT_EQ(unitsOf(narrow), u"a\u4E001");

  String s("n18446744073709551615");
  EXPECT_FALSE(s.incrementTrailingNumber(1));
  EXPECT_FALSE(s.incrementTrailingNumber(33));
  EXPECT_EQ(bytesOf(s), "n18446744073709551615");
}

}  // namespace
}  // namespace Quillon
