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
}

// Each case in both widths: the 8-bit one is the Mac Roman narrowing of the 16-bit one.
TEST(StringReplace, RemoveCharsAndTrimByGroup) {
  const struct {
    const char16* text;
    int group;
    bool trim;  // else removeChars
    bool changed;
    const char16* after;
  } cases[] = {
      {u" a1-b2! ", String::kSpace, false, true, u"a1-b2!"},
      {u"a1-b2!", String::kNotAlphaNum, false, true, u"a1b2"},
      {u"a1b2", String::kNotAlpha, false, true, u"ab"},
      {u"ab", String::kNotAlpha, false, false, u"ab"},
      {u"ab", 7, false, false, u"ab"},
      {u"  x y\t\n", String::kSpace, true, true, u"x y"},
      {u"x y", String::kSpace, true, false, u"x y"},
      // The C library's classes in the "C" locale know ASCII letters only.
      {u"--\u00C9t\u00E9!!", String::kNotAlphaNum, true, true, u"t"},
      {u"   ", String::kSpace, true, true, u""},
      {u"", String::kSpace, true, false, u""},
      {u"x", -1, true, false, u"x"},
  };
  for (const auto& c : cases) {
    for (bool wide : {false, true}) {
      String s(c.text);
      ASSERT_TRUE(wide || s.toMultiByte());
      const auto group = String::CharGroup(c.group);
      EXPECT_EQ(c.trim ? s.trim(group) : s.removeChars(group), c.changed) << c.group << wide;
      EXPECT_EQ(std::u16string(s.text16()), c.after) << c.group << wide;
    }
  }
}

}  // namespace
}  // namespace Quillon
