// Tests for String normalisation and the normal-form check, both through ICU.
#include <gtest/gtest.h>

#include <string>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

TEST(StringNormalize, AllFourForms) {
  String s(u"e\u0301\uFB01");
  EXPECT_FALSE(s.isNormalized(kUnicodeNormC));
  EXPECT_TRUE(s.isNormalized(kUnicodeNormD));
  EXPECT_FALSE(s.isNormalized(kUnicodeNormKD));

  ASSERT_TRUE(s.normalize(kUnicodeNormC));
  EXPECT_EQ(std::u16string(s.text16()), u"\u00E9\uFB01");
  EXPECT_TRUE(s.isNormalized(kUnicodeNormC));
  EXPECT_FALSE(s.isNormalized(kUnicodeNormD));

  ASSERT_TRUE(s.normalize(kUnicodeNormKC));
  EXPECT_EQ(std::u16string(s.text16()), u"\u00E9fi");
  ASSERT_TRUE(s.normalize(kUnicodeNormKD));
  EXPECT_EQ(std::u16string(s.text16()), u"e\u0301fi");
  EXPECT_EQ(s.length(), 4);
}

TEST(StringNormalize, NarrowAndEmptyStrings) {
  String narrow("abc");
  EXPECT_FALSE(narrow.normalize(kUnicodeNormC));
  EXPECT_FALSE(narrow.isNormalized(kUnicodeNormC));
  EXPECT_FALSE(narrow.isWideString());

  String empty;
  EXPECT_TRUE(empty.normalize(kUnicodeNormD));
  EXPECT_TRUE(empty.isNormalized(kUnicodeNormD));
}

}  // namespace
}  // namespace Quillon
