// The simulated host's device setup: installed devices, the device list and values.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/hostobject.h"
#include "interfaces/idevicelist.h"
#include "interfaces/iport.h"
#include "interfaces/ivalue.h"

namespace simhost {

using Quillon::char16;

// One installed device; it offers IConnector, and records the ports it is connected to.
class Device : public HostInterfaces<Quillon::IDevice, Quillon::IConnector> {
 public:
  Device(HostState& state, std::string label, std::string className,
         std::optional<std::string> type, std::optional<std::u16string> name);

  const std::string& className() const { return deviceClass; }
  // Changes the type text the device hands out; nullopt makes getType return null.
  void setType(std::optional<std::string> value) { type = std::move(value); }
  // Log labels of the ports connected, in order ("?" for a port of another host).
  const std::vector<std::string>& connections() const { return connected; }

  const char* getType() override;
  const char16* getName() override;
  ResultCode connect(Quillon::IPort* port) override;

 private:
  std::string deviceClass;
  std::optional<std::string> type;
  std::optional<std::u16string> name;
  std::vector<std::string> connected;
};

// The installed devices by class name. Devices are created from a component class identifier
// that the host knows (`declareClass`); removed devices stay alive until the host is destroyed,
// so pointers borrowed from the list never dangle.
class DeviceList : public HostInterfaces<Quillon::IDeviceList2> {
 public:
  explicit DeviceList(HostState& state) : HostInterfaces(state, "devices") {}

  // Lets addDevice create devices of class `className` from `classId`.
  void declareClass(const FUID& classId, std::string className);
  // Installs a device as the host's user would; it is named `name` (default: the class name).
  Device& install(const std::string& className, std::optional<std::u16string> name = std::nullopt,
                  std::optional<std::string> type = std::nullopt);
  // Makes addDevice return null while set.
  void setRefuseAdding(bool refuse) { refuseAdding = refuse; }
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
