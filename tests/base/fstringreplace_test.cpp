// Tests for find-and-replace, replacing and removing characters, and trimming.
#include <gtest/gtest.h>

#include <string>

#include "base/source/fstring.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

TEST(StringReplace, ReplacedTextIsNeverSearchedAgain) {
  String s("aaa");
  EXPECT_EQ(s.replace("a", "aa", true), 3);
  EXPECT_EQ(bytesOf(s), "aaaaaa");

  s.assign("ab ab ab");
  EXPECT_EQ(s.replace("ab", "bab"), 1);
  EXPECT_EQ(bytesOf(s), "bab ab ab");
  EXPECT_EQ(s.replace("ab", "b", true), 3);
  EXPECT_EQ(bytesOf(s), "bb b b");
  EXPECT_EQ(s.replace("b", "", true), 4);
  EXPECT_EQ(bytesOf(s), "  ");
  EXPECT_EQ(s.replace(" ", "", true), 2);
  EXPECT_EQ(s.length(), 0);
}

TEST(StringReplace, WidthsAndMisses) {
  String s("abc");
  EXPECT_EQ(s.replace(u"x", u"\u4E00"), 0);
  EXPECT_FALSE(s.isWideString());
  EXPECT_EQ(s.replace("", "x"), 0);
  EXPECT_EQ(s.replace(nullptr, "x"), 0);
  EXPECT_EQ(s.replace("b", static_cast<const char8*>(nullptr)), 0);
  EXPECT_EQ(bytesOf(s), "abc");

  // A 16-bit replacement widens the string; 8-bit text joins a 16-bit string through Mac Roman.
  EXPECT_EQ(s.replace(u"b", u"\u4E00"), 1);
  EXPECT_EQ(unitsOf(s), u"a\u4E00c");
  EXPECT_EQ(s.replace("c", "\x8E"), 1);
  EXPECT_EQ(unitsOf(s), u"a\u4E00\u00E9");

  String narrow("caf\x8E caf\x8E");
  EXPECT_EQ(narrow.replace(u"\u00E9", u"e", true), 2);
  EXPECT_EQ(unitsOf(narrow), u"cafe cafe");
}

TEST(StringReplace, ReplaceChars) {
  String s("a,b;c");
  EXPECT_TRUE(s.replaceChars8(",;", '_'));
  EXPECT_EQ(bytesOf(s), "a_b_c");
  EXPECT_FALSE(s.replaceChars8("xyz", '-'));
  EXPECT_TRUE(s.replaceChars16(u"_", 0));
  EXPECT_EQ(bytesOf(s), "a b c");

  // A 16-bit set of any length on 8-bit text; a character it cannot hold matches nothing,
  // not even the '?' that narrowing would make of it.
  String narrow("a?b\x8E");
  EXPECT_TRUE(narrow.replaceChars16(u"\u4E00\u00E9", u'-'));
  EXPECT_EQ(bytesOf(narrow), "a?b-");
  EXPECT_FALSE(narrow.replaceChars16(u"a", u'\u4E00'));
  EXPECT_EQ(bytesOf(narrow), "a?b-");

  String wide(u"\u00E9t\u00E9");
  EXPECT_TRUE(wide.replaceChars8("\x8E", 'e'));
  EXPECT_EQ(unitsOf(wide), u"ete");
}

TEST(StringReplace, RemoveChars) {
  String s("a-b+c-");
  EXPECT_TRUE(s.removeChars8("-+"));
  EXPECT_EQ(bytesOf(s), "abc");
  String wide(u"\u00E9-x-\u00E9");
  EXPECT_TRUE(wide.removeChars8("\x8E-"));
  EXPECT_EQ(unitsOf(wide), u"x");
  EXPECT_TRUE(wide.removeChars16(u"x"));
  EXPECT_EQ(wide.length(), 0);

  String groups(" a1-b2! ");
  EXPECT_TRUE(groups.removeChars(String::kSpace));
  EXPECT_EQ(bytesOf(groups), "a1-b2!");
  EXPECT_TRUE(groups.removeChars(String::kNotAlphaNum));
  EXPECT_EQ(bytesOf(groups), "a1b2");
  EXPECT_TRUE(groups.removeChars(String::kNotAlpha));
  EXPECT_EQ(bytesOf(groups), "ab");
  EXPECT_FALSE(groups.removeChars(String::CharGroup(7)));
  EXPECT_FALSE(groups.removeChars(String::kNotAlpha));
}

TEST(StringReplace, TrimInBothWidths) {
  String narrow("  x\t");
  EXPECT_TRUE(narrow.trim());
  EXPECT_EQ(bytesOf(narrow), "x");
  String wide(u"  x y\t\n");
  EXPECT_TRUE(wide.trim(String::kSpace));
  EXPECT_EQ(unitsOf(wide), u"x y");
  EXPECT_FALSE(wide.trim());

  String punctuated(u"--\u00C9t\u00E9!!");
  EXPECT_TRUE(punctuated.trim(String::kNotAlphaNum));
  // The C library's wide classes in the "C" locale know ASCII letters only.
  EXPECT_EQ(unitsOf(punctuated), u"t");

  String spaces("   ");
  EXPECT_TRUE(spaces.trim());
  EXPECT_EQ(spaces.length(), 0);
  EXPECT_FALSE(spaces.trim());
  String s("x");
  EXPECT_FALSE(s.trim(String::CharGroup(-1)));
}

}  // namespace
}  // namespace Quillon
