// Tests for ConstString and String: widths, conversion, assignment, storage and hand-over.
#include "base/source/fstring.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interfaces/istringresult.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

TEST(String, ConvertsInPlaceWhenReadInTheOtherWidthAndBetweenCodePages) {
  String s("abc");
  EXPECT_EQ(std::u16string(s.text16()), u"abc");
  EXPECT_TRUE(s.isWideString());
  EXPECT_EQ(s.length(), 3);
  EXPECT_EQ(s.getChar8(1), 'b');
  EXPECT_FALSE(s.isWideString());

  String empty;  // 16-bit
  EXPECT_STREQ(empty.text8(), "");
  EXPECT_FALSE(empty.isWideString());
  EXPECT_EQ(empty.ptr(), nullptr);

  // bytesOf and unitsOf read the buffer in one width, so each also checks the string's width.
  s.assign("\xC3\xA9");
  ASSERT_TRUE(s.toWideString(kCodePageUtf8));
  EXPECT_EQ(unitsOf(s), u"\u00E9");
  ASSERT_TRUE(s.toMultiByte(kCodePageUtf8));
  EXPECT_EQ(bytesOf(s), "\xC3\xA9");
  // 8-bit text is taken to be Mac Roman when re-encoded: each byte becomes a character.
  ASSERT_TRUE(s.toMultiByte(kCodePageUtf8));
  EXPECT_EQ(bytesOf(s), "\xE2\x88\x9A\xC2\xA9");

  String utf8;
  EXPECT_TRUE(utf8.fromUTF8("\xF0\x9F\x8E\xB9"));
  EXPECT_EQ(unitsOf(utf8), u"\U0001F3B9");

  // A failed conversion leaves the string as it was.
  String bad("\xFF\xFE");
  EXPECT_FALSE(bad.toWideString(kCodePageUtf8));
  EXPECT_EQ(bytesOf(bad), "\xFF\xFE");

  String latin("a\x81");
  EXPECT_FALSE(latin.toWideString(kCodePageWindowsLatin1));
  EXPECT_EQ(bytesOf(latin), "a\x81");
  EXPECT_FALSE(latin.fromUTF8("\xC0\x80"));
  EXPECT_FALSE(latin.isWideString());
}

// Short texts convert through a stack buffer and long ones through the heap; either way the
// text survives a round trip in any width, at every length around the switch between them.
TEST(String, ConvertsShortAndLongTextsAlike) {
  for (const std::u16string piece : {u"a", u"\u00E9", u"\u65E5", u"\U0001F3B9", u"x\u0416"}) {
    std::u16string text;
    while (text.size() < 140) {
      text += piece;
      String s(text.c_str());
      ASSERT_TRUE(s.toMultiByte(kCodePageUtf8)) << text.size();
      const std::string utf8 = bytesOf(s);
      ASSERT_EQ(utf8.size(), strlen(s.text8()));
      ASSERT_TRUE(s.toWideString(kCodePageUtf8)) << text.size();
      ASSERT_EQ(unitsOf(s), text);
      // Damaged at its end, the text fails to decode and the string keeps it as it was.
      String damaged((utf8 + "\xC3").c_str());
      ASSERT_FALSE(damaged.toWideString(kCodePageUtf8));
      ASSERT_EQ(bytesOf(damaged), utf8 + "\xC3");
    }
  }
}

TEST(String, Assign) {
  String s;
  EXPECT_EQ(bytesOf(s.assign("hello", 2)), "he");
  EXPECT_EQ(bytesOf(s.assign("hi", 10)), "hi");
  EXPECT_EQ(bytesOf(s.assign("a\0b", 3, false)), std::string("a\0b", 3));
  EXPECT_EQ(bytesOf(s.assign("x", -1, false)), std::string("a\0b", 3));
  EXPECT_EQ(unitsOf(s.assign(u'z', 3)), u"zzz");
  EXPECT_EQ(s.assign("", 0).ptr(), nullptr);
  EXPECT_FALSE(s.isWideString());

  // A copy stops at an embedded zero.
  String embedded("a\0b", 3, false);
  EXPECT_EQ(String(embedded).length(), 1);
  EXPECT_EQ(String(embedded, 0).length(), 0);
  // Converting reads up to the first zero: here the empty text, which is no failure.
  String zeroFirst("\0ab", 3, false);
  EXPECT_TRUE(zeroFirst.toWideString(kCodePageUtf8));
  EXPECT_EQ(zeroFirst.length(), 0);
  EXPECT_TRUE(zeroFirst.isWideString());

  // Text from inside the string's own buffer.
  s.assign("hello world");
  EXPECT_EQ(bytesOf(s.assign(s.text8() + 6)), "world");
  EXPECT_EQ(bytesOf(s.assign(s.text8(), 2)), "world");  // the buffer itself is ignored

  String wide(u"hello world");
  EXPECT_EQ(unitsOf(wide.assign(wide.text16() + 4, 3)), u"o w");
  EXPECT_EQ(unitsOf(wide.assign(wide)), u"o w");
}

