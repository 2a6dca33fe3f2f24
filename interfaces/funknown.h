// Component identity: the root interface, result codes, 16-byte identifiers and their holders.
//
// This header defines:
//  - the result codes of interface operations (`kOk`, `kFalse`, `kBadArgument`, `kNotFound`);
//  - `FUnknown`, the root interface every host and module interface begins with;
//  - `FUID`, a 16-byte identifier with its text forms, and `toString8`/`fromString8`;
//  - `QUILLON_UID`, which spells an identifier's four words as its 16 storage bytes;
//  - `answerQueryInterface`, the one implementation of the `queryInterface` convention;
//  - `FUnknownPtr`, a holder that obtains an interface through `queryInterface`, and
//    `FAdoptedPtr`, a holder that takes over a reference the caller already owns.
//
// Identifiers are stored word by word, most significant byte first, and always compared as
// 16 raw bytes, never as text.
#pragma once

#include <initializer_list>

#include "interfaces/ftypes.h"

namespace Quillon {

// Result of interface operations.
using ResultCode = int32;
inline constexpr ResultCode kOk = 0;           // success
inline constexpr ResultCode kFalse = 1;        // nothing done, or a negative answer
inline constexpr ResultCode kBadArgument = 2;  // index out of range or null record pointer
inline constexpr ResultCode kNotFound = -1;    // interface or class not offered

// Spells four 32-bit words as the brace-initialiser of a TUID, most significant byte first.
#define QUILLON_UID(l1, l2, l3, l4)                                                     \
  {                                                                                     \
    char(((l1) >> 24) & 0xFF), char(((l1) >> 16) & 0xFF), char(((l1) >> 8) & 0xFF),     \
        char((l1)&0xFF), char(((l2) >> 24) & 0xFF), char(((l2) >> 16) & 0xFF),          \
        char(((l2) >> 8) & 0xFF), char((l2)&0xFF), char(((l3) >> 24) & 0xFF),           \
        char(((l3) >> 16) & 0xFF), char(((l3) >> 8) & 0xFF), char((l3)&0xFF),           \
        char(((l4) >> 24) & 0xFF), char(((l4) >> 16) & 0xFF), char(((l4) >> 8) & 0xFF), \
        char((l4)&0xFF)                                                                 \
  }

inline constexpr TUID FUnknown_iid = QUILLON_UID(0x00000000, 0x00000000, 0xC0000000, 0x00000046);

// A 16-byte identifier of an interface or a component class. Owns its bytes.
class FUID {
 public:
  // Characters `print` may write, terminator included.
  static constexpr int32 kPrintBufferSize = 80;
  // Characters of `toString` and `toRegistryString`, terminator included.
  static constexpr int32 kStringSize = 33;
  static constexpr int32 kRegistryStringSize = 39;

  // The all-zero identifier.
  FUID();
  // Copies the 16 bytes at `tuid`; a null `tuid` gives the all-zero identifier.
  explicit FUID(const char* tuid);
  // Builds the identifier from its four words, as `from4Int`.
  FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4);
  FUID(const FUID& other);
  virtual ~FUID();

  FUID& operator=(const FUID& other);
  // Copies the 16 bytes at `tuid`; a null `tuid` gives the all-zero identifier.
  FUID& operator=(const char* tuid);

  bool operator==(const FUID& other) const;
  bool operator!=(const FUID& other) const { return !(*this == other); }

  // True unless all 16 bytes are zero.
  bool isValid() const;

  // Replaces the identifier with a new random (version 4) one. Returns false, leaving the
  // identifier unchanged, when the system has no random source to offer.
  bool generate();

