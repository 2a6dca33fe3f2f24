// The module's component classes as the factory offers them: identifiers and class records.
//
// The records are built once, on first use, and live for the rest of the module's life.
#pragma once

#include "interfaces/ipluginfactory.h"
#include "module/pluginfactory.h"

// Class identifiers of the three components.
inline constexpr Quillon::TUID kp_hostLinkClassId =
    QUILLON_UID(0x8645753E, 0xC4934011, 0xBF5AD9D8, 0x5AB0D2E9);
inline constexpr Quillon::TUID kp_hwRemoteClassId =
    QUILLON_UID(0xDE038D7E, 0xD9174E29, 0x9B9F3BE4, 0x3A11A7AC);
inline constexpr Quillon::TUID kp_detectClassId =
    QUILLON_UID(0x6AC328A8, 0xB1CC4AE4, 0x83A58DA7, 0x5E370BDD);

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
