// Tests for FVariant ownership and the strings' conversions to and from variants and stores.
#include "base/source/fvariant.h"

#include <gtest/gtest.h>

#include <string>

#include "base/source/fstring.h"
#include "interfaces/iattributes.h"
#include "tests/support/string_text.h"

namespace Quillon {
namespace {

using testing_support::bytesOf;
using testing_support::unitsOf;

// Offers no interfaces; counts the references taken on it.
template <typename Interface>
class Counted : public Interface {
 public:
  ResultCode queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNotFound;
  }
  uint32 addRef() override { return ++count; }
  uint32 release() override { return --count; }
  uint32 count = 1;
};

// A store of one variant copy; the strings only set and get.
class Store : public Counted<IAttributes> {
 public:
  ResultCode setAttribute(IAttrID id, const FVariant& data) override {
    key = id;
    value = data;
    return kOk;
  }
  ResultCode removeAttribute(IAttrID) override { return kFalse; }
  ResultCode hasAttribute(IAttrID) override { return kFalse; }
  ResultCode getAttribute(IAttrID id, FVariant& data) override {
    if (key != id) return kFalse;
    data = value;
    return kOk;
  }
  std::string key;
  FVariant value;
};

TEST(FVariant, CopiesOwnTheirTextAndOneReference) {
  FVariant first;
  first.takeString16(new char16[5]{u"text"});
  FVariant copy(first);
  EXPECT_EQ(copy.getType(), FVariant::kString16 | FVariant::kOwner);
  EXPECT_NE(copy.getString16(), first.getString16());
  copy.empty();
  EXPECT_EQ(std::u16string(first.getString16()), u"text");

  // A copy of borrowed text owns its own copy; assignment to itself keeps the text.
  const char8 borrowed[] = "abc";
  FVariant lender, owner;
  lender.setString8(borrowed);
  owner.setInt(5);
  owner = lender;
  EXPECT_TRUE(owner.isOwner());
  EXPECT_NE(owner.getString8(), borrowed);
  owner = *&owner;
  EXPECT_STREQ(owner.getString8(), "abc");

  FVariant number;
  number.setFloat(2.5);
  EXPECT_EQ(FVariant(number).getFloat(), 2.5);

  // Copies hold one reference of the object.
  Counted<FUnknown> object;
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
  EXPECT_TRUE(variant.isOwner());
  EXPECT_STREQ(variant.getString8(), "abc");
  String wide(u"\u4E00"), none;
  EXPECT_TRUE(wide.passToVariant(variant));
  EXPECT_EQ(std::u16string(variant.getString16()), u"\u4E00");
  EXPECT_TRUE(none.passToVariant(variant));
  EXPECT_EQ(std::u16string(variant.getString16()), u"");

  FVariant number;
  number.setInt(-42);
  EXPECT_EQ(unitsOf(String(number)), u"-42");
  number.setFloat(0.5);
  String narrow("x");
  EXPECT_TRUE(narrow.fromVariant(number));
  EXPECT_EQ(bytesOf(narrow), "0.5");
  Counted<FUnknown> object;
  number.setObject(&object);
  EXPECT_FALSE(narrow.fromVariant(number));
  EXPECT_EQ(narrow.length(), 0);
  EXPECT_EQ(ConstString(number).length(), 0);
}

TEST(FVariant, StringsGoThroughAnAttributeStore) {
  Store store;
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
