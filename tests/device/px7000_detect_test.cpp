// Tests of the detection component: when it installs the remote device, what it reports, and
// that it never installs a second one.
#include "device/px7000_detect.h"

#include <gtest/gtest.h>

#include "device/devicesetupmanager.h"
#include "module/componentclasses.h"
#include "tests/support/failing_allocator.h"
#include "tests/support/module_fixture.h"

namespace {

using namespace Quillon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::ModuleFixture;

class Detect : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    host.devices().declareClass(FUID(kp_hwRemoteClassId), kp_deviceName);
    component = static_cast<IPluginBase*>(PX7000_Detect::createInstance(nullptr));
    ASSERT_NE(component, nullptr);
    void* obj = nullptr;
    ASSERT_EQ(component->queryInterface(IDetector::iid.tuid(), &obj), kOk);
    detector = static_cast<IDetector*>(obj);
  }
  void TearDown() override {
    detector->release();
    EXPECT_EQ(component->release(), 0u);
    ModuleFixture::TearDown();
  }
  std::vector<std::string> deviceCalls() { return host.log().entriesStartingWith("devices."); }

  IPluginBase* component = nullptr;
  IDetector* detector = nullptr;
};

TEST_F(Detect, TwoBasesShareOneCount) {
  void* obj = nullptr;
  ASSERT_EQ(detector->queryInterface(FUnknown::iid.tuid(), &obj), kOk);
  EXPECT_EQ(obj, component) << "FUnknown is the first base";
  EXPECT_NE(static_cast<void*>(detector), static_cast<void*>(component));
  EXPECT_EQ(detector->release(), 2u);
  EXPECT_EQ(component->addRef(), 3u);
  EXPECT_EQ(detector->release(), 2u);
  EXPECT_EQ(component->queryInterface(IPluginBase::iid.tuid(), &obj), kOk);
  EXPECT_EQ(obj, component);
  EXPECT_EQ(component->release(), 2u);
  obj = component;
  EXPECT_EQ(detector->queryInterface(IHWRemote::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
}

TEST_F(Detect, DescribesItsDeviceKind) {
  IDetectorDeviceInfo info = {nullptr, &info, nullptr};
  EXPECT_EQ(detector->getDeviceTypeInfo(&info), kOk);
  EXPECT_STREQ(info.category, "Remote Devices");
  EXPECT_STREQ(info.detectionType, "Plug and Play");
  EXPECT_EQ(info.reserved, &info) << "the host's own field is left alone";
  EXPECT_EQ(detector->getDeviceTypeInfo(nullptr), kBadArgument);
}

TEST_F(Detect, WithoutTheRegistryNothingIsAsked) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  dropRegistry();
  host.log().clear();
  EXPECT_EQ(component->initialize(host.context()), kFalse);
  EXPECT_EQ(detector->detect(), kFalse);
  EXPECT_EQ(component->terminate(), kOk);
  EXPECT_THAT(host.log().entries(), IsEmpty());
  EXPECT_FALSE(g_bRemoteInstalled);
}

TEST_F(Detect, InstallsTheRemoteDeviceOnceAndRemembersIt) {
  host.ports().add({u"Orvella PX7000 Port3", true, kAudioPortType, true, {}});
  host.ports().addMidiPair(u"ORVELLA PX7000 port3");
  EXPECT_EQ(component->initialize(host.context()), kOk);
  EXPECT_EQ(detector->detect(), kOk);
  EXPECT_TRUE(g_bRemoteInstalled);
  const auto installed = host.devices().installed(kp_deviceName);
  ASSERT_EQ(installed.size(), 1u);
  EXPECT_THAT(installed[0]->connections(), ElementsAre("port1", "port2"));

  // Later detections find it and add nothing; later components refuse to start.
  EXPECT_EQ(detector->detect(), kOk);
  EXPECT_EQ(host.devices().installed(kp_deviceName).size(), 1u);
  EXPECT_EQ(component->initialize(host.context()), kFalse);
  EXPECT_EQ(host.log().count("devices.addDevice(DE038D7ED9174E299B9F3BE43A11A7AC, 0, 1)"), 1);
}

TEST_F(Detect, DeviceAlreadyInstalledIsOnlyRecorded) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  host.devices().install(kp_deviceName);
  EXPECT_EQ(detector->detect(), kOk);
  EXPECT_TRUE(g_bRemoteInstalled);
  EXPECT_THAT(deviceCalls(), ElementsAre("devices.getDevice(Orvella PX7000, 0)"));
}

