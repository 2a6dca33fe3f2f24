// ConstStringTable: widened copies of literals, kept until the last unit that uses them is gone.
#include "base/source/fstringtable.h"

#include <atomic>
#include <cstring>
#include <memory>

namespace Quillon {
namespace {

std::atomic<ConstStringTable*> theTable{nullptr};
// Changed only while units are initialised and destroyed, which the loader serialises.
int tableUsers = 0;

char16 widen(char8 c) { return static_cast<char16>(static_cast<signed char>(c)); }

}  // namespace

ConstStringTable* ConstStringTable::instance() {
  ConstStringTable* table = theTable.load(std::memory_order_acquire);
  if (table != nullptr) return table;
  // Concurrent first calls each build one; the loser frees its own.
  auto* created = new ConstStringTable;
  if (theTable.compare_exchange_strong(table, created, std::memory_order_acq_rel)) return created;
  delete created;
  return table;
}

ConstStringTable::ConstStringTable()
    : stringMap(new std::map<const char8*, char16*>), charMap(nullptr) {
  try {
    charMap = new std::map<char8, char16>;
  } catch (...) {
    delete stringMap;
    throw;
  }
}

ConstStringTable::~ConstStringTable() {
  for (auto& entry : *stringMap) delete[] entry.second;
  delete stringMap;
  delete charMap;
}

const char16* ConstStringTable::getString(const char8* text) const {
  static const char8 nullText[] = "";
  if (text == nullptr) text = nullText;
  const auto found = stringMap->find(text);
  if (found != stringMap->end()) return found->second;

  const size_t length = std::strlen(text);
  std::unique_ptr<char16[]> copy(new char16[length + 1]);
  for (size_t i = 0; i < length; ++i) copy[i] = widen(text[i]);
  copy[length] = 0;
  stringMap->emplace(text, copy.get());
  return copy.release();
}

char16 ConstStringTable::getString(char8 c) const {
  return charMap->try_emplace(c, widen(c)).first->second;
}

namespace detail {

ConstStringTableUser::ConstStringTableUser() {
  ++tableUsers;
  ConstStringTable::instance();
}

ConstStringTableUser::~ConstStringTableUser() {
  if (--tableUsers == 0) delete theTable.exchange(nullptr, std::memory_order_acq_rel);
}

}  // namespace detail
}  // namespace Quillon
