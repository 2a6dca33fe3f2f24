// The simulated host's ports.
#include "host/hostports.h"

namespace simhost {
Port::Port(HostState& state, std::string label, PortSpec spec)
    : HostInterfaces(state, std::move(label)), properties(std::move(spec)) {
  if (!properties.displayName) properties.displayName = properties.name;
}

bool Port::isType(const char* type) {
  record("isType(" + text(type) + ")");
  return type != nullptr && properties.type == type;
}

bool Port::isCategory(const char* category) {
  record("isCategory(" + text(category) + ")");
  return category != nullptr && properties.isSystem &&
         std::string(category) == Quillon::kSystemPortType;
}

bool Port::isInput() {
  record("isInput()");
  return properties.isInput;
}

const char16* Port::getName() {
  record("getName()");
  return textOf(properties.name);
}

const char16* Port::getDisplayName() {
  record("getDisplayName()");
  return textOf(properties.displayName);
}

ResultCode Port::setDisplayName(const char16* name) {
  record("setDisplayName(" + text(name) + ")");
  if (name == nullptr) return Quillon::kBadArgument;
  properties.displayName = std::u16string(name);
  return Quillon::kOk;
}

Port& PortRegistry::add(PortSpec spec) {
  all.push_back(
      std::make_unique<Port>(state, "port" + std::to_string(all.size()), std::move(spec)));
  return *all.back();
}

void PortRegistry::addMidiPair(const std::u16string& name) {
  add({name, true, Quillon::kMidiPortType, true, std::nullopt});
  add({name, false, Quillon::kMidiPortType, true, std::nullopt});
}

int32 PortRegistry::countPorts() {
  record("countPorts()");
  return int32(all.size());
}

Quillon::IPort* PortRegistry::getPort(int32 index) {
  record("getPort(" + std::to_string(index) + ")");
  if (index < 0 || std::size_t(index) >= all.size()) return nullptr;
  return all[std::size_t(index)].get();
}

}  // namespace simhost
