// Tests for String editing: the width rule, ranges, own-buffer text and hostile indexes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "base/source/fstring.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

// bytesOf and unitsOf read the buffer in one width, so each also checks the string's width.
TEST(StringEdit, IncomingWideTextWidensTheString) {
  String s;
  EXPECT_EQ(bytesOf(s.append("ab")), "ab");
  EXPECT_EQ(unitsOf(s.append(u"\u4E00")), u"ab\u4E00");
  // 8-bit text joins a wide string through Mac Roman.
  EXPECT_EQ(unitsOf(s.append("\x8E")), u"ab\u4E00\u00E9");
  EXPECT_EQ(unitsOf(String("ab").append(u'x', 3)), u"abxxx");
  EXPECT_EQ(unitsOf(String("abc").replace(1, 1, u"\u4E00\u4E01")), u"a\u4E00\u4E01c");
  String u(u"ab");
  EXPECT_EQ(unitsOf(u.insertAt(1, "\x8E")), u"a\u00E9b");
  EXPECT_EQ(unitsOf(u.replace(0, 1, "xy")), u"xy\u00E9b");
}

TEST(StringEdit, AppendInsertReplaceAndRemove) {
  String s("abc");
  EXPECT_EQ(bytesOf(s.insertAt(3, "d")), "abcd");
  EXPECT_EQ(bytesOf(s.insertAt(5, "x")), "abcd");
  EXPECT_EQ(bytesOf(s.insertAt(0, "xyz", 1)), "xabcd");
  EXPECT_EQ(bytesOf(s.append("123", 2)), "xabcd12");
  EXPECT_EQ(bytesOf(s.append('!', 1)), "xabcd12!");
  EXPECT_EQ(bytesOf(s.append('-', 2)), "xabcd12!--");
  EXPECT_EQ(bytesOf(s.append('\0', 2)), "xabcd12!--");
  EXPECT_EQ(bytesOf(s.append(String("yz"), 1)), "xabcd12!--y");
  EXPECT_EQ(unitsOf(s.insertAt(1, String(u"QR"), 5)), u"xQRabcd12!--y");

  s.assign("abc");
  EXPECT_EQ(bytesOf(s.replace(1, 0, "x")), "abc");
  EXPECT_EQ(bytesOf(s.replace(0, -1, "x")), "x");
  s.assign("abcdef");
  EXPECT_EQ(bytesOf(s.replace(1, 2, "XYZW")), "aXYZWdef");
  EXPECT_EQ(bytesOf(s.replace(1, 4, "-")), "a-def");
  EXPECT_EQ(bytesOf(s.replace(3, 100, "")), "a-d");
  EXPECT_EQ(bytesOf(s.replace(0, 1, static_cast<const char8*>(nullptr))), "a-d");

  s.assign("abc");
  EXPECT_EQ(bytesOf(s.remove(5)), "abc");
  EXPECT_EQ(bytesOf(s.remove(1, 1)), "ac");
  EXPECT_EQ(bytesOf(s.remove(1)), "a");
  EXPECT_EQ(s.remove(0).ptr(), nullptr);
}

TEST(StringEdit, SetCharPadsAndTruncates) {
  String s("ab");
  EXPECT_TRUE(s.setChar8(5, 'x'));
  EXPECT_EQ(bytesOf(s), "ab   x");
  s.assign("abc");
  EXPECT_TRUE(s.setChar8(1, 0));
  EXPECT_EQ(bytesOf(s), "a");
  EXPECT_TRUE(s.setChar8(3, 0));
  EXPECT_EQ(bytesOf(s), "a  ");
  EXPECT_TRUE(s.setChar8(3, 0));

  String wide(u"ab");
  EXPECT_TRUE(wide.setChar8(0, '\x8E'));
  EXPECT_EQ(unitsOf(wide), u"\u00E9b");
  String narrow("ab");
  EXPECT_TRUE(narrow.setChar16(1, u'\u00E9'));
  EXPECT_EQ(bytesOf(narrow), "a\x8E");
  EXPECT_FALSE(narrow.setChar16(-1, u'x'));
}

