// The class factory interfaces and the fixed-layout records through which a host learns of the
// module's classes.
//
// The records are read by hosts byte for byte: their sizes and field offsets are part of the
// binary contract and are checked at compile time below.
#pragma once

#include <cstddef>

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IPluginFactory_iid =
    QUILLON_UID(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
inline constexpr TUID IPluginFactory2_iid =
    QUILLON_UID(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
inline constexpr TUID IPluginFactory3_iid =
    QUILLON_UID(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);

namespace detail {

// Fixed-length copy: the text up to its terminator, the rest of the field zero; a text as long
// as the field or longer fills it without a terminator. A null text leaves the field empty.
template <std::size_t N>
constexpr void copyField(char (&field)[N], const char* text) {
  std::size_t i = 0;
  for (; text != nullptr && i < N && text[i] != '\0'; ++i) field[i] = text[i];
  for (; i < N; ++i) field[i] = '\0';
}

// The 16 bytes of a class identifier; none for null.
constexpr void copyClassId(char (&field)[16], const char* id) {
  for (std::size_t i = 0; id != nullptr && i < 16; ++i) field[i] = id[i];
}

}  // namespace detail

// The records' constructors are constexpr, so a module's own records can be constants in
// read-only data: nothing to build or guard when the module is loaded.

// Describes the factory's vendor. Every field starts zero. Texts are fixed-length fields:
// zero-filled after the text, and without a terminator when the text fills the field.
struct PFactoryInfo {
  static constexpr int32 kFlagsAlwaysSet = 0x10;

  char vendor[64] = {};
  char spare1[256] = {};
  char spare2[128] = {};
  int32 flags = 0;

  constexpr PFactoryInfo() = default;
  // Copies the texts (a null text leaves its field empty); `flags` gains kFlagsAlwaysSet.
  constexpr PFactoryInfo(const char* vendorText, const char* spare1Text, const char* spare2Text,
                         int32 flagBits)
      : flags(flagBits | kFlagsAlwaysSet) {
    detail::copyField(vendor, vendorText);
    detail::copyField(spare1, spare1Text);
    detail::copyField(spare2, spare2Text);
  }
};

// Describes one class: its identifier, how many instances it allows, its category and name.
// Every record type below starts all zero.
struct PClassInfo {
  char classId[16] = {};
  int32 cardinality = 0;
  char category[32] = {};
  char name[64] = {};

  constexpr PClassInfo() = default;
  // Zero-filled, then the identifier's 16 bytes (none for null) and the texts (null: empty).
  constexpr PClassInfo(const char* id, int32 cardinalityValue, const char* categoryText,
                       const char* nameText)
      : cardinality(cardinalityValue) {
    detail::copyClassId(classId, id);
    detail::copyField(category, categoryText);
    detail::copyField(name, nameText);
  }
};

// PClassInfo's fields at the same offsets, then flags, version and spare texts.
struct PClassInfo2 {
  char classId[16] = {};
  int32 cardinality = 0;
  char category[32] = {};
  char name[64] = {};
  uint32 classFlags = 0;
  char spare1[128] = {};
  char spare2[64] = {};
  char version[64] = {};
  char spare3[64] = {};

  constexpr PClassInfo2() = default;
  // Zero-filled, then as PClassInfo, the flags and the further texts (null: empty).
  constexpr PClassInfo2(const char* id, int32 cardinalityValue, const char* categoryText,
                        const char* nameText, uint32 flags, const char* spare1Text,
                        const char* spare2Text, const char* versionText, const char* spare3Text)
      : cardinality(cardinalityValue), classFlags(flags) {
    detail::copyClassId(classId, id);
    detail::copyField(category, categoryText);
    detail::copyField(name, nameText);
    detail::copyField(spare1, spare1Text);
    detail::copyField(spare2, spare2Text);
    detail::copyField(version, versionText);
    detail::copyField(spare3, spare3Text);
  }
};

// PClassInfo2's fields in the same order, with `name`, `spare2`, `version` and `spare3` as
// 16-bit (UTF-16) text.
struct PClassInfoW {
  char classId[16] = {};
  int32 cardinality = 0;
  char category[32] = {};
  char16 name[64] = {};
  uint32 classFlags = 0;
  char spare1[128] = {};
  char16 spare2[64] = {};
  char16 version[64] = {};
  char16 spare3[64] = {};

  PClassInfoW() = default;
  // Fills every field from `info`; 8-bit characters widen one to one (as Latin-1).
  void fromAscii(const PClassInfo2& info);
};

static_assert(sizeof(PFactoryInfo) == 452, "PFactoryInfo size is fixed by the host contract");
static_assert(offsetof(PFactoryInfo, vendor) == 0 && offsetof(PFactoryInfo, spare1) == 64 &&
                  offsetof(PFactoryInfo, spare2) == 320 && offsetof(PFactoryInfo, flags) == 448,
              "PFactoryInfo field offsets are fixed by the host contract");
static_assert(sizeof(PClassInfo) == 116, "PClassInfo size is fixed by the host contract");
static_assert(offsetof(PClassInfo, classId) == 0 && offsetof(PClassInfo, cardinality) == 16 &&
                  offsetof(PClassInfo, category) == 20 && offsetof(PClassInfo, name) == 52,
              "PClassInfo field offsets are fixed by the host contract");
static_assert(sizeof(PClassInfo2) == 440, "PClassInfo2 size is fixed by the host contract");
static_assert(offsetof(PClassInfo2, classId) == 0 && offsetof(PClassInfo2, cardinality) == 16 &&
                  offsetof(PClassInfo2, category) == 20 && offsetof(PClassInfo2, name) == 52 &&
                  offsetof(PClassInfo2, classFlags) == 116 &&
                  offsetof(PClassInfo2, spare1) == 120 && offsetof(PClassInfo2, spare2) == 248 &&
                  offsetof(PClassInfo2, version) == 312 && offsetof(PClassInfo2, spare3) == 376,
              "PClassInfo2 field offsets are fixed by the host contract");
static_assert(sizeof(PClassInfoW) == 696, "PClassInfoW size is fixed by the host contract");
static_assert(offsetof(PClassInfoW, classId) == 0 && offsetof(PClassInfoW, cardinality) == 16 &&
                  offsetof(PClassInfoW, category) == 20 && offsetof(PClassInfoW, name) == 52 &&
                  offsetof(PClassInfoW, classFlags) == 180 &&
                  offsetof(PClassInfoW, spare1) == 184 && offsetof(PClassInfoW, spare2) == 312 &&
                  offsetof(PClassInfoW, version) == 440 && offsetof(PClassInfoW, spare3) == 568,
              "PClassInfoW field offsets are fixed by the host contract");

// The module's class factory: lists its classes and creates their instances.
class IPluginFactory : public FUnknown {
 public:
  // Copies the factory record into `info` (host-owned) when it is non-null; kOk.
  virtual ResultCode getFactoryInfo(PFactoryInfo* info) = 0;
  // Number of classes offered.
  virtual int32 countClasses() = 0;
  // Copies the record of class `index` into `info`. kBadArgument for a bad index or null
  // `info` (nothing written); kFalse, with `info` zeroed, when the class has only a wide record.
  virtual ResultCode getClassInfo(int32 index, PClassInfo* info) = 0;
  // Creates an instance of the class named by the 16 bytes at `classId` and stores its
  // interface `iid` in `*obj`, owned by the caller: kOk. Otherwise stores null (if `obj` is
  // non-null) and returns kNotFound; nothing is left behind.
  virtual ResultCode createInstance(const char* classId, const char* iid, void** obj) = 0;

  static const FUID iid;
};

class IPluginFactory2 : public IPluginFactory {
 public:
  // As getClassInfo, with the whole PClassInfo2 record.
  virtual ResultCode getClassInfo2(int32 index, PClassInfo2* info) = 0;

  static const FUID iid;
};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  // Copies the 16-bit record of class `index` into `info`: kOk, or kBadArgument for a bad
  // index or null `info` (nothing written).
  virtual ResultCode getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  // Accepts the host's context (borrowed; not kept); kOk.
  virtual ResultCode setHostContext(FUnknown* context) = 0;

  static const FUID iid;
};

}  // namespace Quillon
