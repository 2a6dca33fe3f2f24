// Tests for the Unicode case mapping of characters and strings.
#include <gtest/gtest.h>

#include <string>

#include "base/source/fstring.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

TEST(StringCase, CharactersStringsAndSingleIndexes) {
  EXPECT_EQ(ConstString::toLower(u'\u00C4'), u'\u00E4');
  EXPECT_EQ(ConstString::toUpper(u'\u03C3'), u'\u03A3');
  EXPECT_EQ(ConstString::toUpper(u'\u0131'), u'I');  // dotless i
  // The upper case of the sharp s is two characters: it stays as it is.
  EXPECT_EQ(ConstString::toUpper(u'\u00DF'), u'\u00DF');
  EXPECT_EQ(ConstString::toLower(char16(0xD801)), char16(0xD801));

  String wide(u"Stra\u00DFe \u00C9t\u00E9 \U00010428");
  wide.toUpper();
  EXPECT_EQ(unitsOf(wide), u"STRA\u00DFE \u00C9T\u00C9 \U00010400");
  wide.toLower();
  EXPECT_EQ(unitsOf(wide), u"stra\u00DFe \u00E9t\u00E9 \U00010428");

  // 8-bit text maps ASCII letters only: 0x8E (e acute in Mac Roman) stays.
  String narrow("abc\x8E");
  narrow.toUpper();
  EXPECT_EQ(bytesOf(narrow), "ABC\x8E");
  for (int32 index : {1, 4, -1}) narrow.toLower(index);
  EXPECT_EQ(bytesOf(narrow), "AbC\x8E");

  String empty;
  empty.toUpper();
  empty.toUpper(0);
  EXPECT_EQ(empty.ptr(), nullptr);
}

// A surrogate pair maps as the character it encodes (Deseret, Adlam); unpaired surrogates,
// including a lead at the very end, stay as they are.
TEST(StringCase, SurrogatePairsMapAsOneCharacter) {
  const std::u16string lower = u"\U00010428x\U0001E922", upper = u"\U00010400X\U0001E900";
  String s(lower.c_str());
  s.toUpper();
  EXPECT_EQ(unitsOf(s), upper);
  s.toLower();
  EXPECT_EQ(unitsOf(s), lower);

  const char16 unpaired[] = {0xDC28, u'a', 0xD801, 0};
  String lone(unpaired);
  lone.toUpper();
  EXPECT_EQ(unitsOf(lone), (std::u16string{0xDC28, u'A', 0xD801}));
}

}  // namespace
}  // namespace Quillon
