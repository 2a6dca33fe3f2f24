// The device setup: MIDI port search, remote device installation and removal, port display
// names.
#include "device/devicesetupmanager.h"

#include <cstdio>

#include "device/useful.h"
#include "interfaces/idevicelist.h"

using namespace Quillon;

namespace {

// Room for the formatted port name, terminator included.
constexpr std::size_t kPortNameBufferSize = 256;
// The constant that addDevice expects after the position.
constexpr int32 kAddDeviceFlags = 1;

// Calls `visit` with every non-null port of `registry`, asking for the count before each step
// so that the host may change its ports meanwhile.
template <class Visit>
void forEachPort(IPortRegistry& registry, Visit visit) {
  for (int32 index = 0; index < registry.countPorts(); ++index) {
    if (IPort* port = registry.getPort(index)) visit(*port);
  }
}

}  // namespace

bool DeviceSetupManager::comparePortName(const char* portName, const MIDIPortNameList& names,
                                         bool exactMatch) const {
  if (portName == nullptr) return false;
  for (const MIDIPortName& entry : names) {
    if (entry.deviceName == nullptr) continue;
    // Bounded: a device name too long for the buffer is cut, never written past it.
    char expected[kPortNameBufferSize] = {};
    std::snprintf(expected, sizeof expected, k_midiPortFormat, entry.deviceName,
                  int(entry.portNumber));
    const bool matches = exactMatch ? Useful::isSameString(portName, expected, true)
                                    : Useful::isContainedInString(portName, expected, true);
    if (matches) return true;
  }
  return false;
}

bool DeviceSetupManager::searchMIDIPorts(const MIDIPortNameList& names, bool exactMatch) {
  if (hostClasses == nullptr || names.empty()) return false;
  const FInstancePtr<IPortRegistry> registry(hostClasses);
  if (!registry) return false;

  std::vector<IPort*> inputs, outputs;
  forEachPort(*registry.get(), [&](IPort& port) {
    if (!port.isType(kMidiPortType) || !port.isCategory(kSystemPortType)) return;
    const char16* name = port.getName();
    if (name == nullptr) return;
    if (!comparePortName(Useful::getCString(name).c_str(), names, exactMatch)) return;
    (port.isInput() ? inputs : outputs).push_back(&port);
  });

  // Built aside so that a failure part way leaves no half-made list behind.
  std::vector<MIDIPortSet> found;
  for (IPort* in : inputs) {
    for (IPort* out : outputs) {
      // The pair must carry exactly the same name; the host is asked again for both.
      if (Useful::isSameString(in->getName(), out->getName(), false)) {
        found.push_back({in, out});
        break;
      }
    }
  }
  portSets.swap(found);
  return !portSets.empty();
}

bool DeviceSetupManager::isRemoteDeviceInstalled(const char* className) const {
  if (hostClasses == nullptr || className == nullptr) return false;
  const FInstancePtr<IDeviceList2> devices(hostClasses);
  return devices && devices->getDevice(className, 0) != nullptr;
}

ResultCode DeviceSetupManager::installRemoteDevice(const char* classId) const {
  if (hostClasses == nullptr || classId == nullptr) return kBadArgument;
  const FInstancePtr<IDeviceList2> devices(hostClasses);
  if (!devices) return kNotFound;
  ResultCode result = kFalse;
  for (std::size_t i = 0; i < portSets.size(); ++i) {
    // The device is the host's; only the connector is ours to give back.
    const FUnknownPtr<IConnector> connector(devices->addDevice(classId, int32(i), kAddDeviceFlags));
    if (!connector) continue;
    connector->connect(portSets[i].inPort);
    connector->connect(portSets[i].outPort);
    result = kOk;
  }
  return result;
}

void DeviceSetupManager::uninstallRemoteDevices(const char* className, bool keepOne) const {
  if (hostClasses == nullptr || className == nullptr) return;
  const FInstancePtr<IDeviceList2> devices(hostClasses);
  if (!devices) return;
  const Useful::String16 classNameText = Useful::getTString(className);
  // The count bounds the steps, so a host that refuses a removal cannot keep the loop going.
  const int32 count = devices->countDevices(className);
  int32 index = 0;
  for (int32 step = 0; step < count; ++step) {
    IDevice* device = devices->getDevice(className, index);
    if (device == nullptr) return;
    const bool keep = keepOne && index == 0 &&
                      Useful::isSameString(device->getName(), classNameText.c_str(), false);
    // After a removal the host moves the next device down to the same index.
    if (keep) {
      index = 1;
    } else {
      devices->removeDevice(device);
    }
  }
}

void DeviceSetupManager::replaceDisplayPortName(const char16* from, const char16* to,
                                                uint8 portKind) const {
  if (from == nullptr || to == nullptr || portKind > kAllPorts) return;
  const FInstancePtr<IPortRegistry> registry(hostClasses);
  if (!registry) return;
  forEachPort(*registry.get(), [&](IPort& port) {
    if (!port.isCategory(kSystemPortType)) return;
    const bool isAudio = port.isType(kAudioPortType);
    const bool isMidi = port.isType(kMidiPortType);
    const bool selected = portKind == kAllPorts || (portKind == kAudioPorts && isAudio) ||
                          (portKind == kMidiPorts && isMidi);
    if (!selected) return;
    const char16* displayName = port.getDisplayName();
    if (displayName == nullptr) return;
    Useful::String16 renamed(displayName);
    if (Useful::replaceString(&renamed, from, to)) port.setDisplayName(renamed.c_str());
  });
}
