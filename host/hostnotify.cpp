// The simulated host's update handler and text receiver.
#include "host/hostnotify.h"

#include <algorithm>

namespace simhost {

int UpdateHandler::deliverDeferred() {
  const auto pending = std::move(deferred);
  deferred.clear();
  for (const auto& [object, message] : pending) notifyChanged(object, message);
  return int(pending.size());
}

ResultCode UpdateHandler::addDependent(FUnknown* object, Quillon::IDependent* dependent) {
  const HostCall inHost = record("addDependent");
  if (object == nullptr || dependent == nullptr) return Quillon::kBadArgument;
  dependents.emplace_back(object, dependent);
  return Quillon::kOk;
}

ResultCode UpdateHandler::removeDependent(FUnknown* object, Quillon::IDependent* dependent) {
  const HostCall inHost = record("removeDependent");
  const auto found =
      std::find(dependents.begin(), dependents.end(), std::make_pair(object, dependent));
  if (found == dependents.end()) return Quillon::kFalse;
  dependents.erase(found);
  return Quillon::kOk;
}

ResultCode UpdateHandler::notifyChanged(FUnknown* object, int32 message) {
  const HostCall inHost = record("notifyChanged", message);
  // A dependent may remove itself while it is told: walk a copy.
  const auto current = dependents;
  for (const auto& [owner, dependent] : current)
    if (owner == object) dependent->update(object, message);
  return Quillon::kOk;
}

ResultCode UpdateHandler::notifyDeferred(FUnknown* object, int32 message) {
  const HostCall inHost = record("notifyDeferred", message);
  deferred.emplace_back(object, message);
  return Quillon::kOk;
}

void StringResult::setText(const char* value) {
  const HostCall inHost = record("setText", value);
  received = simhost::text(value);
}

}  // namespace simhost