TEST(String, ResizeKeepsAZeroWithinTheText) {
  String s("abc");
  ASSERT_TRUE(s.resize(6, false, true));
  EXPECT_EQ(bytesOf(s), "abc   ");
  EXPECT_STREQ(s.text8(), "abc   ");
  ASSERT_TRUE(s.resize(2, false));
  EXPECT_EQ(bytesOf(s), "ab");
  EXPECT_STREQ(s.text8(), "ab");
  ASSERT_TRUE(s.resize(10, false));
  EXPECT_EQ(bytesOf(s), "ab");
  // A change of width reinterprets the bytes, but the text still ends at its length.
  ASSERT_TRUE(s.resize(35, true));
  EXPECT_EQ(s.length(), 2);
  EXPECT_LE(std::char_traits<char16>::length(s.text16()), 2u);
  ASSERT_TRUE(s.resize(0, true));
  EXPECT_EQ(s.ptr(), nullptr);
  EXPECT_TRUE(s.isWideString());
  EXPECT_FALSE(s.resize(-1, false));
  EXPECT_FALSE(s.resize(INT32_MAX, false));
  EXPECT_TRUE(s.isWideString());
}

TEST(String, HandsBuffersOver) {
  String a("first"), b(u"second");
  const void* bBuffer = b.ptr();
  a.take(b);
  EXPECT_EQ(a.ptr(), bBuffer);
  EXPECT_EQ(unitsOf(a), u"second");
  EXPECT_EQ(b.ptr(), nullptr);
  EXPECT_EQ(b.length(), 0);

  void* passed = a.pass();
  EXPECT_EQ(a.ptr(), nullptr);
  b.take(passed, true);
  EXPECT_EQ(unitsOf(b), u"second");

  auto* adopted = static_cast<char8*>(malloc(4));
  memcpy(adopted, "x\0y", 4);
  a.take(adopted, false);
  EXPECT_EQ(bytesOf(a), "x");

  a.swapContent(b);
  EXPECT_EQ(unitsOf(a), u"second");
  EXPECT_EQ(bytesOf(b), "x");

  String moved(std::move(a));
  EXPECT_EQ(unitsOf(moved), u"second");
  EXPECT_EQ(a.ptr(), nullptr);
}

TEST(String, CopyToAndExtractNeverLeaveTheText) {
  String s("abcdef");
  char8 narrow[8];
  EXPECT_EQ(s.copyTo8(narrow, 2, 3), 3);
  EXPECT_STREQ(narrow, "cde");
  EXPECT_EQ(s.copyTo8(narrow, 4, 100), 2);
  EXPECT_STREQ(narrow, "ef");
  EXPECT_EQ(s.copyTo8(narrow, 1, INT32_MAX), 5);
  for (int32 index : {-1, 6, INT32_MAX, INT32_MIN}) {
    memcpy(narrow, "junk", 5);
    EXPECT_EQ(s.copyTo8(narrow, index), 0);
    EXPECT_STREQ(narrow, "");
  }
  EXPECT_EQ(s.copyTo8(nullptr), 0);

  char16 wide[8];
  EXPECT_EQ(s.copyTo16(wide, 5), 1);
  EXPECT_EQ(std::u16string(wide), u"f");
  EXPECT_FALSE(s.isWideString());  // the widening happened in a temporary

  String utf16(u"\u00E9t\u00E9");
  EXPECT_EQ(utf16.copyTo8(narrow), 3);
  EXPECT_STREQ(narrow, "\x8Et\x8E");

  String part;
  EXPECT_TRUE(s.extract(part, 1, 3));
  EXPECT_EQ(bytesOf(part), "bcd");
  EXPECT_TRUE(s.extract(part, 3, -1));
  EXPECT_EQ(bytesOf(part), "def");
  EXPECT_FALSE(s.extract(part, 6));
  EXPECT_FALSE(s.extract(part, -1));
  EXPECT_EQ(bytesOf(part), "def");
  EXPECT_TRUE(s.extract(s, 0, 2));
  EXPECT_EQ(bytesOf(s), "ab");
  EXPECT_FALSE(String().extract(part, 0));
}

