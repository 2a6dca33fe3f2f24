// Tests for StringObject: its two interface parts, shared counting, class names and text.
#include "base/source/stringobject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace Quillon {
namespace {

TEST(StringObject, InterfacePartsShareOneCount) {
  auto* object = new StringObject;
  void* asString = nullptr;
  void* asResult = nullptr;
  void* asUnknown = nullptr;
  ASSERT_EQ(object->queryInterface(IString::iid.tuid(), &asString), kOk);
  ASSERT_EQ(object->queryInterface(IStringResult::iid.tuid(), &asResult), kOk);
  ASSERT_EQ(object->queryInterface(FUnknown::iid.tuid(), &asUnknown), kOk);
  EXPECT_EQ(asString, static_cast<IString*>(object));
  EXPECT_EQ(asResult, static_cast<IStringResult*>(object));
  EXPECT_EQ(asUnknown, static_cast<FObject*>(object));

  void* none = object;
  EXPECT_EQ(object->queryInterface(IUpdateHandler::iid.tuid(), &none), kNotFound);
  EXPECT_EQ(none, nullptr);

  EXPECT_EQ(static_cast<IString*>(asString)->release(), 3u);
  EXPECT_EQ(static_cast<IStringResult*>(asResult)->release(), 2u);
  EXPECT_EQ(static_cast<IStringResult*>(asResult)->addRef(), 3u);
  EXPECT_EQ(static_cast<FUnknown*>(asUnknown)->release(), 2u);
  EXPECT_EQ(static_cast<IString*>(asString)->release(), 1u);
  // The last reference, through a part, frees the object and its text.
  static_cast<IString*>(asString)->setText8("freed with the object");
  EXPECT_EQ(static_cast<IString*>(asString)->release(), 0u);
}

TEST(StringObject, IsAStringObjectWhoseTextGoesInAndOutInEitherWidth) {
  auto* object = new StringObject;
  EXPECT_STREQ(object->isA(), "StringObject");
  EXPECT_TRUE(object->isA("StringObject"));
  EXPECT_TRUE(object->isTypeOf("FObject", true));
  EXPECT_FALSE(object->isTypeOf("FObject", false));
  EXPECT_FALSE(object->isTypeOf(nullptr, true));

  IString* text = object;
  EXPECT_TRUE(text->isWideString());
  text->setText8("abc");
  EXPECT_FALSE(text->isWideString());
  EXPECT_EQ(std::u16string(text->getText16()), u"abc");
  EXPECT_TRUE(text->isWideString());

  text->setText16(u"\u00E9t\u00E9");
  EXPECT_STREQ(text->getText8(), "\x8Et\x8E");  // code page 0 is Mac Roman
  EXPECT_EQ(object->length(), 3);

  static_cast<IStringResult*>(object)->setText("result");
  EXPECT_STREQ(text->getText8(), "result");

  auto* adopted = static_cast<char16*>(std::malloc(3 * sizeof(char16)));
  std::memcpy(adopted, u"ok", 3 * sizeof(char16));
  text->take(adopted, true);
  EXPECT_TRUE(text->isWideString());
  EXPECT_EQ(std::u16string(text->getText16()), u"ok");

  text->setText8(nullptr);
  EXPECT_STREQ(text->getText8(), "");
  object->release();
}

}  // namespace
}  // namespace Quillon
