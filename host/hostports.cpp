// The simulated host's ports.
#include "host/hostports.h"

#include <algorithm>

namespace simhost {
Port::Port(HostState& state, std::string label, PortSetup setup)
    : HostInterfaces(state, std::move(label)), properties(std::move(setup)) {
  if (!properties.displayName) properties.displayName = properties.name;
}

bool Port::isType(const char* type) {
  const HostCall inHost = record("isType", type);
  return type != nullptr && properties.type == type;
}

bool Port::isCategory(const char* category) {
  const HostCall inHost = record("isCategory", category);
  return category != nullptr && properties.isSystem &&
         std::string(category) == Quillon::kSystemPortType;
}

bool Port::isInput() {
  const HostCall inHost = record("isInput");
  return properties.isInput;
}

const char16* Port::getName() {
  const HostCall inHost = record("getName");
  return textOf(properties.name);
}

const char16* Port::getDisplayName() {
  const HostCall inHost = record("getDisplayName");
  return textOf(properties.displayName);
}

ResultCode Port::setDisplayName(const char16* name) {
  const HostCall inHost = record("setDisplayName", name);
  if (name == nullptr) return Quillon::kBadArgument;
  properties.displayName = std::u16string(name);
  return Quillon::kOk;
}

Port& PortRegistry::add(PortSetup setup) {
  all.push_back(
      std::make_unique<Port>(state, "port" + std::to_string(all.size()), std::move(setup)));
  listed.push_back(all.back().get());
  return *all.back();
}

void PortRegistry::addEmptySlot() { listed.push_back(nullptr); }

void PortRegistry::unplug(Port& port) {
  listed.erase(std::remove(listed.begin(), listed.end(), &port), listed.end());
  port.plugged = false;
}

void PortRegistry::addMidiPair(const std::u16string& name) {
  add({name, true, Quillon::kMidiPortType, true, std::nullopt});
  add({name, false, Quillon::kMidiPortType, true, std::nullopt});
}

int32 PortRegistry::countPorts() {
  const HostCall inHost = record("countPorts");
  return int32(listed.size());
}

Quillon::IPort* PortRegistry::getPort(int32 index) {
  const HostCall inHost = record("getPort", index);
  if (index < 0 || std::size_t(index) >= listed.size()) return nullptr;
  return listed[std::size_t(index)];
}

}  // namespace simhost
