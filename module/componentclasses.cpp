// The component class records and their registration with the factory.
#include "module/componentclasses.h"

#include "device/px7000_detect.h"
#include "device/px7000_hostlink.h"
#include "device/px7000_hwremote.h"
#include "module/moduleconstants.h"

namespace Quillon {

const PFactoryInfo& moduleFactoryInfo() {
  static const PFactoryInfo info(kp_extensionVendor, "", "", 0);
  return info;
}

const PClassInfo2& hostLinkClassInfo() {
  static const PClassInfo2 info(kp_hostLinkClassId, 1, "Service", kp_pluginName, 0, "", nullptr,
                                kp_extensionVersion, "");
  return info;
}

const PClassInfo& hwRemoteClassInfo() {
  static const PClassInfo info(kp_hwRemoteClassId, 0x7FFFFFFF, "Remote Devices", kp_deviceName);
  return info;
}

const PClassInfo& detectClassInfo() {
  static const PClassInfo info(kp_detectClassId, 1, "Device Detection", "");
  return info;
}

void registerComponentClasses(CPluginFactory& factory) {
  factory.registerClass(&hostLinkClassInfo(), PX7000_HostLink::newInstance, nullptr);
  factory.registerClass(&hwRemoteClassInfo(), PX7000_HWRemote::createInstance, nullptr);
  factory.registerClass(&detectClassInfo(), PX7000_Detect::createInstance, nullptr);
}

}  // namespace Quillon
