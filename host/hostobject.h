// HostObject: reference counting, interface answers and call recording shared by every object of
// the simulated host, and HostInterfaces, which implements FUnknown for a set of interfaces.
//
// The host owns each of its objects and holds one reference on it for its whole life, so a
// count above 1 is a reference the module took and has not given back, and a count that falls
// to 0 is a reference the module gave back twice. Objects are never destroyed by `release`;
// pointers the module borrowed stay valid while the host lives.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "host/calllog.h"
#include "interfaces/funknown.h"

namespace simhost {

class HostObserver;

using Quillon::FUID;
using Quillon::FUnknown;
using Quillon::int32;
using Quillon::ResultCode;
using Quillon::uint32;

class HostObject;

// Text of the arguments of a recorded call: null becomes "null".
std::string text(const char* value);
std::string text(const Quillon::char16* value);

// Marks the time the host spends in one of its operations, so that tests failing the module's
// own allocations can let the host's allocations through. Movable, never copied.
class [[nodiscard]] HostCall {
 public:
  HostCall() { ++depth(); }
  HostCall(HostCall&& other) noexcept : active(other.active) { other.active = false; }
  HostCall(const HostCall&) = delete;
  HostCall& operator=(const HostCall&) = delete;
  ~HostCall() {
    if (active) --depth();
  }

  // Whether the calling thread is inside a host operation.
  static bool inside() { return depth() > 0; }

 private:
  static int& depth() {
    thread_local int running = 0;
    return running;
  }
  bool active = true;
};

// An interface or class identifier as a call argument: logged by name, or as hex digits.
struct Iid {
  const char* bytes;
};

namespace detail {
inline std::string argument(const std::string& value) { return value; }
inline std::string argument(const char* value) { return text(value); }
inline std::string argument(char* value) { return text(value); }
inline std::string argument(bool value) { return value ? "true" : "false"; }
inline std::string argument(const Quillon::char16* value) { return text(value); }
std::string argument(Iid iid);
template <class N, class = std::enable_if_t<std::is_arithmetic_v<N>>>
std::string argument(N value) {
  return std::to_string(value);
}
}  // namespace detail

// The log text of a call: "operation(a, b, ...)".
template <class... Arguments>
std::string call(const char* operation, const Arguments&... arguments) {
  const std::string parts[] = {std::string(), detail::argument(arguments)...};
  std::string out = std::string(operation) + "(";
  for (std::size_t i = 1; i < sizeof...(Arguments) + 1; ++i) out += (i > 1 ? ", " : "") + parts[i];
  return out + ")";
}

// What the objects of one host share: the call log and the list of live objects.
class HostState {
 public:
  CallLog log;
  // While false, calls are neither logged nor checked for planted exceptions, and objects keep
  // no call histories (declarations are still kept). For runs of millions of calls.
  std::atomic<bool> recording{true};
  // Told of values handled and commands carried out (borrowed; null: nobody).
  HostObserver* observer = nullptr;

  // One line per object whose references are off: "<label>: N references not released" or
  // "<label>: released more often than referenced". Empty when every count is back at 1.
  std::vector<std::string> referenceProblems() const;

 private:
  friend class HostObject;
  mutable std::mutex mutex;
  std::vector<const HostObject*> objects;
};

class HostObject {
 public:
  HostObject(HostState& state, std::string label);
  virtual ~HostObject();
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  const std::string& label() const { return name; }
  // References held by others than the host.
  int32 outstandingReferences() const { return count.load() - 1; }
  bool wasOverReleased() const { return overReleased.load(); }

  // Makes `queryInterface` refuse `iid` (null stored, kNotFound) until `offer` is called.
  void refuse(const FUID& iid);
  void offer(const FUID& iid);

 protected:
  // Marks the operation as running and records "<label>.<operation>(<arguments>)" in the log;
  // throws HostException where the test planted one. Keep the result for the whole operation.
  template <class... Arguments>
  HostCall record(const char* operation, const Arguments&... arguments) const {
    HostCall inHost;
    if (recording()) log(call(operation, arguments...));
    return inHost;
  }
  // Whether calls and their histories are being kept.
  bool recording() const { return state.recording.load(std::memory_order_relaxed); }
  // Records "<label>.<call>"; for operations that mark themselves with a HostCall first.
  void log(const std::string& call) const;
  // Logs the query; true (null stored where `obj` allows) when the test refused `iid`.
  bool refusedQuery(const char* iid, void** obj);
  // Logs the query, then refuses it or answers it by the queryInterface convention.
  ResultCode answer(FUnknown& self, const char* iid, void** obj,
                    std::initializer_list<Quillon::InterfaceEntry> entries);
  uint32 addReference();
  uint32 dropReference();

  HostState& state;

 private:
  friend class HostState;
  std::string name;
  std::atomic<int32> count{1};
  std::atomic<bool> overReleased{false};
  std::vector<FUID> refused;
};

// Implements FUnknown for a host object offering `First` and `More`: `queryInterface` answers
// FUnknown and each of them (unless refused), and references are counted by HostObject.
template <class First, class... More>
class HostInterfaces : public HostObject, public First, public More... {
 public:
  using HostObject::HostObject;

  ResultCode queryInterface(const char* iid, void** obj) override {
    First& self = *this;
    return answer(
        self, iid, obj,
        {{FUnknown::iid, &self}, {First::iid, &self}, {More::iid, static_cast<More*>(this)}...});
  }
  uint32 addRef() override { return addReference(); }
  uint32 release() override { return dropReference(); }

  // The object as the FUnknown it hands out.
  FUnknown* unknown() { return static_cast<First*>(this); }
};

// The text of a host string that may be absent: null when absent.
inline const Quillon::char16* textOf(const std::optional<std::u16string>& value) {
  return value ? value->c_str() : nullptr;
}

}  // namespace simhost
