// CallLog: the ordered record of every operation the module calls on the simulated host.
//
// Every host object writes one entry per call, "<object>.<operation>(<arguments>)", into the
// log its host shares, so a test can assert the order of calls across objects. The log is also
// where a test plants a host exception (a call whose entry starts with a planted prefix throws
// HostException after it has been recorded) or a change of the host in the middle of the
// module's work (an action run by the first such call).
#pragma once

#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

// Thrown by a host operation that a test told to throw; the module must let it pass unchanged.
class HostException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Owns its entries. Safe to use from several threads.
class CallLog {
 public:
  // Appends `entry`, runs the actions it triggers, and throws HostException when it starts
  // with a planted prefix.
  void record(std::string entry);

  // A copy of the entries in call order.
  std::vector<std::string> entries() const;
  // The entries that start with `prefix`, in call order.
  std::vector<std::string> entriesStartingWith(const std::string& prefix) const;
  // Number of entries equal to `entry`.
  int count(const std::string& entry) const;
  // True when `sequence` occurs in the log in this order (other entries may lie between).
  bool containsInOrder(const std::vector<std::string>& sequence) const;
  void clear();

  // Makes every later call whose entry starts with `prefix` throw HostException.
  void throwOn(std::string prefix);
  void stopThrowing();
  // Runs `action` once, on the first later call whose entry starts with `prefix`, right after
  // that call is recorded and before it goes on.
  void onFirstCall(std::string prefix, std::function<void()> action);

 private:
  mutable std::mutex mutex;
  std::vector<std::string> log;
  std::vector<std::string> throwing;
  std::vector<std::pair<std::string, std::function<void()>>> pending;
};

}  // namespace simhost
