// The module's fixed names and version, compiled in.
#pragma once

inline constexpr const char kp_deviceName[] = "Orvella PX7000";
inline constexpr const char kp_pluginName[] = "Orvella PX7000 Extension";
inline constexpr const char kp_extensionVersion[] = "1.1.0";
inline constexpr const char kp_extensionVendor[] = "Orvella Corporation";
