// Tests for character classes, natural order, single-character tests and the string hash.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

int sign(int32 order) { return order < 0 ? -1 : order > 0 ? 1 : 0; }

TEST(StringCompare, CharacterClassesAndSingleCharacters) {
  EXPECT_TRUE(ConstString::isCharSpace('\t'));
  for (char16 c : {u' ', u'\u00A0', u'\u2002', u'\u200B', u'\u202F', u'\u205F', u'\u3000'})
    EXPECT_TRUE(ConstString::isCharSpace(c)) << int(c);
  for (char16 c : {u'\t', u'\u2001', u'\u200C'})
    EXPECT_FALSE(ConstString::isCharSpace(c)) << int(c);
  EXPECT_TRUE(ConstString::isCharDigit(u'7'));
  EXPECT_FALSE(ConstString::isCharDigit(u'\u0663'));  // ARABIC-INDIC DIGIT THREE
  EXPECT_TRUE(ConstString::isCharAscii(char8(0x7F)));
  EXPECT_FALSE(ConstString::isCharAscii(char8(0x80)));
  EXPECT_FALSE(ConstString::isCharAscii(u'\u8000'));
  EXPECT_EQ(ConstString::toLower('Q'), 'q');
  EXPECT_EQ(ConstString::toUpper('q'), 'Q');
  EXPECT_EQ(ConstString::toUpper('\x8E'), '\x8E');

  const ConstString text("take12");
  EXPECT_TRUE(text.testChar8(0, 't'));
  EXPECT_TRUE(text.testChar16(1, u'a'));
  EXPECT_TRUE(text.testChar8(6, 0));
  EXPECT_FALSE(text.testChar8(6, 'x'));
  EXPECT_FALSE(text.testChar8(-1, 't'));
  EXPECT_TRUE(ConstString(u"\u00E9").testChar8(0, '\x8E'));
  // U+4E00 has no Mac Roman byte: it is not taken for the '?' that narrowing would give.
  EXPECT_FALSE(ConstString("?").testChar16(0, u'\u4E00'));

  EXPECT_TRUE(text.isDigit(4));
  for (int32 index : {3, 6, -1}) EXPECT_FALSE(text.isDigit(index)) << index;
  EXPECT_EQ(text.getTrailingNumberIndex(0), 4);
  EXPECT_EQ(text.getTrailingNumberIndex(2), 4);
  EXPECT_EQ(text.getTrailingNumberIndex(3), -1);
  EXPECT_EQ(ConstString(u"42").getTrailingNumberIndex(), 0);
  EXPECT_EQ(ConstString("take").getTrailingNumberIndex(), -1);
  EXPECT_EQ(ConstString().getTrailingNumberIndex(), -1);
}