TEST(StringEdit, TextFromInsideTheOwnBuffer) {
  String s("hello");
  EXPECT_EQ(bytesOf(s.append(s.text8() + 3)), "hellolo");
  EXPECT_EQ(bytesOf(s.append(s.text8())), "hellolo");  // the buffer itself is ignored
  EXPECT_EQ(bytesOf(s.insertAt(0, s.text8() + 5)), "lohellolo");
  EXPECT_EQ(bytesOf(s.insertAt(2, s.text8(), 2)), "lolohellolo");
  EXPECT_EQ(bytesOf(s.replace(0, 4, s.text8() + 4)), "hellolohellolo");

  String wide(u"abc");
  EXPECT_EQ(unitsOf(wide.append(wide.text16() + 1)), u"abcbc");
  EXPECT_EQ(unitsOf(wide.replace(1, 1, wide.text16(), 3)), u"aabccbc");
}

// Empty text is text: put in by `replace` it removes the range, whatever its width or whether
// it comes from a string without a buffer. Only a null text means "change nothing".
TEST(StringEdit, EmptyTextRemovesTheReplacedRange) {
  const auto wideAbc = [] { return String(u"abc"); };
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, "")), u"ac");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, "xyz", 0)), u"ac");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, u"")), u"ac");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, String(u""))), u"ac");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, String(""))), u"ac");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, String())), u"ac");
  EXPECT_EQ(bytesOf(String("abc").replace(1, 1, String(""))), "ac");
  EXPECT_EQ(unitsOf(String("abc").replace(1, 1, String())), u"ac");  // String() is 16-bit
  EXPECT_EQ(bytesOf(String("abc").replace(0, -1, String(u""))), "");
  EXPECT_EQ(bytesOf(String("abc").replace(1, 1, static_cast<const char8*>(nullptr))), "abc");
  EXPECT_EQ(unitsOf(wideAbc().replace(1, 1, static_cast<const char8*>(nullptr))), u"abc");

  // The other edits: empty text assigns the empty string and appends or inserts nothing.
  EXPECT_EQ(String("abc").assign(String()).length(), 0);
  EXPECT_EQ(unitsOf(wideAbc().append(String())), u"abc");
  EXPECT_EQ(unitsOf(wideAbc().insertAt(1, String(""))), u"abc");
  EXPECT_EQ(bytesOf(String("abc").insertAt(1, String())), "abc");
}

// Every edit with indexes and counts at and beyond the edges, in both widths: the text stays
// terminated at its length and nothing is read or written outside it (ASan checks the rest).
TEST(StringEdit, HostileIndexesAndCounts) {
  const int32 values[] = {INT32_MIN, -2, -1, 0, 1, 2, 3, 4, 100, INT32_MAX};
  for (bool wide : {false, true}) {
    for (int32 a : values) {
      for (int32 b : values) {
        const auto check = [&](auto edit) {
          String s("abc");
          if (wide) s.toWideString();
          edit(s);
          EXPECT_LE(s.length(), 3 + 200);
          EXPECT_EQ(
              s.isWideString() ? std::char_traits<char16>::length(s.text16()) : strlen(s.text8()),
              size_t(s.length()));
        };
        check([&](String& s) { s.insertAt(a, "xy", b); });
        check([&](String& s) { s.insertAt(a, u"xy", b); });
        check([&](String& s) { s.replace(a, b, "xyz", b); });
        check([&](String& s) { s.replace(a, b, u"xyz", a); });
        check([&](String& s) { s.remove(a, b); });
        check([&](String& s) { s.append("xyz", a); });
        check([&](String& s) { s.append(u'x', a > 100 ? 100 : a); });
        check([&](String& s) { s.setChar8(a > 100 ? 100 : a, char8(b)); });
        check([&](String& s) { s.setChar16(a > 100 ? 100 : a, char16(b)); });
        check([&](String& s) {
          char8 out8[8];
          char16 out16[8];
          s.copyTo8(out8, a, b < 4 ? b : 4);
          s.copyTo16(out16, a, b < 4 ? b : 4);
          String part;
          s.extract(part, a, b);
          s.getChar8(a);
          s.getChar16(b);
        });
      }
    }
  }
}

}  // namespace
}  // namespace Quillon
