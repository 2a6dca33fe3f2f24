// ConstStringTable: the process-wide source of 16-bit copies of 8-bit literals.
//
// Code is written with 8-bit literals; where a 16-bit constant is needed the literal goes
// through the one table, which keeps a 16-bit copy per literal address until the module is
// unloaded. Every unit that includes this header holds the table alive until its own static
// objects are gone, so the table outlives every user in the module.
#pragma once

#include <map>

#include "interfaces/ftypes.h"

namespace Quillon {

namespace detail {
class ConstStringTableUser;
}

// Owns the 16-bit copies it hands out; callers must neither free nor change them.
// Lookups and insertions take no lock: use the table from one thread at a time.
class ConstStringTable {
 public:
  // The one table, created on first use; never null.
  static ConstStringTable* instance();

  // The 16-bit copy of zero-terminated `text`, keyed by the literal's address (two arrays with
  // the same text get two copies). Each byte is sign-extended: 0xE9 becomes 0xFFE9. Valid
  // until module exit. Throws std::bad_alloc when a new copy cannot be allocated.
  const char16* getString(const char8* text) const;
  // The 16-bit form of `c`, sign-extended like the copies above.
  char16 getString(char8 c) const;

  ConstStringTable(const ConstStringTable&) = delete;
  ConstStringTable& operator=(const ConstStringTable&) = delete;

 private:
  friend class detail::ConstStringTableUser;
  ConstStringTable();
  ~ConstStringTable();

  std::map<const char8*, char16*>* stringMap;
  std::map<char8, char16>* charMap;
};

namespace detail {

// Keeps the table alive while any unit that includes this header still has static objects:
// constructed before them, destroyed after them, and the last one destroys the table.
class ConstStringTableUser {
 public:
  ConstStringTableUser();
  ~ConstStringTableUser();
  ConstStringTableUser(const ConstStringTableUser&) = delete;
  ConstStringTableUser& operator=(const ConstStringTableUser&) = delete;
};

static const ConstStringTableUser constStringTableUser;

}  // namespace detail

// Names the platform; nothing reads it.
inline constexpr const char8* kPlatformStringMac = "MAC";
static const char8* const kPlatformString = kPlatformStringMac;

}  // namespace Quillon
