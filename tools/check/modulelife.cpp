// Loading a bundle for a check, and ending its life in the order a host does.
#include "tools/check/modulelife.h"

#include <cstring>

namespace px7000host::checks {
namespace {

void openOrSkip(LoadedBundle& bundle, const std::string& path) {
  if (!bundle.open(path)) skip("the bundle does not load: " + bundle.error());
  if (bundle.entry == nullptr) skip("the bundle exports no bundleEntry");
  if (bundle.exit == nullptr) skip("the bundle exports no bundleExit");
  if (bundle.getFactory == nullptr) skip("the bundle exports no GetPluginFactory");
}

}  // namespace

void requireEntryPoints(const std::string& path) {
  LoadedBundle bundle;
  openOrSkip(bundle, path);
}

void startSession(HostSession& session) {
  requireEntryPoints(session.options().bundlePath);
  if (!session.start()) fail("the start-up path failed: " + session.error());
}

ModuleLife::ModuleLife(const std::string& path) {
  openOrSkip(loaded, path);
  // Its answer is the entry-exit check's concern; a host goes on either way.
  loaded.entry(loaded.nativeHandle());
}

ModuleLife::~ModuleLife() {
  if (servedHost != nullptr) {
    servedHost->releaseComponents();
    servedHost->useFactory(nullptr);
  }
  if (madeFactory != nullptr) madeFactory->release();
  loaded.exit();
  loaded.close();
}

Quillon::IPluginFactory& ModuleLife::factory() {
  if (madeFactory == nullptr) {
    madeFactory = loaded.getFactory();
    require(madeFactory != nullptr, "GetPluginFactory returned null");
  }
  return *madeFactory;
}

void ModuleLife::serve(simhost::SimulatedHost& host) {
  servedHost = &host;
  host.useFactory(&factory());
}

Quillon::PClassInfo ModuleLife::classInfo(Quillon::int32 index) {
  Quillon::PClassInfo info;
  const Quillon::ResultCode answer = factory().getClassInfo(index, &info);
  require(answer == Quillon::kOk,
          "getClassInfo(" + std::to_string(index) + ") answered " + resultName(answer));
  return info;
}

Quillon::int32 ModuleLife::classIndex(const std::string& category) {
  const Quillon::int32 count = factory().countClasses();
  for (Quillon::int32 i = 0; i < count; ++i) {
    const Quillon::PClassInfo info = classInfo(i);
    if (std::string(info.category, strnlen(info.category, sizeof info.category)) == category)
      return i;
  }
  fail("the factory offers no " + quoted(category) + " class");
}

}  // namespace px7000host::checks
