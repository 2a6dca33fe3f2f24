// The simulated host's change notification and text receiver: IUpdateHandler and IStringResult.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/hostobject.h"
#include "interfaces/istringresult.h"
#include "interfaces/iupdatehandler.h"

namespace simhost {

// Keeps dependents per object (borrowed, no references taken) and tells them of changes:
// `notifyChanged` at once, `notifyDeferred` when the test calls `deliverDeferred`.
class UpdateHandler : public HostInterfaces<Quillon::IUpdateHandler> {
 public:
  explicit UpdateHandler(HostState& state) : HostInterfaces(state, "updates") {}

  // Delivers the deferred messages in the order they were posted; returns how many.
  int deliverDeferred();

  ResultCode addDependent(FUnknown* object, Quillon::IDependent* dependent) override;
  ResultCode removeDependent(FUnknown* object, Quillon::IDependent* dependent) override;
  ResultCode notifyChanged(FUnknown* object, int32 message) override;
  ResultCode notifyDeferred(FUnknown* object, int32 message) override;

 private:
  std::vector<std::pair<FUnknown*, Quillon::IDependent*>> dependents;
  std::vector<std::pair<FUnknown*, int32>> deferred;
};

// Receives one 8-bit text through setText.
class StringResult : public HostInterfaces<Quillon::IStringResult> {
 public:
  explicit StringResult(HostState& state) : HostInterfaces(state, "result") {}

  // The last text received; "null" when it was null.
  const std::string& text() const { return received; }

  void setText(const char* text) override;

 private:
  std::string received;
};

}  // namespace simhost
