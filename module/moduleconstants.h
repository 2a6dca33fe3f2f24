// The module's fixed names, version and component class identifiers, compiled in.
#pragma once

#include "interfaces/funknown.h"

inline constexpr const char kp_deviceName[] = "Orvella PX7000";
inline constexpr const char kp_pluginName[] = "Orvella PX7000 Extension";
inline constexpr const char kp_extensionVersion[] = "1.1.0";
inline constexpr const char kp_extensionVendor[] = "Orvella Corporation";

// Class identifiers of the three components: service, remote surface, detection.
inline constexpr Quillon::TUID kp_hostLinkClassId =
    QUILLON_UID(0x8645753E, 0xC4934011, 0xBF5AD9D8, 0x5AB0D2E9);
inline constexpr Quillon::TUID kp_hwRemoteClassId =
    QUILLON_UID(0xDE038D7E, 0xD9174E29, 0x9B9F3BE4, 0x3A11A7AC);
inline constexpr Quillon::TUID kp_detectClassId =
    QUILLON_UID(0x6AC328A8, 0xB1CC4AE4, 0x83A58DA7, 0x5E370BDD);
