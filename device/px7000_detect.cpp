// The detection component: the module's ports found, its remote device installed.
#include "device/px7000_detect.h"

#include <new>

#include "device/devicesetupmanager.h"
#include "device/hostglobals.h"
#include "module/moduleconstants.h"

using namespace Quillon;

namespace {

constexpr const char kp_detectCategory[] = "Remote Devices";
constexpr const char kp_detectionType[] = "Plug and Play";
// The module's MIDI ports are the third pair the instrument offers.
constexpr uint8 kp_remotePortNumber = 3;

}  // namespace

FUnknown* PX7000_Detect::createInstance(void*) {
  return static_cast<IPluginBase*>(new (std::nothrow) PX7000_Detect);
}

ResultCode PX7000_Detect::queryInterface(const char* iid, void** obj) {
  IPluginBase* first = this;
  return answerQueryInterface(*first, iid, obj,
                              {{FUnknown::iid, first},
                               {IPluginBase::iid, first},
                               {IDetector::iid, static_cast<IDetector*>(this)}});
}

uint32 PX7000_Detect::addRef() { return ::detail::addComponentReference(refCount); }

uint32 PX7000_Detect::release() { return ::detail::releaseComponentReference(this, refCount); }

ResultCode PX7000_Detect::initialize(FUnknown*) {
  return gp_hostClasses == nullptr || g_bRemoteInstalled ? kFalse : kOk;
}

ResultCode PX7000_Detect::terminate() { return kOk; }

ResultCode PX7000_Detect::detect() {
  try {
    return InstallRemoteDevice();
  } catch (const std::bad_alloc&) {
    // The module's own allocation failure; the host's exceptions pass on unchanged.
    return kFalse;
  }
}

ResultCode PX7000_Detect::getDeviceTypeInfo(IDetectorDeviceInfo* info) {
  if (info == nullptr) return kBadArgument;
  info->category = kp_detectCategory;
  info->detectionType = kp_detectionType;
  return kOk;
}

ResultCode PX7000_Detect::InstallRemoteDevice() {
  // The registry is read now; the manager borrows it for this step only.
  DeviceSetupManager manager(gp_hostClasses);
  const MIDIPortNameList names = {{kp_deviceName, kp_remotePortNumber}};
  if (!manager.searchMIDIPorts(names, true)) return kFalse;
  // Looked at before installing, so repeated detection never adds a second device.
  if (manager.isRemoteDeviceInstalled(kp_deviceName)) {
    g_bRemoteInstalled = true;
    return kOk;
  }
  const ResultCode result = manager.installRemoteDevice(kp_hwRemoteClassId);
  if (result == kOk) g_bRemoteInstalled = true;
  return result;
}
