// The wide class record from its 8-bit form.
#include "interfaces/ipluginfactory.h"

#include <cstring>

namespace Quillon {
namespace {

// Widens up to N characters of an 8-bit field (which need not be terminated) one to one.
template <std::size_t N, std::size_t M>
void widenField(char16 (&field)[N], const char (&text)[M]) {
  static_assert(M >= N, "the source field must cover the wide field");
  std::size_t i = 0;
  for (; i < N && text[i] != '\0'; ++i) field[i] = char16(static_cast<unsigned char>(text[i]));
  for (; i < N; ++i) field[i] = 0;
}

}  // namespace

void PClassInfoW::fromAscii(const PClassInfo2& info) {
  std::memcpy(classId, info.classId, sizeof classId);
  cardinality = info.cardinality;
  detail::copyField(category, info.category);
  widenField(name, info.name);
  classFlags = info.classFlags;
  detail::copyField(spare1, info.spare1);
  widenField(spare2, info.spare2);
  widenField(version, info.version);
  widenField(spare3, info.spare3);
}

}  // namespace Quillon
