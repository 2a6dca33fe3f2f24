// PX7000_HostLink: the module's service component.
//
// The host starts it first. `initialize` decides from the host's identity whether the host is
// supported, records whether it is at major version 5 or lower (`g_isTessera5`), and keeps the
// host's class registry in `gp_hostClasses`, through which the other components reach every
// host service; `terminate` gives the registry back unless the host's platform refuses.
#pragma once

#include "device/componentrefcount.h"
#include "interfaces/ipluginbase.h"

class PX7000_HostLink : public Quillon::IPluginBase {
 public:
  // Creation function of the service class: a new component holding one reference for the
  // caller, or null when memory runs out. `context` is not used.
  static Quillon::FUnknown* newInstance(void* context);

  // Whether the host behind `context` (borrowed) is supported: a known host other than the
  // "Tessera MN" edition, at major version 5 or later, whose minor, bug-fix and build numbers
  // were read. Sets `g_isTessera5` whenever the host's identity could be asked for.
  static bool IsTargetDAW(Quillon::FUnknown* context);

  Quillon::ResultCode queryInterface(const char* iid, void** obj) override;
  Quillon::uint32 addRef() override;
  Quillon::uint32 release() override;
  // kOk and the host's registry kept when the host is supported (the registry may still be
  // missing); kFalse, with nothing stored, otherwise.
  Quillon::ResultCode initialize(Quillon::FUnknown* context) override;
  // kFalse, with the registry kept, while the host's platform refuses; kOk with the registry
  // released otherwise.
  Quillon::ResultCode terminate() override;

 protected:
  // Destroyed only by its last `release`.
  virtual ~PX7000_HostLink() = default;
  template <class Component>
  friend Quillon::uint32 detail::releaseComponentReference(Component*, Quillon::int32&);

 private:
  PX7000_HostLink() = default;
  PX7000_HostLink(const PX7000_HostLink&) = delete;
  PX7000_HostLink& operator=(const PX7000_HostLink&) = delete;

  Quillon::int32 refCount = 1;
};
