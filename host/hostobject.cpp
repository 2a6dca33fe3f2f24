// Reference bookkeeping of the simulated host's objects.
#include "host/hostobject.h"

#include <algorithm>

#include "host/interfacenames.h"

namespace simhost {

std::vector<std::string> HostState::referenceProblems() const {
  std::lock_guard<std::mutex> lock(mutex);
  std::vector<std::string> problems;
  for (const HostObject* object : objects) {
    if (object->wasOverReleased()) {
      problems.push_back(object->label() + ": released more often than referenced");
    } else if (const int32 left = object->outstandingReferences(); left != 0) {
      problems.push_back(object->label() + ": " + std::to_string(left) +
                         " references not released");
    }
  }
  return problems;
}

HostObject::HostObject(HostState& state, std::string label) : state(state), name(std::move(label)) {
  std::lock_guard<std::mutex> lock(state.mutex);
  state.objects.push_back(this);
}

HostObject::~HostObject() {
  std::lock_guard<std::mutex> lock(state.mutex);
  state.objects.erase(std::find(state.objects.begin(), state.objects.end(), this));
}

void HostObject::refuse(const FUID& iid) {
  if (std::find(refused.begin(), refused.end(), iid) == refused.end()) refused.push_back(iid);
}

void HostObject::offer(const FUID& iid) {
  refused.erase(std::remove(refused.begin(), refused.end(), iid), refused.end());
}

void HostObject::log(const std::string& call) const {
  if (recording()) state.log.record(name + "." + call);
}

bool HostObject::refusedQuery(const char* iid, void** obj) {
  const HostCall inHost = record("queryInterface", Iid{iid});
  const bool isRefused = std::any_of(refused.begin(), refused.end(),
                                     [&](const FUID& id) { return Quillon::iidEqual(iid, id); });
  if (isRefused && obj != nullptr) *obj = nullptr;
  return isRefused;
}

ResultCode HostObject::answer(FUnknown& self, const char* iid, void** obj,
                              std::initializer_list<Quillon::InterfaceEntry> entries) {
  if (refusedQuery(iid, obj)) return Quillon::kNotFound;
  return Quillon::answerQueryInterface(self, iid, obj, entries);
}

uint32 HostObject::addReference() { return uint32(++count); }

uint32 HostObject::dropReference() {
  const int32 left = --count;
  // The host's own reference is never given away: reaching it means an extra release.
  if (left < 1) overReleased = true;
  return uint32(std::max(left, 0));
}

std::string detail::argument(Iid iid) { return interfaceName(iid.bytes); }

std::string text(const char* value) { return value == nullptr ? "null" : value; }

std::string text(const Quillon::char16* value) {
  if (value == nullptr) return "null";
  // Logs are for reading in test failures: ASCII passes, anything else shows as its code.
  std::string out;
  for (; *value != 0; ++value) {
    if (*value < 0x80) {
      out += char(*value);
    } else {
      char code[8];
      snprintf(code, sizeof code, "\\u%04X", unsigned(*value));
      out += code;
    }
  }
  return out;
}

}  // namespace simhost
