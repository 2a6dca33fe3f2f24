// The component class records and their registration with the factory.
#include "module/componentclasses.h"

#include "device/px7000_detect.h"
#include "device/px7000_hostlink.h"
#include "device/px7000_hwremote.h"
#include "module/moduleconstants.h"

namespace Quillon {
namespace {

// Constant-initialized from constexpr constructors, so they sit in read-only data with nothing
// to build or guard when the bundle loads. (Sanitizer builds may build them at load instead.)
const PFactoryInfo kFactoryInfo(kp_extensionVendor, "", "", 0);
const PClassInfo2 kHostLinkClassInfo(kp_hostLinkClassId, 1, "Service", kp_pluginName, 0, "",
                                     nullptr, kp_extensionVersion, "");
const PClassInfo kHwRemoteClassInfo(kp_hwRemoteClassId, 0x7FFFFFFF, "Remote Devices",
                                    kp_deviceName);
const PClassInfo kDetectClassInfo(kp_detectClassId, 1, "Device Detection", "");

}  // namespace

const PFactoryInfo& moduleFactoryInfo() { return kFactoryInfo; }

const PClassInfo2& hostLinkClassInfo() { return kHostLinkClassInfo; }

const PClassInfo& hwRemoteClassInfo() { return kHwRemoteClassInfo; }

const PClassInfo& detectClassInfo() { return kDetectClassInfo; }

void registerComponentClasses(CPluginFactory& factory) {
  factory.registerClass(&hostLinkClassInfo(), PX7000_HostLink::newInstance, nullptr);
  factory.registerClass(&hwRemoteClassInfo(), PX7000_HWRemote::createInstance, nullptr);
  factory.registerClass(&detectClassInfo(), PX7000_Detect::createInstance, nullptr);
}

}  // namespace Quillon
