// FVariant, and the strings' conversions to and from variants and attribute stores.
#include "base/source/fvariant.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"
#include "interfaces/iattributes.h"

namespace Quillon {

const FUID IAttributes::iid(IAttributes_iid);

namespace {

// A new[] copy of zero-terminated text; null when out of memory.
template <typename C>
C* arrayCopy(const C* text) {
  const int32 length = detail::textLength(text);
  C* copy = new (std::nothrow) C[size_t(length) + 1];
  if (copy == nullptr) return nullptr;
  memcpy(copy, text, size_t(length) * sizeof(C));
  copy[length] = 0;
  return copy;
}

}  // namespace

// --- FVariant ---

FVariant::FVariant(const FVariant& other) { copyFrom(other); }

FVariant& FVariant::operator=(const FVariant& other) {
  // Emptying first would free the very text about to be copied.
  if (&other == this) return *this;
  empty();
  copyFrom(other);
  return *this;
}

void FVariant::copyFrom(const FVariant& other) {
  type = other.type;
  value = other.value;
  bool copied = true;
  if (kind() == kString8 && value.string8 != nullptr) {
    copied = (value.string8 = arrayCopy(value.string8)) != nullptr;
  } else if (kind() == kString16 && value.string16 != nullptr) {
    copied = (value.string16 = arrayCopy(value.string16)) != nullptr;
  } else if (kind() == kObject && value.object != nullptr) {
    value.object->addRef();
  } else {
    return;
  }
  type |= kOwner;
  // Out of memory: the copy is empty rather than holding a text it does not own.
  if (!copied) empty();
}

void FVariant::empty() {
  if (isOwner()) {
    if (kind() == kString8)
      delete[] value.string8;
    else if (kind() == kString16)
      delete[] value.string16;
    else if (kind() == kObject && value.object != nullptr)
      value.object->release();
  }
  type = kEmpty;
  value.intValue = 0;
}

void FVariant::setInt(int64 number) {
  empty();
  type = kInteger;
  value.intValue = number;
}

void FVariant::setFloat(double number) {
  empty();
  type = kFloat;
  value.floatValue = number;
}

void FVariant::setString8(const char8* text) {
  empty();
  type = kString8;
  value.string8 = text;
}

void FVariant::setString16(const char16* text) {
  empty();
  type = kString16;
  value.string16 = text;
}

void FVariant::setObject(FUnknown* object) {
  empty();
  type = kObject;
  value.object = object;
}

void FVariant::takeString8(char8* text) {
  setString8(text);
  type |= kOwner;
}

void FVariant::takeString16(char16* text) {
  setString16(text);
  type |= kOwner;
}

// --- Strings and variants ---

ConstString::ConstString(const FVariant& variant) : ConstString() {
  if (const char8* text8 = variant.getString8()) {
    buffer8 = const_cast<char8*>(text8);
    len = uint32(detail::textLength(text8));
  } else if (const char16* text16 = variant.getString16()) {
    buffer16 = const_cast<char16*>(text16);
    len = uint32(detail::textLength(text16));
    isWide = 1;
  }
}

void ConstString::toVariant(FVariant& variant) const {
  // ConstString's own readers: a String must not convert while it lends its text.
  if (isWide)
    variant.setString16(ConstString::text16());
  else
    variant.setString8(ConstString::text8());
}

String::String(const FVariant& variant) : String() { fromVariant(variant); }

bool String::fromVariant(const FVariant& variant) {
  switch (variant.getType() & ~FVariant::kOwner) {
    case FVariant::kString8:
      assign(variant.getString8());
      return true;
    case FVariant::kString16:
      assign(variant.getString16());
      return true;
    case FVariant::kFloat:
      return printFloat(variant.getFloat());
    case FVariant::kInteger:
      return printInt64(variant.getInt());
    default:
      clear(isWide);
      return false;
  }
}

bool String::passToVariant(FVariant& variant) {
  // The variant frees owned text with delete[], so it gets a new[] copy and this string's
  // buffer, which comes from the C allocator, is freed here.
  if (isWide) {
    char16* text = arrayCopy(ConstString::text16());
    if (text == nullptr) return false;
    variant.takeString16(text);
  } else {
    char8* text = arrayCopy(ConstString::text8());
    if (text == nullptr) return false;
    variant.takeString8(text);
  }
  clear(isWide);
  return true;
}

bool String::toAttributes(IAttributes* attributes, const char8* attributeId) const {
  if (attributes == nullptr) return false;
  FVariant variant;
  toVariant(variant);
  return attributes->setAttribute(attributeId, variant) == kOk;
}

bool String::fromAttributes(IAttributes* attributes, const char8* attributeId) {
  if (attributes == nullptr) return false;
  FVariant variant;
  if (attributes->getAttribute(attributeId, variant) != kOk) return false;
  return fromVariant(variant);
}

}  // namespace Quillon
