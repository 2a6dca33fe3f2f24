// The bundle's exported entry points: bundleEntry, bundleExit and GetPluginFactory.
#include <new>

#include "interfaces/fplatform.h"
#include "module/componentclasses.h"
#include "module/pluginfactory.h"
#include "platform/bundle_ref.h"

using Quillon::platform::BundleRef;

// The bundle reference the host passed to bundleEntry, and the bundle's file-system path.
BundleRef ghInst = nullptr;
BundleRef moduleHandle = nullptr;
char gPath[2048] = {};

namespace {

bool InitModule() { return true; }
bool DeinitModule() { return true; }

}  // namespace

extern "C" {

// Keeps a reference on the bundle and records its path; returns true.
QUILLON_EXPORT bool bundleEntry(BundleRef bundle) {
  if (bundle != nullptr) {
    ghInst = bundle;
    moduleHandle = bundle;
    Quillon::platform::retainBundle(bundle);
    Quillon::platform::copyBundlePath(bundle, gPath, sizeof gPath);
  }
  return InitModule();
}

// Gives back the bundle reference taken by bundleEntry; returns true.
QUILLON_EXPORT bool bundleExit() {
  if (ghInst != nullptr) Quillon::platform::releaseBundle(ghInst);
  return DeinitModule();
}

// Returns the module's class factory with one reference owned by the caller, or null when it
// cannot be created. Every call while the factory lives returns the same object.
QUILLON_EXPORT Quillon::IPluginFactory* GetPluginFactory() {
  using namespace Quillon;
  if (gPluginFactory != nullptr) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  auto* factory = new (std::nothrow) CPluginFactory(moduleFactoryInfo());
  if (factory == nullptr) return nullptr;
  gPluginFactory = factory;
  registerComponentClasses(*factory);
  return factory;
}

}  // extern "C"
