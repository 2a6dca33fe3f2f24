// Tests for comparison from an index, first difference, and search with and without case.
#include <gtest/gtest.h>

#include <string>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

constexpr auto kCaseless = ConstString::kCaseInsensitive;

TEST(StringSearch, CompareAtStrnicmpAndFirstDifference) {
  const ConstString abcd("abcd");
  EXPECT_EQ(abcd.compareAt(2, "cd"), 0);
  EXPECT_EQ(abcd.compareAt(4, "cd"), -1);
  EXPECT_EQ(abcd.compareAt(-1, "cd"), -1);
  EXPECT_EQ(abcd.compareAt(0, "zz", 0), 0);
  EXPECT_EQ(abcd.compareAt(0, "abx", 2), 0);
  EXPECT_LT(abcd.compareAt(0, "abx"), 0);
  EXPECT_GT(abcd.compareAt(0, "abc"), 0);
  EXPECT_GT(abcd.compareAt(0, ConstString()), 0);
  EXPECT_EQ(ConstString().compareAt(0, ""), 0);
  EXPECT_EQ(ConstString().compareAt(0, "a"), -1);
  EXPECT_EQ(ConstString("ABCD").compareAt(1, "bcd", -1, kCaseless), 0);

  // 16-bit: a text that ends first is smaller; characters by unsigned value.
  const ConstString wide(u"abc");
  EXPECT_EQ(wide.compareAt(0, u"abcd"), -1);
  EXPECT_EQ(wide.compareAt(0, u"ab"), 1);
  EXPECT_EQ(wide.compareAt(0, u"abd"), u'c' - u'd');
  EXPECT_GT(ConstString(u"\u8000").compareAt(0, u"a"), 0);
  EXPECT_EQ(ConstString(u"abc").compareAt(1, "bc"), 0);
  EXPECT_EQ(ConstString("x\x8E").compareAt(1, u"\u00E9"), 0);
  // Caseless 16-bit comparison folds case beyond ASCII, in whole texts or `n` characters.
  EXPECT_EQ(ConstString(u"\u00C4BC").compareAt(0, u"\u00E4bc", -1, kCaseless), 0);
  EXPECT_EQ(ConstString(u"\u00C4BCx").compareAt(0, u"\u00E4bcy", 3, kCaseless), 0);
  EXPECT_EQ(ConstString(u"\u00C4BCx").compareAt(0, u"\u00E4bcy", -1, kCaseless), -1);

  EXPECT_EQ(strnicmp16(u"ABCx", u"abcy", 3), 0);
  EXPECT_LT(strnicmp16(u"ABCx", u"abcy", 4), 0);
  EXPECT_EQ(strnicmp16(u"a", u"b", 0), 0);
  EXPECT_EQ(strnicmp16(nullptr, u"", 5), 0);
  EXPECT_LT(strnicmp16(nullptr, u"a", 5), 0);
  EXPECT_EQ(strnicmp16(u"\u03A3", u"\u03C3", 1), 0);  // GREEK SIGMA

  EXPECT_EQ(ConstString("abc").getFirstDifferent("abd"), 2);
  EXPECT_EQ(ConstString("ab").getFirstDifferent("abc"), 2);
  EXPECT_EQ(ConstString("abc").getFirstDifferent("abc"), -1);
  EXPECT_EQ(ConstString("ABC").getFirstDifferent("abc"), 0);
  EXPECT_EQ(ConstString("ABC").getFirstDifferent("abc", kCaseless), -1);
  EXPECT_EQ(ConstString(u"\u00C9t\u00E9").getFirstDifferent("\x83T\x8E", kCaseless), -1);
  EXPECT_EQ(ConstString().getFirstDifferent("a"), 0);
}

