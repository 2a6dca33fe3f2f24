// FUID operations, the text forms of identifiers and the queryInterface convention.
#include "interfaces/funknown.h"

#include <cstdio>
#include <cstring>

#include "platform/random_uuid.h"

namespace Quillon {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Value of one hex digit, or -1.
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

uint32 readWord(const char* bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  return (uint32(b[0]) << 24) | (uint32(b[1]) << 16) | (uint32(b[2]) << 8) | uint32(b[3]);
}

void writeWord(char* bytes, uint32 word) {
  bytes[0] = char((word >> 24) & 0xFF);
  bytes[1] = char((word >> 16) & 0xFF);
  bytes[2] = char((word >> 8) & 0xFF);
  bytes[3] = char(word & 0xFF);
}

// True when `text` has exactly `expected` characters; reads no further than one past them.
bool hasLength(const char* text, std::size_t expected) {
  return text != nullptr && strnlen(text, expected + 1) == expected;
}

const char* printPattern(int32 style) {
  switch (style) {
    case 0:
      return "INLINE_UID (0x%08X, 0x%08X, 0x%08X, 0x%08X)";
    case 1:
      return "DECLARE_UID (0x%08X, 0x%08X, 0x%08X, 0x%08X)";
    case 2:
      return "FUID (0x%08X, 0x%08X, 0x%08X, 0x%08X)";
    default:
      return "DECLARE_CLASS_IID (Interface, 0x%08X, 0x%08X, 0x%08X, 0x%08X)";
  }
}

}  // namespace

//------------------------------------------------------------------------------------------------
// FUnknown
//------------------------------------------------------------------------------------------------

int32 FUnknown::atomicAdd(int32& value, int32 delta) {
  return __atomic_add_fetch(&value, delta, __ATOMIC_SEQ_CST);
}

bool iidEqual(const char* iid, const FUID& id) {
  return iid != nullptr && std::memcmp(iid, id.tuid(), 16) == 0;
}

ResultCode answerQueryInterface(FUnknown& self, const char* iid, void** obj,
                                std::initializer_list<InterfaceEntry> entries) {
  // Without somewhere to store the answer, handing out a reference would leak it.
  if (obj == nullptr) return kNotFound;
  for (const InterfaceEntry& entry : entries) {
    if (iidEqual(iid, entry.iid)) {
      self.addRef();
      *obj = entry.pointer;
      return kOk;
    }
  }
  *obj = nullptr;
  return kNotFound;
}

//------------------------------------------------------------------------------------------------
// FUID
//------------------------------------------------------------------------------------------------

FUID::FUID() { std::memset(data, 0, sizeof data); }

FUID::FUID(const char* tuid) { *this = tuid; }

FUID::FUID(uint32 l1, uint32 l2, uint32 l3, uint32 l4) { from4Int(l1, l2, l3, l4); }

FUID::FUID(const FUID& other) { std::memcpy(data, other.data, sizeof data); }

FUID::~FUID() = default;

FUID& FUID::operator=(const FUID& other) {
  std::memcpy(data, other.data, sizeof data);
  return *this;
}

FUID& FUID::operator=(const char* tuid) {
  if (tuid == nullptr)
    std::memset(data, 0, sizeof data);
  else
    std::memcpy(data, tuid, sizeof data);
  return *this;
}

bool FUID::operator==(const FUID& other) const {
  return std::memcmp(data, other.data, sizeof data) == 0;
}

bool FUID::isValid() const {
  static const char kZero[16] = {};
  return std::memcmp(data, kZero, sizeof data) != 0;
}

bool FUID::generate() {
  std::uint8_t bytes[16];
  if (!platform::createRandomUuid(bytes)) return false;
  std::memcpy(data, bytes, sizeof data);
  return true;
}

void FUID::from4Int(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
  writeWord(data, l1);
  writeWord(data + 4, l2);
  writeWord(data + 8, l3);
  writeWord(data + 12, l4);
}

void FUID::to4Int(uint32& l1, uint32& l2, uint32& l3, uint32& l4) const {
  l1 = getLong1();
  l2 = getLong2();
  l3 = getLong3();
  l4 = getLong4();
}

uint32 FUID::getLong1() const { return readWord(data); }
uint32 FUID::getLong2() const { return readWord(data + 4); }
uint32 FUID::getLong3() const { return readWord(data + 8); }
uint32 FUID::getLong4() const { return readWord(data + 12); }

void FUID::toTUID(char* out) const {
  if (out != nullptr) std::memcpy(out, data, sizeof data);
}

void FUID::toString(char* out) const {
  if (out != nullptr) toString8(out, data, 0, 16);
}

bool FUID::fromString(const char* text) {
  if (!hasLength(text, 32)) return false;
  fromString8(text, data, 0, 16);
  return true;
}

void FUID::toRegistryString(char* out) const {
  if (out == nullptr) return;
  // Groups of bytes 0-3, 4-5, 6-7, 8-9 and 10-15, each after its brace or dash.
  const int32 groupEnds[] = {4, 6, 8, 10, 16};
  char* next = out;
  int32 from = 0;
  for (int32 to : groupEnds) {
    *next++ = from == 0 ? '{' : '-';
    toString8(next, data, from, to);
    next += 2 * (to - from);
    from = to;
  }
  *next++ = '}';
  *next = '\0';
}

bool FUID::fromRegistryString(const char* text) {
  if (!hasLength(text, 38)) return false;
  char bytes[16];
  fromString8(text + 1, bytes, 0, 4);
  fromString8(text + 10, bytes, 4, 6);
  fromString8(text + 15, bytes, 6, 8);
  fromString8(text + 20, bytes, 8, 10);
  fromString8(text + 25, bytes, 10, 16);
  std::memcpy(data, bytes, sizeof data);
  return true;
}

int32 FUID::print(char* out, int32 style) const {
  char local[kPrintBufferSize];
  char* target = out != nullptr ? out : local;
  const int count = std::snprintf(target, kPrintBufferSize, printPattern(style), getLong1(),
                                  getLong2(), getLong3(), getLong4());
  if (out == nullptr) std::printf("%s\n", local);
  return count;
}

//------------------------------------------------------------------------------------------------
// Text forms
//------------------------------------------------------------------------------------------------

void toString8(char* out, const char* bytes, int32 from, int32 to) {
  if (out == nullptr) return;
  char* next = out;
  for (int32 i = from; bytes != nullptr && i < to; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    *next++ = kHexDigits[byte >> 4];
    *next++ = kHexDigits[byte & 0x0F];
  }
  *next = '\0';
}

void fromString8(const char* text, char* bytes, int32 from, int32 to) {
  if (text == nullptr || bytes == nullptr) return;
  for (int32 i = from; i < to; ++i) {
    const int high = hexValue(text[0]);
    const int low = high < 0 ? -1 : hexValue(text[1]);
    if (high < 0)
      bytes[i] = 0;
    else if (low < 0)
      bytes[i] = char(high);
    else
      bytes[i] = char(high * 16 + low);
    // Step over the pair, but never past the end of the text.
    for (int step = 0; step < 2 && *text != '\0'; ++step) ++text;
  }
}

}  // namespace Quillon
