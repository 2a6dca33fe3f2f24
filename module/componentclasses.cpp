// The component class records and their registration with the factory.
#include "module/componentclasses.h"

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
  // Each component's creation function joins its row when the component is built; until then
  // the row is refused and the class not offered.
  const CreateFunc hostLinkCreate = PX7000_HostLink::newInstance;
  const CreateFunc hwRemoteCreate = PX7000_HWRemote::createInstance;
  const CreateFunc detectCreate = nullptr;
  factory.registerClass(&hostLinkClassInfo(), hostLinkCreate, nullptr);
  factory.registerClass(&hwRemoteClassInfo(), hwRemoteCreate, nullptr);
  factory.registerClass(&detectClassInfo(), detectCreate, nullptr);
}

}  // namespace Quillon
