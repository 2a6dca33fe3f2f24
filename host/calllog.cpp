// The simulated host's call log and its planted exceptions.
#include "host/calllog.h"

#include <algorithm>

namespace simhost {
namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void CallLog::record(std::string entry) {
  std::vector<std::function<void()>> due;
  bool planted = false;
  {
    std::lock_guard<std::mutex> lock(mutex);
    planted = std::any_of(throwing.begin(), throwing.end(),
                          [&](const std::string& prefix) { return startsWith(entry, prefix); });
    for (auto it = pending.begin(); it != pending.end();) {
      if (!startsWith(entry, it->first)) {
        ++it;
        continue;
      }
      due.push_back(std::move(it->second));
      it = pending.erase(it);
    }
    log.push_back(entry);
  }
  // Outside the lock: an action may call the host, which records again.
  for (auto& action : due) action();
  if (planted) throw HostException("host failure in " + entry);
}

std::vector<std::string> CallLog::entries() const {
  std::lock_guard<std::mutex> lock(mutex);
  return log;
}

std::vector<std::string> CallLog::entriesStartingWith(const std::string& prefix) const {
  std::lock_guard<std::mutex> lock(mutex);
  std::vector<std::string> found;
  std::copy_if(log.begin(), log.end(), std::back_inserter(found),
               [&](const std::string& entry) { return startsWith(entry, prefix); });
  return found;
}

int CallLog::count(const std::string& entry) const {
  std::lock_guard<std::mutex> lock(mutex);
  return int(std::count(log.begin(), log.end(), entry));
}

bool CallLog::containsInOrder(const std::vector<std::string>& sequence) const {
  std::lock_guard<std::mutex> lock(mutex);
  auto next = log.begin();
  for (const std::string& wanted : sequence) {
    next = std::find(next, log.end(), wanted);
    if (next == log.end()) return false;
    ++next;
  }
  return true;
}

void CallLog::clear() {
  std::lock_guard<std::mutex> lock(mutex);
  log.clear();
}

void CallLog::throwOn(std::string prefix) {
  std::lock_guard<std::mutex> lock(mutex);
  throwing.push_back(std::move(prefix));
}

void CallLog::stopThrowing() {
  std::lock_guard<std::mutex> lock(mutex);
  throwing.clear();
}

void CallLog::onFirstCall(std::string prefix, std::function<void()> action) {
  std::lock_guard<std::mutex> lock(mutex);
  pending.emplace_back(std::move(prefix), std::move(action));
}

}  // namespace simhost
