// The simulated host's device setup: installed devices, the device list and values.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/hostobject.h"
#include "host/hostremote.h"
#include "host/hostservices.h"
#include "interfaces/idevicelist.h"
#include "interfaces/ihwremote.h"
#include "interfaces/ipluginfactory.h"
#include "interfaces/iport.h"
#include "interfaces/ivalue.h"

namespace simhost {

using Quillon::char16;

// One installed device; it offers IConnector, and records the ports it is connected to. A
// remote device also owns the remote-surface component the host made for it (one reference)
// and the standard remote that component declares its surface to.
class Device : public HostInterfaces<Quillon::IDevice, Quillon::IConnector> {
 public:
  Device(HostState& state, std::string label, std::string className,
         std::optional<std::string> type, std::optional<std::u16string> name);
  // Gives the component back (see releaseComponent).
  ~Device() override;

  const std::string& className() const { return deviceClass; }
  // Changes the type text the device hands out; nullopt makes getType return null.
  void setType(std::optional<std::string> value) { type = std::move(value); }
  // Log labels of the ports connected, in order ("?" for a port of another host).
  const std::vector<std::string>& connections() const { return connected; }
  bool isConnectedTo(const Quillon::IPort* port) const;

  // Makes this a remote device: takes over the one reference on `remote`, gives it a standard
  // remote labelled "<device>.remote" that performs bindings through `actions`, lets `prepare`
  // (may be empty) set that remote up, and calls `init` with it. The component's answer is
  // kept in `initAnswer()`.
  void attachComponent(Quillon::IHWRemote* remote, ActionManager& actions,
                       const std::function<void(RemoteStandard&)>& prepare = {});
  // The component (owned), or null for a plain device or once released.
  Quillon::IHWRemote* component() const { return remote; }
  // The standard remote of a remote device, or null; it outlives the component.
  RemoteStandard* standard() const { return surface.get(); }
  bool initAnswer() const { return initialised; }
  // Delivers a MIDI message as a host does: the control declared with `status` and `data1`
  // gets changeValue(index, data2). Returns the index, or -1 when no control (or no component)
  // matches.
  int32 receiveMidi(Quillon::uint8 status, Quillon::uint8 data1, Quillon::uint8 data2);
  // Calls the component's `term` and gives its reference back. Must happen before the module
  // that made the component is unloaded.
  void releaseComponent();

  const char* getType() override;
  const char16* getName() override;
  // kBadArgument for null, kFalse (nothing connected) for a port that was unplugged.
  ResultCode connect(Quillon::IPort* port) override;

 private:
  std::string deviceClass;
  std::optional<std::string> type;
  std::optional<std::u16string> name;
  std::vector<std::string> connected;
  std::vector<const Quillon::IPort*> connectedPorts;
  Quillon::IHWRemote* remote = nullptr;
  std::unique_ptr<RemoteStandard> surface;
  bool initialised = false;
};

// The installed devices by class name. addDevice creates a device from a component class
// identifier that the host knows: a remote-surface class of the module's factory (`useFactory`)
// gives a remote device with its component, named after the class record; a class declared
// with `declareClass` gives a plain device. Removed devices stay alive until the host is
// destroyed, so pointers borrowed from the list never dangle.
class DeviceList : public HostInterfaces<Quillon::IDeviceList2> {
 public:
  DeviceList(HostState& state, ActionManager& actions)
      : HostInterfaces(state, "devices"), actions(actions) {}

  // Lets addDevice create devices of class `className` from `classId`.
  void declareClass(const FUID& classId, std::string className);
  // Lets addDevice create remote devices of the remote-surface classes ("Remote Devices") of
  // `factory` (borrowed, used only inside addDevice; null stops it).
  void useFactory(Quillon::IPluginFactory* moduleFactory) { factory = moduleFactory; }
  // Delivers a MIDI message arriving at `port` to each installed device connected to it (see
  // Device::receiveMidi); returns the first control index matched, or -1.
  int32 receiveMidi(const Quillon::IPort* port, Quillon::uint8 status, Quillon::uint8 data1,
                    Quillon::uint8 data2);
  // Releases the components of every device, removed ones included.
  void releaseComponents();
  // Installs a device as the host's user would; it is named `name` (default: the class name).
  Device& install(const std::string& className, std::optional<std::u16string> name = std::nullopt,
                  std::optional<std::string> type = std::nullopt);
  // Makes addDevice return null while set.
  void setRefuseAdding(bool refuse) { refuseAdding = refuse; }
  // Makes the devices addDevice creates refuse IConnector while set.
  void setWithoutConnector(bool refuse) { withoutConnector = refuse; }
  // Called with the standard remote of each remote device addDevice creates, before the
  // component's `init`; empty for none.
  void setRemotePreparation(std::function<void(RemoteStandard&)> prepare) {
    prepareRemote = std::move(prepare);
  }
  // The installed devices of `className`, in index order.
  std::vector<Device*> installed(const std::string& className) const;

  int32 countDevices(const char* className) override;
  Quillon::IDevice* getDevice(const char* className, int32 index) override;
  FUnknown* addDevice(const char* classId, int32 index, int32 flags) override;
  ResultCode removeDevice(Quillon::IDevice* device) override;

 private:
  std::vector<std::unique_ptr<Device>> all;
  std::vector<Device*> list;
  std::vector<std::pair<FUID, std::string>> classes;
  bool refuseAdding = false;
  bool withoutConnector = false;
  std::function<void(RemoteStandard&)> prepareRemote;
  ActionManager& actions;
  Quillon::IPluginFactory* factory = nullptr;

  // The name of the factory's remote-surface class `classId`, or nullopt.
  std::optional<std::string> remoteClassNameOf(const char* classId) const;
  // The name `classId` was declared with, or nullopt.
  std::optional<std::string> declaredClassNameOf(const char* classId) const;
};

// A value of a host object: its text and its owner (borrowed, may be null).
class Value : public HostInterfaces<Quillon::IValue, Quillon::IValue2> {
 public:
  Value(HostState& state, std::string label, std::u16string text, FUnknown* owner)
      : HostInterfaces(state, std::move(label)), content(std::move(text)), owner(owner) {}

  // Makes getString fill the whole buffer with the text repeated and write no terminator.
  void setUnterminated(bool value) { unterminated = value; }

  ResultCode getString(char16* buffer, int32* length) override;
  FUnknown* getOwner() override;

 private:
  std::u16string content;
  FUnknown* owner;
  bool unterminated = false;
};

}  // namespace simhost
