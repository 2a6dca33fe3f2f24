// SimulatedHost: one whole host as the module meets it, for tests and px7000-host.
//
// It owns a context, an application identity, a class registry offering the platform, action
// manager, device list, port registry and update handler, and a standard remote for a remote
// device. Every object records its calls in one shared log (`log()`), any service can be
// withdrawn or made to refuse, and `referenceProblems()` lists every reference the module
// took and did not give back. The default identity is a supported host: "Tessera Crafter 5",
// "5.0.2", "Build 210".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/hostdevices.h"
#include "host/hostnotify.h"
#include "host/hostports.h"
#include "host/hostremote.h"
#include "host/hostservices.h"

namespace simhost {

class SimulatedHost {
 public:
  SimulatedHost();
  ~SimulatedHost();
  SimulatedHost(const SimulatedHost&) = delete;
  SimulatedHost& operator=(const SimulatedHost&) = delete;

  // The context to pass to IPluginBase::initialize (borrowed from the host).
  FUnknown* context() { return static_cast<FUnknown*>(&hostContext); }

  CallLog& log() { return state.log; }
  // Stops or resumes keeping the call log and call histories (see HostState::recording).
  void setRecording(bool on) { state.recording = on; }
  HostContext& contextObject() { return hostContext; }
  HostApplication& application() { return hostApplication; }
  ClassRegistry& registry() { return classRegistry; }
  Platform& platform() { return hostPlatform; }
  ActionManager& actions() { return actionManager; }
  DeviceList& devices() { return deviceList; }
  PortRegistry& ports() { return portRegistry; }
  UpdateHandler& updates() { return updateHandler; }
  RemoteStandard& remote() { return remoteStandard; }

  // A value owned by `owner` (borrowed, may be null), labelled "value<n>"; lives with the host.
  Value& makeValue(std::u16string text, FUnknown* owner);
  // A receiver for one 8-bit text; lives with the host.
  StringResult& makeStringResult();

  // One line per object whose references are off; empty when the module gave back every
  // reference it took.
  std::vector<std::string> referenceProblems() const { return state.referenceProblems(); }

 private:
  HostState state;
  HostApplication hostApplication{state};
  ClassRegistry classRegistry{state};
  HostContext hostContext{state, hostApplication, classRegistry};
  Platform hostPlatform{state};
  ActionManager actionManager{state};
  DeviceList deviceList{state};
  PortRegistry portRegistry{state};
  UpdateHandler updateHandler{state};
  RemoteStandard remoteStandard{state};
  std::vector<std::unique_ptr<HostObject>> extras;
};

}  // namespace simhost
