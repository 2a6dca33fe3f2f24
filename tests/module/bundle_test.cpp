// Tests of the built bundle as a host loads it: exports, bundle reference and the factory.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/simulatedhost.h"
#include "interfaces/ihwremotestandard.h"
#include "interfaces/ipluginbase.h"
#include "interfaces/ipluginfactory.h"

namespace Quillon {
namespace {

using EntryFunc = bool (*)(void*);
using ExitFunc = bool (*)();
using FactoryFunc = IPluginFactory* (*)();

bool isLoaded() {
  void* handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

// Loads the bundle for one test and checks that it unloads at the end, so no module state
// leaks from one test into the next.
class Bundle : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(isLoaded());
    handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    entry = reinterpret_cast<EntryFunc>(dlsym(handle, "bundleEntry"));
    exit = reinterpret_cast<ExitFunc>(dlsym(handle, "bundleExit"));
    getFactory = reinterpret_cast<FactoryFunc>(dlsym(handle, "GetPluginFactory"));
    ASSERT_TRUE(entry && exit && getFactory);
  }
  void TearDown() override {
    if (handle != nullptr) dlclose(handle);
    EXPECT_FALSE(isLoaded()) << "the bundle could not be unloaded";
  }

  void* handle = nullptr;
  EntryFunc entry = nullptr;
  ExitFunc exit = nullptr;
  FactoryFunc getFactory = nullptr;
};

TEST_F(Bundle, EntryKeepsTheBundleLoadedUntilExit) {
  ASSERT_TRUE(entry(handle));
  dlclose(handle);  // the host lets go first ...
  handle = nullptr;
  ASSERT_TRUE(isLoaded()) << "... yet the module's own reference keeps it mapped";
  // Call bundleExit through a handle of our own so the module is not unmapped beneath it.
  void* own = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(exit());
  dlclose(own);
}

TEST_F(Bundle, NullBundleIsAccepted) {
  EXPECT_TRUE(entry(nullptr));
  EXPECT_TRUE(exit());
}

TEST_F(Bundle, FactoryIsSharedWhileItLives) {
  IPluginFactory* first = getFactory();
  ASSERT_NE(first, nullptr);
  IPluginFactory* second = getFactory();
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->addRef(), 3u);
  first->release();
  EXPECT_EQ(second->release(), 1u);
  EXPECT_EQ(first->release(), 0u);

  // A later call builds a new factory with one reference, offering the same classes.
  IPluginFactory* fresh = getFactory();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->addRef(), 2u);
  fresh->release();
  EXPECT_EQ(fresh->release(), 0u);
}

TEST_F(Bundle, FactoryRecordAndClassQueries) {
  IPluginFactory* factory = getFactory();
  ASSERT_NE(factory, nullptr);
  PFactoryInfo info;
  EXPECT_EQ(factory->getFactoryInfo(&info), kOk);
  EXPECT_STREQ(info.vendor, "Orvella Corporation");
  EXPECT_EQ(info.flags, 0x10);

  void* obj = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid.tuid(), &obj), kOk);
  auto* factory3 = static_cast<IPluginFactory3*>(obj);
  EXPECT_EQ(static_cast<IPluginFactory*>(factory3), factory) << "one object serves every form";
  const int32 count = factory->countClasses();
  EXPECT_EQ(factory3->setHostContext(nullptr), kOk);
  EXPECT_EQ(factory->countClasses(), count);
  PClassInfoW wide;
  EXPECT_EQ(factory3->getClassInfoUnicode(count, &wide), kBadArgument);

  const FUID unknown(1, 2, 3, 4);
  obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->createInstance(unknown.tuid(), FUnknown::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(factory->createInstance(nullptr, nullptr, nullptr), kNotFound);

  factory3->release();
  EXPECT_EQ(factory->release(), 0u);
}

// Creates the class at `index` of `factory` as `iid`; null when refused.
template <class I>
I* create(IPluginFactory* factory, int32 index, const char* category) {
  PClassInfo info;
  if (factory->getClassInfo(index, &info) != kOk) return nullptr;
  EXPECT_STREQ(info.category, category);
  void* obj = nullptr;
  factory->createInstance(info.classId, I::iid.tuid(), &obj);
  return static_cast<I*>(obj);
}

TEST_F(Bundle, ServiceAndRemoteSurfaceWorkWithAHost) {
  IPluginFactory* factory = getFactory();
  ASSERT_NE(factory, nullptr);
  auto* service = create<IPluginBase>(factory, 0, "Service");
  ASSERT_NE(service, nullptr);
  auto* remote = create<IHWRemote>(factory, 1, "Remote Devices");
  ASSERT_NE(remote, nullptr);

  simhost::SimulatedHost host;
  EXPECT_EQ(service->initialize(host.context()), kOk);
  EXPECT_EQ(host.registry().outstandingReferences(), 1) << "the module keeps the registry";
  ASSERT_TRUE(remote->init(&host.remote()));
  EXPECT_EQ(host.remote().controls().size(), 26u);
  remote->changeValue(25, 65);
  remote->changeValue(4, 127);
  EXPECT_EQ(host.actions().commands().at(0).second, "Step Back Bar");
  EXPECT_EQ(host.remote().standardValues().at(0), std::make_pair(4, 127));
  EXPECT_TRUE(remote->term());
  EXPECT_EQ(remote->release(), 0u);
  EXPECT_EQ(service->terminate(), kOk);
  EXPECT_EQ(service->release(), 0u);
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_TRUE(host.referenceProblems().empty());
}

}  // namespace
}  // namespace Quillon
