// The class records a host expects of the module, in the order the factory offers them.
#pragma once

#include "interfaces/ftypes.h"
#include "module/moduleconstants.h"

namespace px7000host::checks {

struct ExpectedClass {
  const char* classId;  // 16 bytes
  Quillon::int32 cardinality;
  const char* category;
  const char* name;
  const char* version;  // of the PClassInfo2 record; empty for classes registered without one
};

// Service first: the host starts it before the others. Any number of remote devices.
inline constexpr ExpectedClass kExpectedClasses[] = {
    {kp_hostLinkClassId, 1, "Service", kp_pluginName, kp_extensionVersion},
    {kp_hwRemoteClassId, 0x7FFFFFFF, "Remote Devices", kp_deviceName, ""},
    {kp_detectClassId, 1, "Device Detection", "", ""},
};
inline constexpr Quillon::int32 kExpectedClassCount = 3;

}  // namespace px7000host::checks
