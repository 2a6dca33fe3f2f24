// IHWRemote: the remote-surface component's interface, and the host records it passes.
#pragma once

#include <cstddef>

#include "interfaces/ipluginbase.h"

namespace Quillon {

class IHWRemoteStandard;

inline constexpr TUID IHWRemote_iid = QUILLON_UID(0x83850D7B, 0xC12011D8, 0xA143000A, 0x959B31C6);

// Host record describing one control and the MIDI message it sends. The module fills one per
// control; the host copies what it keeps, since the record is valid for the call only.
struct PHWRemoteControl {
  const char* name;   // static text of the module
  uint8 midiStatus;   // status byte, e.g. 0x90 Note On or 0xB0 Control Change on channel 1
  uint16 midiNumber;  // note or controller number
  int32 maxValue;
  int32 controlFlags;
};

static_assert(offsetof(PHWRemoteControl, midiStatus) == sizeof(void*) &&
                  offsetof(PHWRemoteControl, midiNumber) == sizeof(void*) + 2 &&
                  offsetof(PHWRemoteControl, maxValue) == sizeof(void*) + 4 &&
                  offsetof(PHWRemoteControl, controlFlags) == sizeof(void*) + 8,
              "PHWRemoteControl keeps natural alignment in the host's field order");
static_assert(sizeof(void*) != 8 || sizeof(PHWRemoteControl) == 24,
              "PHWRemoteControl is 24 bytes on 64-bit hosts");

// Host record of a control value's properties; opaque to the module, passed by reference only.
struct PHWRemoteValue;

// A remote surface as the host drives it.
class IHWRemote : public IPluginBase {
 public:
  // Declares the surface to the host's standard remote `standard` (borrowed, not
  // reference-counted). False when the surface could not be declared.
  virtual bool init(IHWRemoteStandard* standard) = 0;
  // Ends the surface; true.
  virtual bool term() = 0;
  // Opens and closes the device; false without a standard remote.
  virtual bool open() = 0;
  virtual bool close() = 0;
  virtual void resetAll() = 0;
  // Reports the value `value` of the control at position `index`.
  virtual void changeValue(int32 index, int32 value) = 0;
  // Hands a host MIDI event (host-owned) to the surface.
  virtual void doMidiEvent(void* event) = 0;
  virtual void sendController(PHWRemoteControl* control, int32 a, int32 b) = 0;
  virtual void sendText(const char* text, int32 a, int32 b) = 0;
  virtual void activateBank(const char* bank) = 0;
  virtual void deactivateBank(const char* bank) = 0;
  virtual void activateLayer(const char* layer) = 0;
  virtual void onIdle() = 0;

  static const FUID iid;
};

}  // namespace Quillon
