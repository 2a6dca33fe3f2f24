// The simulated host's devices, device list and values.
#include "host/hostdevices.h"

#include <algorithm>
#include <cstring>

#include "host/hostports.h"

namespace simhost {

Device::Device(HostState& state, std::string label, std::string className,
               std::optional<std::string> type, std::optional<std::u16string> name)
    : HostInterfaces(state, std::move(label)),
      deviceClass(std::move(className)),
      type(std::move(type)),
      name(std::move(name)) {}

Device::~Device() { releaseComponent(); }

bool Device::isConnectedTo(const Quillon::IPort* port) const {
  return std::find(connectedPorts.begin(), connectedPorts.end(), port) != connectedPorts.end();
}

void Device::attachComponent(Quillon::IHWRemote* component, ActionManager& actions,
                             const std::function<void(RemoteStandard&)>& prepare) {
  releaseComponent();
  remote = component;
  surface = std::make_unique<RemoteStandard>(state, label() + ".remote");
  surface->performBindingsWith(&actions);
  if (prepare) prepare(*surface);
  initialised = remote->init(surface.get());
}

int32 Device::receiveMidi(Quillon::uint8 status, Quillon::uint8 data1, Quillon::uint8 data2) {
  if (remote == nullptr) return -1;
  const int32 index = surface->controlFor(status, data1);
  if (index >= 0) remote->changeValue(index, data2);
  return index;
}

void Device::releaseComponent() {
  if (remote == nullptr) return;
  Quillon::IHWRemote* leaving = remote;
  remote = nullptr;
  leaving->term();
  leaving->release();
}

const char* Device::getType() {
  const HostCall inHost = record("getType");
  return type ? type->c_str() : nullptr;
}

const char16* Device::getName() {
  const HostCall inHost = record("getName");
  return textOf(name);
}

ResultCode Device::connect(Quillon::IPort* port) {
  const HostCall inHost;
  const auto* known = dynamic_cast<Port*>(port);
  const std::string target = port == nullptr ? "null" : known != nullptr ? known->label() : "?";
  log(call("connect", target));
  if (port == nullptr) return Quillon::kBadArgument;
  if (known != nullptr && !known->isPlugged()) return Quillon::kFalse;
  connected.push_back(target);
  connectedPorts.push_back(port);
  return Quillon::kOk;
}

void DeviceList::declareClass(const FUID& classId, std::string className) {
  classes.emplace_back(classId, std::move(className));
}

Device& DeviceList::install(const std::string& className, std::optional<std::u16string> name,
                            std::optional<std::string> type) {
  if (!name) name = std::u16string(className.begin(), className.end());
  if (!type) type = className;
  all.push_back(std::make_unique<Device>(state, "device" + std::to_string(all.size()), className,
                                         std::move(type), std::move(name)));
  list.push_back(all.back().get());
  return *all.back();
}

std::vector<Device*> DeviceList::installed(const std::string& className) const {
  std::vector<Device*> found;
  std::copy_if(list.begin(), list.end(), std::back_inserter(found),
               [&](const Device* device) { return device->className() == className; });
  return found;
}

int32 DeviceList::countDevices(const char* className) {
  const HostCall inHost = record("countDevices", className);
  if (className == nullptr) return 0;
  return int32(installed(className).size());
}

Quillon::IDevice* DeviceList::getDevice(const char* className, int32 index) {
  const HostCall inHost = record("getDevice", className, index);
  if (className == nullptr || index < 0) return nullptr;
  const std::vector<Device*> devices = installed(className);
  return std::size_t(index) < devices.size() ? devices[std::size_t(index)] : nullptr;
}

std::optional<std::string> DeviceList::remoteClassNameOf(const char* classId) const {
  const int32 count = factory != nullptr ? factory->countClasses() : 0;
  for (int32 i = 0; i < count; ++i) {
    Quillon::PClassInfo info;
    if (factory->getClassInfo(i, &info) != Quillon::kOk) continue;
    if (std::memcmp(info.classId, classId, sizeof info.classId) != 0) continue;
    if (std::string(info.category, strnlen(info.category, sizeof info.category)) !=
        "Remote Devices")
      return std::nullopt;
    return std::string(info.name, strnlen(info.name, sizeof info.name));
  }
  return std::nullopt;
}

std::optional<std::string> DeviceList::declaredClassNameOf(const char* classId) const {
  for (const auto& [id, className] : classes)
    if (Quillon::iidEqual(classId, id)) return className;
  return std::nullopt;
}

FUnknown* DeviceList::addDevice(const char* classId, int32 index, int32 flags) {
  const HostCall inHost = record("addDevice", Iid{classId}, index, flags);
  if (classId == nullptr || refuseAdding) return nullptr;
  std::optional<std::string> className = remoteClassNameOf(classId);
  const bool isRemote = className.has_value();
  if (!isRemote) className = declaredClassNameOf(classId);
  if (!className) return nullptr;
  // Like a host's user, the host names later devices of a class apart from the first.
  const std::size_t present = installed(*className).size();
  std::u16string name(className->begin(), className->end());
  if (present > 0) {
    const std::string suffix = " " + std::to_string(present + 1);
    name.append(suffix.begin(), suffix.end());
  }
  Quillon::IHWRemote* component = nullptr;
  if (isRemote) {
    void* made = nullptr;
    factory->createInstance(classId, Quillon::IHWRemote::iid.tuid(), &made);
    // A remote device whose component cannot be made is not added.
    if (made == nullptr) return nullptr;
    component = static_cast<Quillon::IHWRemote*>(made);
  }
  Device& device = install(*className, name);
  if (withoutConnector) device.refuse(Quillon::IConnector::iid);
  if (component != nullptr) device.attachComponent(component, actions, prepareRemote);
  return static_cast<Quillon::IDevice*>(&device);
}

int32 DeviceList::receiveMidi(const Quillon::IPort* port, Quillon::uint8 status,
                              Quillon::uint8 data1, Quillon::uint8 data2) {
  int32 matched = -1;
  for (Device* device : list) {
    if (!device->isConnectedTo(port)) continue;
    const int32 index = device->receiveMidi(status, data1, data2);
    if (matched < 0) matched = index;
  }
  return matched;
}

void DeviceList::releaseComponents() {
  for (const auto& device : all) device->releaseComponent();
}

ResultCode DeviceList::removeDevice(Quillon::IDevice* device) {
  const HostCall inHost;
  auto* known = dynamic_cast<Device*>(device);
  log(call("removeDevice", known != nullptr ? known->label() : std::string("null")));
  const auto found = std::find(list.begin(), list.end(), known);
  if (known == nullptr || found == list.end()) return Quillon::kFalse;
  list.erase(found);
  // The host ends a removed remote device's component.
  known->releaseComponent();
  return Quillon::kOk;
}

ResultCode Value::getString(char16* buffer, int32* length) {
  const HostCall inHost;
  log(call("getString", length != nullptr ? std::to_string(*length) : std::string("null")));
  if (buffer == nullptr || length == nullptr || *length < 1) return Quillon::kBadArgument;
  const std::size_t room = std::size_t(*length);
  if (unterminated) {
    for (std::size_t i = 0; i < room; ++i)
      buffer[i] = content.empty() ? u'x' : content[i % content.size()];
    return Quillon::kOk;
  }
  const std::size_t count = std::min(content.size(), room - 1);
  std::copy_n(content.begin(), count, buffer);
  buffer[count] = 0;
  return Quillon::kOk;
}

FUnknown* Value::getOwner() {
  const HostCall inHost = record("getOwner");
  return owner;
}

}  // namespace simhost
