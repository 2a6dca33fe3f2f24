// FVariant: one tagged value (integer, floating point, 8-bit or 16-bit text, or an object)
// that either borrows or owns its text or object.
//
// Strings convert to and from variants (ConstString(const FVariant&), toVariant,
// String::fromVariant, String::passToVariant in fstring.h) and through them to and from an
// IAttributes store (interfaces/iattributes.h).
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

// Ownership: with the owner flag (kOwner) set, the variant owns its text, an array allocated
// with new[] that it frees with delete[], or one reference of its object; without it, it
// borrows them and they must outlive the variant's use. A copy always owns: it holds its own
// copy of the text, or one more reference of the object.
class FVariant {
 public:
  // Flags of `getType()`; 0 is empty.
  enum Type : uint16 {
    kEmpty = 0,
    kInteger = 1,
    kFloat = 2,
    kString8 = 4,
    kObject = 8,
    kOwner = 16,
    kString16 = 32,
  };

  FVariant() = default;
  // Copies `other`: text into a new array of its exact size, an object shared with one more
  // reference, both owned; other values as they are. When the text cannot be copied for want
  // of memory the copy is empty.
  FVariant(const FVariant& other);
  // Empties this variant, then copies `other` as above.
  FVariant& operator=(const FVariant& other);
  ~FVariant() { empty(); }

  // Frees owned text or releases the owned object; the variant ends empty.
  void empty();

  // Each empties the variant, then holds the value; text and objects are borrowed.
  void setInt(int64 value);
  void setFloat(double value);
  void setString8(const char8* text);
  void setString16(const char16* text);
  void setObject(FUnknown* object);
  // Each empties the variant, then owns `text`, which must come from new[] (null is allowed).
  void takeString8(char8* text);
  void takeString16(char16* text);

  uint16 getType() const { return type; }
  bool isOwner() const { return (type & kOwner) != 0; }
  // The value when the variant holds that kind (owned or not), else 0 or null.
  int64 getInt() const { return kind() == kInteger ? value.intValue : 0; }
  double getFloat() const { return kind() == kFloat ? value.floatValue : 0; }
  const char8* getString8() const { return kind() == kString8 ? value.string8 : nullptr; }
  const char16* getString16() const { return kind() == kString16 ? value.string16 : nullptr; }
  FUnknown* getObject() const { return kind() == kObject ? value.object : nullptr; }

 private:
  uint16 kind() const { return uint16(type & ~kOwner); }
  void copyFrom(const FVariant& other);

  uint16 type = kEmpty;
  union {
    int64 intValue;
    double floatValue;
    const char8* string8;
    const char16* string16;
    FUnknown* object;
  } value = {0};
};

}  // namespace Quillon
