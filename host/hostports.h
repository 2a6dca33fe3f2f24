// The simulated host's ports and its port registry.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/hostobject.h"
#include "interfaces/iport.h"

namespace simhost {

using Quillon::char16;

// How a port presents itself; names may be null.
struct PortSetup {
  std::optional<std::u16string> name;
  bool isInput = true;
  std::string type = Quillon::kMidiPortType;  // "midi" or "audio"
  bool isSystem = true;
  // The display name starts as the name unless given.
  std::optional<std::u16string> displayName;
};

// One port; `setDisplayName` keeps a copy of the new name.
class Port : public HostInterfaces<Quillon::IPort> {
 public:
  Port(HostState& state, std::string label, PortSetup setup);

  const PortSetup& setup() const { return properties; }

  bool isType(const char* type) override;
  bool isCategory(const char* category) override;
  bool isInput() override;
  const char16* getName() override;
  const char16* getDisplayName() override;
  ResultCode setDisplayName(const char16* name) override;

 private:
  PortSetup properties;
};

// The ports, numbered from 0 in the order added; ports live as long as the registry.
class PortRegistry : public HostInterfaces<Quillon::IPortRegistry> {
 public:
  explicit PortRegistry(HostState& state) : HostInterfaces(state, "ports") {}

  // Adds a port labelled "port<index>" in the log.
  Port& add(PortSetup setup);
  // Adds an input and an output port, both named `name`.
  void addMidiPair(const std::u16string& name);
  Port& port(int index) { return *all.at(std::size_t(index)); }
  int size() const { return int(all.size()); }

  int32 countPorts() override;
  Quillon::IPort* getPort(int32 index) override;

 private:
  std::vector<std::unique_ptr<Port>> all;
};

}  // namespace simhost