TEST(StringSearch, FindTexts) {
  const ConstString text("abcbc");
  EXPECT_EQ(text.findNext(0, "bc"), 1);
  EXPECT_EQ(text.findNext(2, "bc"), 3);
  EXPECT_EQ(text.findNext(-7, "ab"), 0);
  EXPECT_EQ(text.findNext(4, "bc"), -1);
  EXPECT_EQ(text.findNext(99, "c"), -1);
  EXPECT_EQ(text.findNext(0, "bcx", 2), 1);
  EXPECT_EQ(text.findNext(0, "bc", 0), -1);
  EXPECT_EQ(text.findNext(0, ""), -1);
  EXPECT_EQ(text.findNext(0, "abcbcx"), -1);
  EXPECT_EQ(ConstString().findNext(0, "a"), -1);

  EXPECT_EQ(text.findPrev(-1, "bc"), 3);
  EXPECT_EQ(text.findPrev(99, "bc"), 3);
  EXPECT_EQ(text.findPrev(2, "bc"), 1);
  // A match may reach past the start.
  EXPECT_EQ(text.findPrev(3, "bc"), 3);
  EXPECT_EQ(text.findPrev(0, "ab"), 0);
  EXPECT_EQ(text.findPrev(-1, "abcbcx"), -1);

  // Matches at both ends, in both widths and across widths.
  for (const ConstString& ends : {ConstString("xyabxy"), ConstString(u"xyabxy")}) {
    EXPECT_EQ(ends.findNext(0, "xy"), 0);
    EXPECT_EQ(ends.findNext(1, u"xy"), 4);
    EXPECT_EQ(ends.findPrev(-1, u"xy"), 4);
    EXPECT_EQ(ends.findPrev(3, "xy"), 0);
  }
  EXPECT_EQ(ConstString(u"caf\u00E9").findNext(0, "\x8E"), 3);

  // The 16-bit search skips ahead by the window's last character; a long text checks it
  // against a plain scan.
  std::u16string haystack;
  for (int i = 0; i < 3000; ++i) haystack += char16(u'a' + (i * 7919) % 23 + (i % 5 ? 0 : 0x100));
  const std::u16string needle = haystack.substr(2345, 9);
  EXPECT_EQ(ConstString(haystack.c_str()).findNext(0, needle.c_str()),
            int32(haystack.find(needle)));
  EXPECT_EQ(ConstString(haystack.c_str()).findPrev(-1, needle.c_str()),
            int32(haystack.rfind(needle)));

  EXPECT_EQ(ConstString("Hello World").findNext(0, "WORLD", -1, kCaseless), 6);
  EXPECT_EQ(ConstString("Hello World").findPrev(-1, "hello", -1, kCaseless), 0);
  EXPECT_EQ(ConstString(u"Gr\u00DC\u00DFE").findNext(0, u"gr\u00FC", -1, kCaseless), 0);
  // Default case folding: the sharp s matches "SS".
  EXPECT_EQ(ConstString(u"Stra\u00DFe").findNext(0, u"STRASSE", -1, kCaseless), 0);
  EXPECT_EQ(ConstString(u"abc").findNext(0, u"ABCD", -1, kCaseless), -1);
}

TEST(StringSearch, FindCharacters) {
  const ConstString banana("banana");
  EXPECT_EQ(banana.findNext(0, 'n'), 2);
  EXPECT_EQ(banana.findNext(3, u'n'), 4);
  EXPECT_EQ(banana.findNext(-3, 'b'), 0);
  EXPECT_EQ(banana.findNext(0, 'N'), -1);
  EXPECT_EQ(banana.findNext(0, 'N', kCaseless), 2);
  EXPECT_EQ(banana.findPrev(-1, 'a'), 5);
  EXPECT_EQ(banana.findPrev(4, 'a'), 3);
  EXPECT_EQ(banana.findPrev(42, 'b'), 0);
  EXPECT_EQ(ConstString(u"\u00C9t\u00E9").findNext(0, u'\u00C9', kCaseless), 0);
  EXPECT_EQ(ConstString(u"\u00C9t\u00E9").findPrev(-1, u'\u00C9', kCaseless), 2);
  EXPECT_EQ(ConstString(u"x\u00E9").findNext(0, '\x8E'), 1);
  // A character the 8-bit text cannot hold is not found, not taken for '?'.
  EXPECT_EQ(ConstString("a?b").findNext(0, u'\u4E00'), -1);

  EXPECT_EQ(banana.countOccurences('a'), 3);
  EXPECT_EQ(banana.countOccurences('a', 2), 2);
  EXPECT_EQ(banana.countOccurences('A', 0, kCaseless), 3);
  EXPECT_EQ(banana.countOccurences('z'), 0);
  EXPECT_EQ(ConstString("a?b").countOccurences(u'\u4E00'), -1);
}

}  // namespace
}  // namespace Quillon
