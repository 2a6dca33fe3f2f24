// Constructors of the factory and class records.
#include "interfaces/ipluginfactory.h"

#include <cstring>

namespace Quillon {
namespace {

// Fixed-length copy: the text up to its terminator, the rest of the field zero; a text as long
// as the field or longer fills it without a terminator. A null text leaves the field empty.
template <std::size_t N>
void copyField(char (&field)[N], const char* text) {
  std::size_t i = 0;
  for (; text != nullptr && i < N && text[i] != '\0'; ++i) field[i] = text[i];
  for (; i < N; ++i) field[i] = '\0';
}

// Widens up to N characters of an 8-bit field (which need not be terminated) one to one.
template <std::size_t N, std::size_t M>
void widenField(char16 (&field)[N], const char (&text)[M]) {
  static_assert(M >= N, "the source field must cover the wide field");
  std::size_t i = 0;
  for (; i < N && text[i] != '\0'; ++i) field[i] = char16(static_cast<unsigned char>(text[i]));
  for (; i < N; ++i) field[i] = 0;
}

}  // namespace

PFactoryInfo::PFactoryInfo(const char* vendorText, const char* spare1Text, const char* spare2Text,
                           int32 flagBits) {
  copyField(vendor, vendorText);
  copyField(spare1, spare1Text);
  copyField(spare2, spare2Text);
  flags = flagBits | kFlagsAlwaysSet;
}

PClassInfo::PClassInfo(const char* id, int32 cardinalityValue, const char* categoryText,
                       const char* nameText) {
  if (id != nullptr) std::memcpy(classId, id, sizeof classId);
  cardinality = cardinalityValue;
  copyField(category, categoryText);
  copyField(name, nameText);
}

PClassInfo2::PClassInfo2(const char* id, int32 cardinalityValue, const char* categoryText,
                         const char* nameText, uint32 flags, const char* spare1Text,
                         const char* spare2Text, const char* versionText, const char* spare3Text) {
  if (id != nullptr) std::memcpy(classId, id, sizeof classId);
  cardinality = cardinalityValue;
  copyField(category, categoryText);
  copyField(name, nameText);
  classFlags = flags;
  copyField(spare1, spare1Text);
  copyField(spare2, spare2Text);
  copyField(version, versionText);
  copyField(spare3, spare3Text);
}

void PClassInfoW::fromAscii(const PClassInfo2& info) {
  std::memcpy(classId, info.classId, sizeof classId);
  cardinality = info.cardinality;
  copyField(category, info.category);
  widenField(name, info.name);
  classFlags = info.classFlags;
  copyField(spare1, info.spare1);
  widenField(spare2, info.spare2);
  widenField(version, info.version);
  widenField(spare3, info.spare3);
}

}  // namespace Quillon
