// The service component: host acceptance and the module-wide host class registry.
#include "device/px7000_hostlink.h"

#include <new>

#include "device/dawinfo.h"
#include "device/hostglobals.h"
#include "interfaces/ihostapplication.h"
#include "interfaces/ihostclasses.h"

using namespace Quillon;

namespace {

// "Tessera MN" is the one known edition that is never supported.
constexpr int32 kUnsupportedEdition = 1;
constexpr int32 kFirstSupportedMajor = 5;
constexpr int32 kLastTessera5Major = 5;

}  // namespace

FUnknown* PX7000_HostLink::newInstance(void*) {
  return static_cast<IPluginBase*>(new (std::nothrow) PX7000_HostLink);
}

bool PX7000_HostLink::IsTargetDAW(FUnknown* context) {
  if (context == nullptr) return false;
  void* found = nullptr;
  context->queryInterface(IHostApplicationW::iid.tuid(), &found);
  if (found == nullptr) return false;
  int32 major = -1;
  bool supported = false;
  {
    // The query's result code is not looked at, so the holder adopts what the host stored.
    const FAdoptedPtr<IHostApplicationW> app(static_cast<IHostApplicationW*>(found));
    const DAWInfo info(app.get());
    major = info.getMajorVersion();
    supported = info.isAllInfoAnalyzed() && info.getDAWNameIndex() != kUnsupportedEdition &&
                major >= kFirstSupportedMajor;
  }
  // A major version that was not read (-1) counts as 5 or lower.
  g_isTessera5 = major <= kLastTessera5Major;
  return supported;
}

ResultCode PX7000_HostLink::queryInterface(const char* iid, void** obj) {
  return answerQueryInterface(*this, iid, obj, {{FUnknown::iid, this}, {IPluginBase::iid, this}});
}

uint32 PX7000_HostLink::addRef() { return ::detail::addComponentReference(refCount); }

uint32 PX7000_HostLink::release() { return ::detail::releaseComponentReference(this, refCount); }

ResultCode PX7000_HostLink::initialize(FUnknown* context) {
  try {
    if (!IsTargetDAW(context)) return kFalse;
  } catch (const std::bad_alloc&) {
    // The module's own allocation failure; the host's exceptions pass on unchanged.
    return kFalse;
  }
  void* found = nullptr;
  context->queryInterface(IHostClasses::iid.tuid(), &found);
  // A second initialisation replaces the registry: the reference it held goes back.
  IHostClasses* previous = gp_hostClasses;
  gp_hostClasses = static_cast<IHostClasses*>(found);
  if (previous != nullptr) previous->release();
  return kOk;
}

ResultCode PX7000_HostLink::terminate() {
  FInstancePtr<IPlatform2> platform(gp_hostClasses);
  if (platform && !platform->canTerminate()) return kFalse;
  if (gp_hostClasses != nullptr) {
    IHostClasses* registry = gp_hostClasses;
    gp_hostClasses = nullptr;
    registry->release();
  }
  return kOk;
}
