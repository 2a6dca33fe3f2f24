// Tests for ConstStringTable: per-address copies, sign-extended characters, life until exit.
#include "base/source/fstringtable.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/source/fstring.h"

namespace Quillon {
namespace {

const char8 kLateLiteral[] = "late";

// Destroyed at exit after every other static of the test program but this unit's own table
// user: the table and the copy it handed out earlier must still be alive then. Exits with 7
// when they are not.
struct LateUser {
  const char16* copy = nullptr;
  ~LateUser() {
    if (copy == nullptr) return;
    if (std::u16string(copy) != u"late") _exit(7);
    if (ConstStringTable::instance()->getString(kLateLiteral) != copy) _exit(7);
  }
} lateUser;

TEST(ConstStringTable, KeysCopiesByLiteralAddress) {
  ConstStringTable* table = ConstStringTable::instance();
  ASSERT_EQ(table, ConstStringTable::instance());
  static const char8 format[] = "%lld";
  static const char8 sameText[] = "%lld";
  const char16* copy = table->getString(format);
  EXPECT_EQ(std::u16string(copy), u"%lld");
  EXPECT_EQ(copy, table->getString(format));
  EXPECT_NE(copy, table->getString(sameText));
  EXPECT_EQ(std::u16string(table->getString(sameText)), u"%lld");
}

TEST(ConstStringTable, EmptyTextIsSharedWithEveryUnit) {
  const char16* empty = ConstStringTable::instance()->getString(kEmptyString8);
  EXPECT_EQ(empty, kEmptyString16);
  EXPECT_EQ(empty, ConstString().text16());
  EXPECT_EQ(empty[0], 0);
}

TEST(ConstStringTable, WidensBytesBySignExtension) {
  ConstStringTable* table = ConstStringTable::instance();
  EXPECT_EQ(table->getString('.'), u'.');
  EXPECT_EQ(table->getString(char8(0xE9)), char16(0xFFE9));
  static const char8 high[] = "\x80\xff";
  EXPECT_EQ(std::u16string(table->getString(high)), u"\xff80\xffff");
}

TEST(ConstStringTable, OutlivesStaticObjectsOfEveryUnit) {
  lateUser.copy = ConstStringTable::instance()->getString(kLateLiteral);
  EXPECT_EXIT(std::exit(0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace Quillon
