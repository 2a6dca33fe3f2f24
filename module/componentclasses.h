// The module's component classes as the factory offers them: class records and registration.
//
// The records are constants of the bundle, built by the compiler.
#pragma once

#include "interfaces/ipluginfactory.h"
#include "module/moduleconstants.h"
#include "module/pluginfactory.h"

namespace Quillon {

// The factory record: vendor kp_extensionVendor, flags 0x10.
const PFactoryInfo& moduleFactoryInfo();

// Class records of the service, remote-surface and detection components.
const PClassInfo2& hostLinkClassInfo();
const PClassInfo& hwRemoteClassInfo();
const PClassInfo& detectClassInfo();

// Registers the components that the module offers, in the order service, remote surface,
// detection. Registration results are not looked at: a class that cannot be registered is
// simply not offered.
void registerComponentClasses(CPluginFactory& factory);

}  // namespace Quillon
