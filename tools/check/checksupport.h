// What the checks share: ending a check with a failure or a skip, result-code names, readers of
// fixed-size record fields, and a holder for one reference on a module object.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "interfaces/funknown.h"
#include "tools/check/checktable.h"
#include "tools/hostsession.h"

namespace px7000host::checks {

// Thrown to end a check; runCheckHere turns them into FAIL and SKIP. They do not derive from
// std::exception so that no handler meant for the module's errors takes them by mistake.
struct CheckFailed {
  std::string reason;
};
struct CheckSkipped {
  std::string reason;
};

// End the check: FAIL or SKIP with `reason`. Thrown, unless answerVerdictsWith named a
// handler, which then takes the verdict where it is found.
[[noreturn]] void fail(std::string reason);
[[noreturn]] void skip(std::string reason);
// Fails the check with `reason` unless `condition` holds. Both are worked out before the call,
// in no fixed order, so the reason must not read what the condition's calls change.
inline void require(bool condition, const std::string& reason) {
  if (!condition) fail(reason);
}

// The outcome of a check that found nothing wrong; `reason` says what it saw.
inline CheckOutcome passed(std::string reason) { return {CheckStatus::pass, std::move(reason)}; }

// "0x" and the upper-case hex digits of `value`.
std::string hex(unsigned long value);
// The 16 bytes at `id` as 32 hex digits.
std::string idText(const char* id);
// `text` in double quotes.
std::string quoted(const std::string& text);
// The 7-bit text of a host's 16-bit string, for messages.
std::string narrow(const std::u16string& text);
// `lines` joined with "; ".
std::string joined(const std::vector<std::string>& lines);

// The text of an 8-bit field of `size` bytes. Fails the check, naming the field `what`, when a
// byte after the text's terminator is not zero: hosts read the records byte for byte.
std::string fieldText(const char* field, std::size_t size, const std::string& what);
// The same for a field of `count` 16-bit characters.
std::u16string wideFieldText(const Quillon::char16* field, std::size_t count,
                             const std::string& what);
// Fails the check unless every one of the `size` bytes at `field` is zero.
void requireZero(const void* field, std::size_t size, const std::string& what);
// Fills a record with a pattern no module writes, so that an untouched byte shows.
template <class Record>
void scribble(Record& record) {
  unsigned char* bytes = reinterpret_cast<unsigned char*>(&record);
  for (std::size_t i = 0; i < sizeof record; ++i) bytes[i] = 0xA5;
}
// Whether the record still holds the pattern of scribble.
template <class Record>
bool untouched(const Record& record) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  for (std::size_t i = 0; i < sizeof record; ++i)
    if (bytes[i] != 0xA5) return false;
  return true;
}

// Owns one reference on a module object, or holds null; gives it back when destroyed. Movable,
// never copied.
template <class I>
class Held {
 public:
  Held() = default;
  explicit Held(I* object) : object(object) {}
  Held(Held&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
  Held& operator=(Held&& other) noexcept {
    std::swap(object, other.object);
    return *this;
  }
  ~Held() {
    if (object != nullptr) object->release();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

  I* get() const { return object; }
  I* operator->() const { return object; }
  explicit operator bool() const { return object != nullptr; }
  // Gives the reference back now; returns the count the object answered.
  Quillon::uint32 release() { return std::exchange(object, nullptr)->release(); }

 private:
  I* object = nullptr;
};

// Asks `object` for interface I: the answer, owning the reference it added, or null.
template <class I>
Held<I> query(Quillon::FUnknown& object) {
  void* found = nullptr;
  if (object.queryInterface(I::iid.tuid(), &found) != Quillon::kOk) return Held<I>();
  return Held<I>(static_cast<I*>(found));
}

}  // namespace px7000host::checks
