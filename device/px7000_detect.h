// PX7000_Detect: the module's detection component.
//
// The host asks it what kind of device it detects and runs its detection step, which looks for
// the drum module's MIDI ports ("Orvella PX7000 Port3", input and output) and, when they are
// there, makes sure that the host's device list holds the module's remote device, installing
// and connecting it when it is missing. `g_bRemoteInstalled` records for the rest of the
// module's life that the device is there.
#pragma once

#include "device/componentrefcount.h"
#include "interfaces/idetector.h"
#include "interfaces/ipluginbase.h"

// Owns nothing but its reference count; reaches the host only through `gp_hostClasses`.
// Operations are declared in the order of the IPluginBase table that hosts read: FUnknown's,
// initialize, terminate, the destructor, detect, getDeviceTypeInfo.
class PX7000_Detect : public Quillon::IPluginBase, public Quillon::IDetector {
 public:
  // Creation function of the detection class: a new component holding one reference for the
  // caller, handed out as its IPluginBase, or null when memory runs out. `context` is not used.
  static Quillon::FUnknown* createInstance(void* context);

  // FUnknown and IPluginBase give the IPluginBase base, IDetector the IDetector base; both
  // share one count.
  Quillon::ResultCode queryInterface(const char* iid, void** obj) override;
  Quillon::uint32 addRef() override;
  Quillon::uint32 release() override;
  // kFalse without the host's class registry or once the remote device is installed; kOk
  // otherwise. The context is not used.
  Quillon::ResultCode initialize(Quillon::FUnknown* context) override;
  // kOk.
  Quillon::ResultCode terminate() override;

 protected:
  // Destroyed only by its last `release`.
  virtual ~PX7000_Detect() = default;
  template <class Component>
  friend Quillon::uint32 detail::releaseComponentReference(Component*, Quillon::int32&);

 public:
  // Finds the module's ports and installs the remote device when it is missing: kOk when it is
  // installed (now or before); kFalse without the registry or ports, when no device could be
  // connected, or when memory runs out; kNotFound when the host offers no device list.
  Quillon::ResultCode detect() override;
  // Writes "Remote Devices" and "Plug and Play" (static texts of the module) into `info`,
  // owned by the host; kOk. kBadArgument, writing nothing, for a null record.
  Quillon::ResultCode getDeviceTypeInfo(Quillon::IDetectorDeviceInfo* info) override;

 private:
  PX7000_Detect() = default;
  PX7000_Detect(const PX7000_Detect&) = delete;
  PX7000_Detect& operator=(const PX7000_Detect&) = delete;

  // The detection step behind `detect`; lets std::bad_alloc through.
  Quillon::ResultCode InstallRemoteDevice();

  Quillon::int32 refCount = 1;
};
