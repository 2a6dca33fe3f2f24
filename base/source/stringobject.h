// StringObject: a reference-counted String that other components fill through IString and
// IStringResult.
#pragma once

#include "base/source/fobject.h"
#include "base/source/fstring.h"
#include "interfaces/istringresult.h"

namespace Quillon {

// A String on the heap under FObject's reference count: its creator holds the first
// reference, and the last release frees the object and its text. Other components reach its
// text through the IString and IStringResult parts, which count on the same object.
class StringObject : public FObject, public String, public IStringResult, public IString {
 public:
  // An empty 16-bit string with a count of 1.
  StringObject() = default;

  // Answers IStringResult and IString with those parts, everything else as FObject does;
  // adds one reference on success.
  ResultCode queryInterface(const char* iid, void** obj) override;
  uint32 addRef() override { return FObject::addRef(); }
  uint32 release() override { return FObject::release(); }

  // "StringObject".
  const char* isA() const override { return "StringObject"; }
  using FObject::isA;
  // True for "StringObject", and with `askBaseClass` for FObject's names.
  bool isTypeOf(const char* name, bool askBaseClass = true) const override;

  // IStringResult: the same as setText8.
  void setText(const char* text) override { setText8(text); }

  // IString. The setters copy the text up to its zero (null gives the empty text); the getters
  // convert the string in place to that width (code page 0) and return its text, valid until
  // the string next changes.
  void setText8(const char* text) override { assign(text); }
  void setText16(const char16* text) override { assign(text); }
  const char* getText8() override { return text8(); }
  const char16* getText16() override { return text16(); }
  // Adopts `buffer`, zero-terminated text from the C allocator, 16-bit when `isWide`.
  void take(void* buffer, bool isWide) override { String::take(buffer, isWide); }
  using String::take;
  bool isWideString() override { return String::isWideString(); }
  using String::isWideString;
};

}  // namespace Quillon
