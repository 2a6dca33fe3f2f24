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
  // False once the port was unplugged from the registry (see PortRegistry::unplug).
  bool isPlugged() const { return plugged; }

  bool isType(const char* type) override;
  bool isCategory(const char* category) override;
  bool isInput() override;
  const char16* getName() override;
  const char16* getDisplayName() override;
  ResultCode setDisplayName(const char16* name) override;

 private:
  friend class PortRegistry;
  PortSetup properties;
  bool plugged = true;
};

// The ports in the order added; ports live as long as the registry, also once unplugged, so
// pointers the module borrowed never dangle.
class PortRegistry : public HostInterfaces<Quillon::IPortRegistry> {
 public:
  explicit PortRegistry(HostState& state) : HostInterfaces(state, "ports") {}

  // Adds a port labelled "port<n>" in the log, n counting every port ever added.
  Port& add(PortSetup setup);
  // Adds an input and an output port, both named `name`.
  void addMidiPair(const std::u16string& name);
  // Adds a place in the list at which getPort answers null.
  void addEmptySlot();
  // Takes `port` out of the list, as when its device is unplugged; the following ports move
  // down and devices no longer connect to it.
  void unplug(Port& port);
  // The port labelled "port<n>".
  Port& port(int n) { return *all.at(std::size_t(n)); }
  // The number of ports ever added.
  int size() const { return int(all.size()); }

  int32 countPorts() override;
  Quillon::IPort* getPort(int32 index) override;

 private:
  std::vector<std::unique_ptr<Port>> all;
  // What getPort hands out, by index; null for an empty slot.
  std::vector<Port*> listed;
};

}  // namespace simhost
