// DeviceSetupManager: the module's work on the host's device setup, and its records.
//
// It finds the drum module's MIDI ports among the host's system ports (`searchMIDIPorts`),
// installs one remote device per input/output pair it found and connects it to both ports
// (`installRemoteDevice`), tells whether a device class is installed, removes installed devices
// of a class, and renames the display names of the host's ports. Every host service it needs is
// created through the host's class registry for the one operation and released before the
// operation returns, also when the host throws.
#pragma once

#include <vector>

#include "interfaces/ihostclasses.h"
#include "interfaces/iport.h"

// One expected port name: the text "%s Port%d" gives for `deviceName` and `portNumber`.
// Does not own `deviceName`.
struct MIDIPortName {
  const char* deviceName;
  Quillon::uint8 portNumber;
};
using MIDIPortNameList = std::vector<MIDIPortName>;

// A matching input port and the first matching output port of exactly the same name. Both are
// borrowed from the host's port registry without a reference; use them right after the search.
struct MIDIPortSet {
  Quillon::IPort* inPort;
  Quillon::IPort* outPort;
};

// The pattern of the module's MIDI port names: device name, then the port number.
inline constexpr const char k_midiPortFormat[] = "%s Port%d";

// Does not own `hostClasses` (borrowed, may be null: every operation then does nothing). The
// operations allocate and throw std::bad_alloc when memory runs out; an exception, the host's
// included, leaves no host reference behind.
class DeviceSetupManager {
 public:
  explicit DeviceSetupManager(Quillon::IHostClasses* hostClasses) : hostClasses(hostClasses) {}
  virtual ~DeviceSetupManager() = default;
  DeviceSetupManager(const DeviceSetupManager&) = delete;
  DeviceSetupManager& operator=(const DeviceSetupManager&) = delete;

  // Collects the pairs of system MIDI ports whose names match `names` (see comparePortName)
  // and whose input and output carry exactly the same name; true when it found one. The pairs
  // replace `getPortSets()` once the port registry is obtained; without host classes, names or
  // registry, false with the pairs left as they were.
  bool searchMIDIPorts(const MIDIPortNameList& names, bool exactMatch);
  // Whether `portName` matches an entry of `names`, ignoring letter case: equals its formatted
  // name with `exactMatch`, contains it otherwise. The formatted name is cut at 255 characters.
  // False for a null name or an empty list.
  bool comparePortName(const char* portName, const MIDIPortNameList& names, bool exactMatch) const;
  // The pairs of the last search that obtained the port registry.
  const std::vector<MIDIPortSet>& getPortSets() const { return portSets; }

  // Whether the host's device list holds a device of class `className`; false without host
  // classes, name or device list.
  bool isRemoteDeviceInstalled(const char* className) const;
  // Adds a device of the component class whose 16 bytes are at `classId` for each pair of the
  // last search, at the pair's position, and connects it to the input and then the output
  // port. kOk when at least one device could be connected; kFalse when there was no pair or no
  // added device offered a connector; kBadArgument without host classes or class identifier;
  // kNotFound without a device list.
  Quillon::ResultCode installRemoteDevice(const char* classId) const;
  // Removes every device of class `className`, except, with `keepOne`, the first one whose own
  // name is still exactly the class name.
  void uninstallRemoteDevices(const char* className, bool keepOne) const;

  // Which system ports replaceDisplayPortName changes: audio, MIDI or all.
  enum PortKind : Quillon::uint8 { kAudioPorts = 0, kMidiPorts = 1, kAllPorts = 2 };
  // Replaces the first `from` in the display name of every system port of `portKind` by `to`,
  // telling the host only the names that changed. Nothing for null texts or a kind above 2.
  void replaceDisplayPortName(const Quillon::char16* from, const Quillon::char16* to,
                              Quillon::uint8 portKind) const;

 private:
  Quillon::IHostClasses* hostClasses;
  std::vector<MIDIPortSet> portSets;
};