TEST(StringCompare, NaturalOrder) {
  // Numbers compare by value; of equal values, more leading zeros sort after (all-zero numbers
  // too), whatever follows; a digit meeting a letter compares as a character.
  const struct {
    const char8 *a, *b;
    int order;
  } cases[] = {{"file2", "file10", -1},  {"img12", "img9", 1},    {"x9y", "x10a", -1},
               {"abc", "abd", -1},       {"take12", "take12", 0}, {"a01", "a1", 1},
               {"img007", "img7", 1},    {"a0", "a00", -1},       {"a", "a0", -1},
               {"v1.9", "v1.10", -1},    {"a1", "ab", -1},        {"take9b", "take009", -1},
               {"Track 10", "take9", -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(sign(strnatcmp8(c.a, c.b)), c.order) << c.a << " | " << c.b;
    EXPECT_EQ(sign(strnatcmp8(c.b, c.a)), -c.order) << c.a << " | " << c.b;
  }

  EXPECT_LT(strnatcmp8("File2", "file2"), 0);
  EXPECT_EQ(strnatcmp8("File2", "file2", false), 0);
  EXPECT_EQ(strnatcmp16(u"ABC", u"abc", false), 0);
  EXPECT_LT(strnatcmp16(u"abc2", u"ABC10", false), 0);
  EXPECT_EQ(ConstString("ABC").naturalCompare("abc", ConstString::kCaseInsensitive), 0);

  EXPECT_EQ(strnatcmp8(nullptr, nullptr), 0);
  EXPECT_LT(strnatcmp8(nullptr, ""), 0);
  EXPECT_GT(strnatcmp16(u"", nullptr), 0);
  EXPECT_EQ(ConstString("").naturalCompare(ConstString()), 0);
  EXPECT_GT(ConstString("a").naturalCompare(ConstString()), 0);
  EXPECT_LT(String().naturalCompare("a"), 0);

  // Mixed widths meet in 16-bit: the Mac Roman byte 0x8E is U+00E9.
  EXPECT_GT(ConstString("file10").naturalCompare(ConstString(u"file9")), 0);
  EXPECT_EQ(ConstString(u"caf\u00E9 2").naturalCompare(ConstString("caf\x8E 2")), 0);
  // Comparing widens a temporary, never the string itself.
  String narrow("w");
  EXPECT_LT(narrow.naturalCompare(ConstString(u"x")), 0);
  EXPECT_FALSE(narrow.isWideString());
}

// The natural order exactly as its rules are written: number by number, leading zeros counted.
int referenceNaturalOrder(const char* a, const char* b, bool caseSensitive) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (;;) {
    if (*a == 0) return *b == 0 ? 0 : -1;
    if (*b == 0) return 1;
    if (digit(*a) && digit(*b)) {
      int zerosA = 0, zerosB = 0;
      for (; *a == '0'; ++a) ++zerosA;
      for (; *b == '0'; ++b) ++zerosB;
      std::string digitsA, digitsB;
      for (; digit(*a); ++a) digitsA += *a;
      for (; digit(*b); ++b) digitsB += *b;
      if (digitsA.size() != digitsB.size()) return digitsA.size() < digitsB.size() ? -1 : 1;
      if (digitsA != digitsB) return digitsA < digitsB ? -1 : 1;
      if (zerosA != zerosB) return zerosA < zerosB ? -1 : 1;
      continue;
    }
    const int ca = caseSensitive ? uint8(*a) : toupper(uint8(*a));
    const int cb = caseSensitive ? uint8(*b) : toupper(uint8(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++a;
    ++b;
  }
}

TEST(StringCompare, NaturalOrderAgreesWithItsRulesOnRandomTexts) {
  const char alphabet[] = "00019aAb \xE9";
  std::mt19937 random(11);
  const auto text = [&] {
    std::string t(random() % 9, ' ');
    for (char& c : t) c = alphabet[random() % (sizeof alphabet - 1)];
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string a = text(), b = random() % 3 ? text() : a.substr(0, random() % 9) + text();
    for (bool caseSensitive : {true, false}) {
      const int expected = referenceNaturalOrder(a.c_str(), b.c_str(), caseSensitive);
      ASSERT_EQ(sign(strnatcmp8(a.c_str(), b.c_str(), caseSensitive)), expected) << a << " | " << b;
      const std::u16string a16(a.begin(), a.end()), b16(b.begin(), b.end());
      if (caseSensitive) {
        ASSERT_EQ(sign(strnatcmp16(a16.c_str(), b16.c_str(), true)), expected) << a << " | " << b;
      }
    }
  }
}

TEST(StringCompare, CharactersFrom0x80And0x8000SortAfterTheOthers) {
  EXPECT_GT(strnatcmp8("\xE9", "z"), 0);
  EXPECT_GT(strnatcmp16(u"\u8000", u"z"), 0);
  EXPECT_GT(strnatcmp16(u"\uFFFF", u"\u7FFF"), 0);
  EXPECT_GT(ConstString("a\x80").naturalCompare("a\x7F"), 0);
}

// The hash as written: remainder at every step, in 32-bit arithmetic.
template <typename Signed, typename C>
uint32 referenceHash(const C* text, uint32 hashSize) {
  uint32 hash = 0;
  for (; *text != 0; ++text) {
    hash = (hash << 6) + uint32(int32(Signed(*text)));
    if (hashSize != 0) hash %= hashSize;
  }
  return hash;
}

TEST(StringCompare, Hash) {
  EXPECT_EQ(hashString8("ab", 1000), 306u);
  EXPECT_EQ(hashString8(nullptr, 1000), 0u);
  // A hash size of 0 leaves the hash unreduced instead of dividing by zero.
  EXPECT_EQ(hashString8("ab", 0), 97u * 64 + 98);

  // Characters count as signed values, in every way of reducing the hash.
  std::mt19937 random(7);
  std::string text8;
  std::u16string text16;
  for (int i = 0; i < 2000; ++i) {
    text8 += char(1 + random() % 255);
    text16 += char16(1 + random() % 0xFFFF);
  }
  for (uint32 size : {0u, 1u, 2u, 3u, 7u, 1000u, 1024u, 65521u, 1u << 26, (1u << 26) + 1,
                      0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
    EXPECT_EQ(hashString8(text8.c_str(), size), referenceHash<int8>(text8.c_str(), size)) << size;
    EXPECT_EQ(hashString16(text16.c_str(), size), referenceHash<int16>(text16.c_str(), size))
        << size;
  }
}

}  // namespace
}  // namespace Quillon
