// Tests for FVariant ownership and the strings' conversions to and from variants and stores.
#include "base/source/fvariant.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "base/source/fstring.h"
#include "interfaces/iattributes.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

class CountedObject : public FUnknown {
 public:
  ResultCode queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNotFound;
  }
  uint32 addRef() override { return ++count; }
  uint32 release() override { return --count; }
  uint32 count = 1;
};

// A store of variant copies, called through its first and fourth slots only.
class MapStore : public IAttributes {
 public:
  ResultCode queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNotFound;
  }
  uint32 addRef() override { return 1; }
  uint32 release() override { return 1; }
  ResultCode setAttribute(IAttrID id, const FVariant& data) override {
    values[id] = data;
    return kOk;
  }
  ResultCode removeAttribute(IAttrID id) override { return values.erase(id) ? kOk : kFalse; }
  ResultCode hasAttribute(IAttrID id) override { return values.count(id) ? kOk : kFalse; }
  ResultCode getAttribute(IAttrID id, FVariant& data) override {
    const auto found = values.find(id);
    if (found == values.end()) return kFalse;
    data = found->second;
    return kOk;
  }
  std::map<std::string, FVariant> values;
};

char16* newText16(const char16* text) {
  const size_t length = std::char_traits<char16>::length(text);
  auto* copy = new char16[length + 1];
  std::char_traits<char16>::copy(copy, text, length + 1);
  return copy;
}

TEST(FVariant, CopiesOwnIndependentText) {
  FVariant first;
  first.takeString16(newText16(u"text"));
  FVariant copy(first);
  EXPECT_EQ(copy.getType(), FVariant::kString16 | FVariant::kOwner);
  EXPECT_NE(copy.getString16(), first.getString16());
  copy.empty();
  EXPECT_EQ(copy.getType(), FVariant::kEmpty);
  EXPECT_EQ(std::u16string(first.getString16()), u"text");

  // A copy of borrowed text owns its own copy; assignment to itself keeps the text.
  const char8 borrowed[] = "abc";
  FVariant lender;
  lender.setString8(borrowed);
  EXPECT_FALSE(lender.isOwner());
  FVariant owner;
  owner.setInt(5);
  owner = lender;
  EXPECT_TRUE(owner.isOwner());
  EXPECT_NE(owner.getString8(), borrowed);
  owner = *&owner;
  EXPECT_STREQ(owner.getString8(), "abc");

  FVariant number;
  number.setFloat(2.5);
  FVariant numberCopy(number);
  EXPECT_EQ(numberCopy.getFloat(), 2.5);
  EXPECT_EQ(numberCopy.getInt(), 0);
  EXPECT_EQ(numberCopy.getString8(), nullptr);
}

TEST(FVariant, CopiesHoldOneReferenceOfTheObject) {
  CountedObject object;
  {
    FVariant borrowed;
    borrowed.setObject(&object);
    FVariant shared(borrowed);
    EXPECT_EQ(object.count, 2u);
    FVariant another;
    another = shared;
    EXPECT_EQ(object.count, 3u);
    another = *&another;
    EXPECT_EQ(object.count, 3u);
  }
  EXPECT_EQ(object.count, 1u);
}

TEST(FVariant, StringsLendPassAndTakeText) {
  String s("abc");
  FVariant variant;
  s.toVariant(variant);
  EXPECT_EQ(variant.getString8(), s.ptr());
  EXPECT_FALSE(variant.isOwner());
  EXPECT_EQ(bytesOf(ConstString(variant)), "abc");

  // The variant frees what it owns with delete[]; the sanitizers and valgrind check the pair.
  EXPECT_TRUE(s.passToVariant(variant));
  EXPECT_EQ(s.ptr(), nullptr);
  EXPECT_EQ(s.length(), 0);
  EXPECT_TRUE(variant.isOwner());
  EXPECT_STREQ(variant.getString8(), "abc");

  String wide(u"\u4E00");
  EXPECT_TRUE(wide.passToVariant(variant));
  EXPECT_EQ(std::u16string(variant.getString16()), u"\u4E00");
  String none;
  EXPECT_TRUE(none.passToVariant(variant));
  EXPECT_EQ(std::u16string(variant.getString16()), u"");

  FVariant number;
  number.setInt(-42);
  EXPECT_EQ(unitsOf(String(number)), u"-42");
  number.setFloat(0.5);
  String narrow("x");
  EXPECT_TRUE(narrow.fromVariant(number));
  EXPECT_EQ(bytesOf(narrow), "0.5");
  CountedObject object;
  number.setObject(&object);
  EXPECT_FALSE(narrow.fromVariant(number));
  EXPECT_EQ(narrow.length(), 0);
  EXPECT_EQ(ConstString(number).length(), 0);
}

TEST(FVariant, StringsGoThroughAnAttributeStore) {
  MapStore store;
  EXPECT_TRUE(String(u"name").toAttributes(&store, "title"));
  String read;
  EXPECT_TRUE(read.fromAttributes(&store, "title"));
  EXPECT_EQ(unitsOf(read), u"name");
  EXPECT_FALSE(read.fromAttributes(&store, "missing"));
  EXPECT_EQ(unitsOf(read), u"name");
  EXPECT_FALSE(read.fromAttributes(nullptr, "title"));
  EXPECT_FALSE(String("x").toAttributes(nullptr, "title"));
}

}  // namespace
}  // namespace Quillon
