// PX7000_HWRemote: the remote-surface component of the drum module.
//
// Its `init` declares the whole surface to the host's standard remote: four remote properties,
// twelve user functions, the 26 controls with the MIDI message each sends, and the bank "Mixer"
// with its command, value and user-function bindings. `changeValue` turns the data dial's
// single steps into the host's bar steps; every other control goes to the standard handling.
#pragma once

#include "device/hwremotebase.h"

class PX7000_HWRemote : public Quillon::HWRemoteBase {
 public:
  // Creation function of the remote-surface class: a new component holding one reference for
  // the caller and no standard remote, or null when memory runs out. `context` is not used.
  static Quillon::FUnknown* createInstance(void* context);

  // Declares the surface to `standard` (borrowed). False, declaring nothing, without the host's
  // class registry or without a standard remote; true otherwise, even when the host refuses a
  // bank or group (the surface then lacks those bindings).
  bool init(Quillon::IHWRemoteStandard* standard) override;
  // True; the standard remote and the bank stay.
  bool term() override;
  // Index 25 (the data dial): value 1 steps one bar forward and 65 one bar back, through the
  // host's action manager; other values do nothing. Every other index goes unchanged to the
  // standard handling.
  void changeValue(Quillon::int32 index, Quillon::int32 value) override;

  // Registers the twelve user functions; "F1"'s category follows `g_isTessera5`.
  void SetUserCommands();
  // Binds the transport, preset and cursor keys in the layer "Default" of `bank` (host-owned,
  // may be null).
  void AssignControls(Quillon::IHWRemoteBank* bank) const;
  // Binds the function keys to their user functions through a group of `bank` (host-owned, may
  // be null).
  void AssignUserCommands(Quillon::IHWRemoteBank* bank) const;

 protected:
  ~PX7000_HWRemote() override = default;

 private:
  PX7000_HWRemote() = default;
};