TEST(String, PascalStrings) {
  String s;
  s.assign('a', 300);
  unsigned char pascal[256];
  s.toPascalString(pascal);
  EXPECT_EQ(pascal[0], 255);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(pascal + 1), 255), std::string(255, 'a'));

  const unsigned char source[] = {3, 'x', 0, 'y', 'z'};
  ASSERT_TRUE(s.fromPascalString(source));
  EXPECT_EQ(bytesOf(s), std::string("x\0y", 3));
  EXPECT_FALSE(s.fromPascalString(nullptr));

  String(u"\u00E9").toPascalString(pascal);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(pascal), 2), "\x01\x8E");
  String().toPascalString(pascal);
  EXPECT_EQ(pascal[0], 0);
}

TEST(ConstString, ViewsWithoutOwningOrConverting) {
  const char16 text[] = u"abc";
  ConstString view(text);
  EXPECT_EQ(view.text16(), text);
  EXPECT_STREQ(view.text8(), "");
  EXPECT_EQ(view.getChar8(0), 0);
  EXPECT_EQ(view.getChar16(2), u'c');
  EXPECT_EQ(view.getChar16(3), 0);
  EXPECT_EQ(view.getChar16(-1), 0);
  EXPECT_EQ(ConstString(view, 1).text16(), text + 1);
  EXPECT_EQ(ConstString(view, 99).length(), 0);
  EXPECT_EQ(ConstString(view, -4).length(), 3);
  EXPECT_EQ(ConstString(static_cast<const char8*>(nullptr)).text8(), kEmptyString8);

  EXPECT_TRUE(ConstString(u"\u007F").isAsciiString());
  EXPECT_TRUE(ConstString().isAsciiString());
  for (const ConstString& text :
       {ConstString(u"\u0080"), ConstString(u"\u8000"), ConstString("a\x80")})
    EXPECT_FALSE(text.isAsciiString());
}

// Records what a copy hands over; offers IString only when asked to.
class Receiver : public IStringResult, public IString {
 public:
  explicit Receiver(bool offersIString) : offersIString(offersIString) {}
  ResultCode queryInterface(const char* iid, void** obj) override {
    IStringResult& self = *this;
    if (!offersIString) return answerQueryInterface(self, iid, obj, {});
    return answerQueryInterface(self, iid, obj, {{IString::iid, static_cast<IString*>(this)}});
  }
  uint32 addRef() override { return ++references; }
  uint32 release() override { return --references; }
  void setText(const char* text) override { received8 = text; }
  void setText8(const char* text) override { received8 = text; }
  void setText16(const char16* text) override { received16 = text; }
  const char* getText8() override { return nullptr; }
  const char16* getText16() override { return nullptr; }
  void take(void*, bool) override {}
  bool isWideString() override { return false; }

  bool offersIString;
  uint32 references = 1;
  std::string received8;
  std::u16string received16;
};

TEST(ConstString, CopyToStringResult) {
  Receiver wide(true), narrow(false);
  String(u"\u00E9").copyTo(static_cast<IStringResult*>(&wide));
  EXPECT_EQ(wide.received16, u"\u00E9");
  EXPECT_EQ(wide.references, 1u);
  String(u"\u00E9").copyTo(static_cast<IStringResult*>(&narrow));
  EXPECT_EQ(narrow.received8, "\x8E");
  String("abc").copyTo(static_cast<IStringResult*>(&wide));
  EXPECT_EQ(wide.received8, "abc");
  String("abc").copyTo(static_cast<IStringResult*>(nullptr));
}

}  // namespace
}  // namespace Quillon
