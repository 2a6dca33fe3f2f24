// SimulatedHost: one whole host as the module meets it, for tests and px7000-host.
//
// It owns a context, an application identity, a class registry offering the platform, action
// manager, device list, port registry and update handler, and a standard remote for tests that
// drive a remote component directly. Given the module's factory, the device list makes a remote
// device the way a host does: it creates the remote-surface component, hands it a standard
// remote of its own, and delivers the MIDI messages of the ports the device is connected to,
// performing the commands bound to the controls. Every object records its calls in one shared log
// (`log()`), any service can be withdrawn or made to refuse, and `referenceProblems()` lists every
// reference the module took and did not give back. The default identity is a supported host:
// "Tessera Crafter 5", "5.0.2", "Build 210".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/hostdevices.h"
#include "host/hostnotify.h"
#include "host/hostobserver.h"
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
  // Tells `observer` (borrowed; null to stop) of every value handled and command carried out.
  void setObserver(HostObserver* observer) { state.observer = observer; }
  HostContext& contextObject() { return hostContext; }
  HostApplication& application() { return hostApplication; }
  ClassRegistry& registry() { return classRegistry; }
  Platform& platform() { return hostPlatform; }
  ActionManager& actions() { return actionManager; }
  DeviceList& devices() { return deviceList; }
  PortRegistry& ports() { return portRegistry; }
  UpdateHandler& updates() { return updateHandler; }
  RemoteStandard& remote() { return remoteStandard; }

  // Lets the device list make remote devices of the module's `factory` (borrowed); pass null
  // to stop. Before the module is unloaded, `releaseComponents` must give back what it made.
  void useFactory(Quillon::IPluginFactory* factory) { deviceList.useFactory(factory); }
  void releaseComponents() { deviceList.releaseComponents(); }
  // A MIDI message arriving at `port` (see DeviceList::receiveMidi); the matched control index
  // or -1.
  int32 receiveMidi(const Quillon::IPort* port, Quillon::uint8 status, Quillon::uint8 data1,
                    Quillon::uint8 data2) {
    return deviceList.receiveMidi(port, status, data1, data2);
  }

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
  DeviceList deviceList{state, actionManager};
  PortRegistry portRegistry{state};
  UpdateHandler updateHandler{state};
  RemoteStandard remoteStandard{state};
  std::vector<std::unique_ptr<HostObject>> extras;
};

}  // namespace simhost