  // Stores the four words, each most significant byte first.
  void from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4);
  // Reads the four words back in the same byte order.
  void to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const;
  uint32 getLong1() const;
  uint32 getLong2() const;
  uint32 getLong3() const;
  uint32 getLong4() const;

  // The 16 bytes in storage order, valid while the identifier lives.
  const char* tuid() const { return data; }
  // Copies the 16 bytes to `out`; a null `out` writes nothing.
  void toTUID(char* out) const;

  // Writes 32 upper-case hex digits and a terminator (kStringSize bytes); null writes nothing.
  void toString(char* out) const;
  // Reads 32 hex digits; false, leaving the identifier unchanged, for any other length or null.
  bool fromString(const char* text);

  // Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and a terminator (kRegistryStringSize
  // bytes); a null `out` writes nothing.
  void toRegistryString(char* out) const;
  // Reads the registry form; false, leaving the identifier unchanged, unless `text` has exactly
  // 38 characters. Braces and dashes are not examined.
  bool fromRegistryString(const char* text);

  // Formats the four words in the declaration style `style` (0 inline, 1 declare, 2 FUID,
  // other: class iid) into `out`, which needs kPrintBufferSize bytes, and returns the
  // character count. A null `out` prints the text and a line break to standard output.
  int32 print(char* out, int32 style) const;

 protected:
  char data[16];
};

// Makes `out` empty, then appends "%02X" of each byte from `from` up to but excluding `to`.
void toString8(char* out, const char* bytes, int32 from, int32 to);

// Reads two hex characters of `text` per byte into `bytes[from]` up to but excluding `to`.
// A pair that does not begin with a hex digit stores 0; a pair whose second character is not a
// hex digit stores the value of the first alone. Never reads past the terminator of `text`.
void fromString8(const char* text, char* bytes, int32 from, int32 to);

// The root interface. Every interface of the module and of the host begins with these three
// operations, in this order.
class FUnknown {
 public:
  // Stores in `*obj` the object's interface named by the 16 bytes at `iid` and adds a reference
  // for the caller; returns kOk. Otherwise stores null and returns kNotFound. A null `obj`
  // stores nothing and returns kNotFound.
  virtual ResultCode queryInterface(const char* iid, void** obj) = 0;
  // Adds a reference; returns the new count.
  virtual uint32 addRef() = 0;
  // Drops a reference, destroying the object at zero; returns the remaining count.
  virtual uint32 release() = 0;

  // Adds `delta` to `value` as one atomic step with a full barrier; returns the new value.
  static int32 atomicAdd(int32& value, int32 delta);

  static const FUID iid;

 protected:
  // Objects are destroyed by their own `release`, never deleted through an interface.
  ~FUnknown() = default;
};

// True when both point at 16 equal bytes; a null pointer equals nothing.
bool iidEqual(const char* iid, const FUID& id);

// One interface a class answers in `queryInterface`: its identifier and the pointer handed out.
struct InterfaceEntry {
  const FUID& iid;
  void* pointer;
};

// The `queryInterface` convention: compares `iid` with the entries in order and on the first
// match adds a reference through `self` and stores the entry's pointer (kOk). With no match, or
// a null `iid`, it stores null (kNotFound). A null `obj` stores nothing and adds no reference.
ResultCode answerQueryInterface(FUnknown& self, const char* iid, void** obj,
                                std::initializer_list<InterfaceEntry> entries);

namespace detail {

// Owns one reference on an interface pointer, or holds null; releases it when destroyed.
// Never copied. The holders below differ only in how they obtain the pointer.
template <class I>
class OwnedInterface {
 public:
  ~OwnedInterface() {
    if (ptr != nullptr) ptr->release();
  }
  OwnedInterface(const OwnedInterface&) = delete;
  OwnedInterface& operator=(const OwnedInterface&) = delete;

  I* get() const { return ptr; }
  I* operator->() const { return ptr; }
  explicit operator bool() const { return ptr != nullptr; }

 protected:
  OwnedInterface() = default;
  I* ptr = nullptr;
};

}  // namespace detail

// Holds one interface obtained through `queryInterface`, or null; owns one reference, which it
// releases when it is destroyed. Never copied.
template <class I>
class FUnknownPtr : public detail::OwnedInterface<I> {
 public:
  // Asks `object` for `I`; holds null when `object` is null or does not offer `I`.
  explicit FUnknownPtr(FUnknown* object) {
    if (object == nullptr) return;
    void* found = nullptr;
    if (object->queryInterface(I::iid.tuid(), &found) == kOk) this->ptr = static_cast<I*>(found);
  }
};

// Holds a reference the caller already owns, such as one a host stored whatever result code
// it returned, or null; releases it when destroyed. Never copied.
template <class I>
class FAdoptedPtr : public detail::OwnedInterface<I> {
 public:
  explicit FAdoptedPtr(I* owned) { this->ptr = owned; }
};

}  // namespace Quillon