TEST_F(Detect, FailuresLeaveTheFlagAlone) {
  // No ports: the device list is not even looked at.
  host.devices().install(kp_deviceName);
  EXPECT_EQ(detector->detect(), kFalse);
  EXPECT_THAT(host.log().entriesStartingWith("registry.createInstance(IDeviceList2)"), IsEmpty());

  // Only an input of the name.
  host.ports().add({u"Orvella PX7000 Port3", true, kMidiPortType, true, {}});
  EXPECT_EQ(detector->detect(), kFalse);

  // Ports present, no device list.
  host.ports().add({u"Orvella PX7000 Port3", false, kMidiPortType, true, {}});
  host.registry().withdraw(IDeviceList2::iid);
  EXPECT_EQ(detector->detect(), kNotFound);
  EXPECT_FALSE(g_bRemoteInstalled);
  EXPECT_EQ(component->initialize(host.context()), kOk);

  // A device list that adds nothing: no device could be connected.
  host.registry().restore(IDeviceList2::iid);
  host.devices().removeDevice(host.devices().installed(kp_deviceName).at(0));
  host.devices().setRefuseAdding(true);
  EXPECT_EQ(detector->detect(), kFalse);
  EXPECT_FALSE(g_bRemoteInstalled);
}

TEST_F(Detect, HostExceptionsAndOwnAllocationFailures) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  host.log().throwOn("device0.connect");
  EXPECT_THROW(detector->detect(), simhost::HostException);
  host.log().stopThrowing();
  EXPECT_FALSE(g_bRemoteInstalled);

  if (!testing_support::FailingAllocations::inForce()) GTEST_SKIP() << "allocator replaced";
  host.devices().removeDevice(host.devices().installed(kp_deviceName).at(0));
  long allowed = 0;
  for (;; ++allowed) {
    ResultCode result;
    bool refused;
    {
      testing_support::FailingAllocations failing(allowed);
      result = detector->detect();
      refused = failing.refusedAny();
    }
    EXPECT_EQ(result, refused ? kFalse : kOk) << allowed << " allocations allowed";
    EXPECT_THAT(host.referenceProblems(), ElementsAre("registry: 1 references not released"))
        << "only gp_hostClasses' reference is out; " << allowed << " allocations allowed";
    if (!refused) break;
  }
  EXPECT_GT(allowed, 0);
  EXPECT_TRUE(g_bRemoteInstalled);
}

TEST_F(Detect, HostMakesTheRemoteSurfaceOfAnInstalledDeviceAndEndsItOnRemoval) {
  auto* factory = new CPluginFactory(moduleFactoryInfo());
  registerComponentClasses(*factory);
  host.useFactory(factory);
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  ASSERT_EQ(detector->detect(), kOk);
  simhost::Device& device = *host.devices().installed(kp_deviceName).at(0);
  ASSERT_NE(device.component(), nullptr);
  EXPECT_TRUE(device.initAnswer());

  DeviceSetupManager(gp_hostClasses).uninstallRemoteDevices(kp_deviceName, false);
  EXPECT_THAT(host.devices().installed(kp_deviceName), IsEmpty());
  EXPECT_EQ(device.component(), nullptr) << "the host ended the removed device's component";
  host.useFactory(nullptr);
  factory->release();
}

}  // namespace
