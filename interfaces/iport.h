// The host's ports, its port registry and the connector that attaches a device to a port.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IPort_iid = QUILLON_UID(0x6A0C2E5F, 0xDE7340C3, 0x86AA5B88, 0x1C425098);
inline constexpr TUID IPortRegistry_iid =
    QUILLON_UID(0xB6C29A8E, 0x5476493E, 0xA8E99F1C, 0xB51AB756);
inline constexpr TUID IPortRegistry2_iid =
    QUILLON_UID(0x1F3053C4, 0xD6B54559, 0xA92DF18A, 0x4B3F2F92);
inline constexpr TUID IConnector_iid = QUILLON_UID(0x52F474D9, 0xA7284CA5, 0xA9CC0C30, 0x7B17127A);

// Port kinds asked through IPort::isType and IPort::isCategory.
inline constexpr const char* kMidiPortType = "midi";
inline constexpr const char* kAudioPortType = "audio";
inline constexpr const char* kSystemPortType = "system";

// One port of the host. Its texts are owned by the host.
class IPort : public FUnknown {
 public:
  // Whether the port is of kind `type` (kMidiPortType or kAudioPortType).
  virtual bool isType(const char* type) = 0;
  // Whether the port belongs to `category` (kSystemPortType).
  virtual bool isCategory(const char* category) = 0;
  virtual bool isInput() = 0;
  // The port's name and display name (16-bit), or null.
  virtual const char16* getName() = 0;
  virtual const char16* getDisplayName() = 0;
  // Replaces the display name with a copy of `name`.
  virtual ResultCode setDisplayName(const char16* name) = 0;

  static const FUID iid;
};

// The host's ports, numbered from 0.
class IPortRegistry : public FUnknown {
 public:
  virtual int32 countPorts() = 0;
  // The port at `index` (borrowed), or null.
  virtual IPort* getPort(int32 index) = 0;

  static const FUID iid;
};

// Attaches a device to a port.
class IConnector : public FUnknown {
 public:
  // Connects the device to `port` (borrowed).
  virtual ResultCode connect(IPort* port) = 0;

  static const FUID iid;
};

// Known identifier of the host whose operations the module never calls.
class IPortRegistry2 : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
