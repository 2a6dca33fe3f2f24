// The host's device setup: the list of installed devices and the devices in it.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IDeviceList_iid = QUILLON_UID(0x7F60CB8A, 0xB7784BB5, 0x9465FBB7, 0xF9CCC827);
inline constexpr TUID IDeviceList2_iid =
    QUILLON_UID(0xA2370BD2, 0xDF0D4030, 0x90A65AA5, 0x7A3F3172);
inline constexpr TUID IDevice_iid = QUILLON_UID(0xAA9BD1AE, 0x0EF94229, 0xB79F96F0, 0xA9BB031D);
inline constexpr TUID IDevice2_iid = QUILLON_UID(0x6A55D22C, 0xAF994846, 0xA5055148, 0x28B17F11);
inline constexpr TUID ISoloModeHandler_iid =
    QUILLON_UID(0x9CA540D4, 0xF5D54822, 0xA7CD4CEC, 0x32EB4212);
inline constexpr TUID IListenModeHandler_iid =
    QUILLON_UID(0xF78574E8, 0xC19449FB, 0x9B38D4ED, 0xD09A728D);

// One installed device of the host. Its texts are owned by the host.
class IDevice : public FUnknown {
 public:
  // The device's type text (8-bit), or null.
  virtual const char* getType() = 0;
  // The device's name (16-bit), or null.
  virtual const char16* getName() = 0;

  static const FUID iid;
};

// The host's list of installed devices, grouped by device class.
class IDeviceList2 : public FUnknown {
 public:
  // Number of installed devices of the class `className`.
  virtual int32 countDevices(const char* className) = 0;
  // The device at `index` of the class `className` (borrowed), or null.
  virtual IDevice* getDevice(const char* className, int32 index) = 0;
  // Installs a device of the component class named by the 16 bytes at `classId` at `index`;
  // returns the new device (borrowed; offers IConnector through queryInterface) or null.
  virtual FUnknown* addDevice(const char* classId, int32 index, int32 flags) = 0;
  // Removes `device`; later devices of its class move down one index.
  virtual ResultCode removeDevice(IDevice* device) = 0;

  static const FUID iid;
};

// Known identifiers of the host whose operations the module never calls.
class IDeviceList : public FUnknown {
 public:
  static const FUID iid;
};
class IDevice2 : public FUnknown {
 public:
  static const FUID iid;
};
class ISoloModeHandler : public FUnknown {
 public:
  static const FUID iid;
};
class IListenModeHandler : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
