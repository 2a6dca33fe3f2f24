// The whole life of the built bundle in a host: load, start-up, detection, the remote surface
// declared and played, shutdown and unload. Loads px7000.so with dlopen, as a host does.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/simulatedhost.h"
#include "interfaces/idetector.h"
#include "interfaces/ipluginbase.h"
#include "interfaces/ipluginfactory.h"

namespace {

using namespace Quillon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using EntryFunc = bool (*)(void*);
using ExitFunc = bool (*)();
using FactoryFunc = IPluginFactory* (*)();

template <class F>
F symbol(void* handle, const char* name) {
  return reinterpret_cast<F>(dlsym(handle, name));
}

// Creates the component of class `info` as `I`; null when refused.
template <class I>
I* create(IPluginFactory& factory, const PClassInfo& info) {
  void* obj = nullptr;
  factory.createInstance(info.classId, I::iid.tuid(), &obj);
  return static_cast<I*>(obj);
}

TEST(StartUp, TheWholePathFromLoadToUnload) {
  void* handle = dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  const auto entry = symbol<EntryFunc>(handle, "bundleEntry");
  const auto exit = symbol<ExitFunc>(handle, "bundleExit");
  const auto getFactory = symbol<FactoryFunc>(handle, "GetPluginFactory");
  ASSERT_TRUE(entry && exit && getFactory);
  ASSERT_TRUE(entry(handle));

  // The host's ports: an unrelated MIDI pair, an audio port, and the module's pair.
  simhost::SimulatedHost host;
  host.ports().addMidiPair(u"Keyboard");
  host.ports().add({u"Orvella PX7000 Port3", true, kAudioPortType, true, {}});
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  const IPort* moduleInput = &host.ports().port(3);

  IPluginFactory* factory = getFactory();
  ASSERT_NE(factory, nullptr);
  ASSERT_EQ(factory->countClasses(), 3);
  PClassInfo classes[3];
  std::vector<std::string> categories;
  for (int32 i = 0; i < 3; ++i) {
    ASSERT_EQ(factory->getClassInfo(i, &classes[i]), kOk);
    categories.emplace_back(classes[i].category);
  }
  EXPECT_THAT(categories, ElementsAre("Service", "Remote Devices", "Device Detection"));
  host.useFactory(factory);

  // Detection refuses to start before the service has accepted the host.
  auto* detection = create<IPluginBase>(*factory, classes[2]);
  ASSERT_NE(detection, nullptr);
  EXPECT_EQ(detection->initialize(host.context()), kFalse);
  auto* service = create<IPluginBase>(*factory, classes[0]);
  ASSERT_NE(service, nullptr);
  ASSERT_EQ(service->initialize(host.context()), kOk);
  ASSERT_EQ(detection->initialize(host.context()), kOk);

  void* obj = nullptr;
  ASSERT_EQ(detection->queryInterface(IDetector::iid.tuid(), &obj), kOk);
  auto* detector = static_cast<IDetector*>(obj);
  IDetectorDeviceInfo info = {};
  EXPECT_EQ(detector->getDeviceTypeInfo(&info), kOk);
  EXPECT_STREQ(info.category, "Remote Devices");
  EXPECT_EQ(detector->detect(), kOk);

  // One remote device, connected input first, whose component declared the surface.
  const auto installed = host.devices().installed("Orvella PX7000");
  ASSERT_EQ(installed.size(), 1u);
  simhost::Device& device = *installed[0];
  EXPECT_THAT(device.connections(), ElementsAre("port3", "port4"));
  ASSERT_NE(device.component(), nullptr);
  EXPECT_TRUE(device.initAnswer());
  EXPECT_EQ(device.standard()->controls().size(), 26u);
  EXPECT_EQ(detector->detect(), kOk);
  EXPECT_EQ(host.devices().installed("Orvella PX7000").size(), 1u) << "never a second device";

  // Play/Stop goes to the host's standard handling; a dial step back to its action manager.
  host.log().clear();
  EXPECT_EQ(host.receiveMidi(moduleInput, 0x90, 94, 127), 4);
  EXPECT_EQ(host.receiveMidi(moduleInput, 0xB0, 60, 65), 25);
  EXPECT_EQ(host.receiveMidi(&host.ports().port(0), 0x90, 94, 127), -1) << "not its port";
  EXPECT_THAT(
      host.log().entries(),
      ElementsAre("device0.remote.changeValue(4, 127)", "actions.perform(Transport, StartStop)",
                  "registry.createInstance(IActionManager)",
                  "actions.executeCommand(Transport, Step Back Bar)"));

  // Shutdown: components first, then the factory, then the bundle.
  host.releaseComponents();
  detector->release();
  EXPECT_EQ(detection->terminate(), kOk);
  EXPECT_EQ(detection->release(), 0u);
  EXPECT_EQ(service->terminate(), kOk);
  EXPECT_EQ(service->release(), 0u);
  host.useFactory(nullptr);
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_TRUE(exit());
  EXPECT_EQ(dlclose(handle), 0);
  EXPECT_EQ(dlopen(PX7000_BUNDLE_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  EXPECT_THAT(host.referenceProblems(), IsEmpty());
}

}  // namespace
