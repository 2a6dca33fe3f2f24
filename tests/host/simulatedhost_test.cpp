// Tests of the simulated host's own checks: the rest of the suite relies on them to catch
// references the module keeps or gives back twice, and to plant host failures.
#include "host/simulatedhost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace simhost {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SimulatedHost, ReportsReferencesKeptAndGivenBackTwice) {
  SimulatedHost host;
  void* obj = nullptr;
  ASSERT_EQ(host.registry().createInstance(Quillon::IPlatform2::iid.tuid(), &obj), Quillon::kOk);
  ASSERT_EQ(host.context()->queryInterface(Quillon::IHostClasses::iid.tuid(), &obj), Quillon::kOk);
  EXPECT_THAT(host.referenceProblems(), ElementsAre("registry: 1 references not released",
                                                    "platform: 1 references not released"));
  host.registry().release();
  host.platform().release();
  EXPECT_THAT(host.referenceProblems(), IsEmpty());
  host.platform().release();
  EXPECT_THAT(host.referenceProblems(),
              ElementsAre("platform: released more often than referenced"));
}

TEST(SimulatedHost, WithdrawnServicesAndRefusedInterfacesStoreNull) {
  SimulatedHost host;
  host.registry().withdraw(Quillon::IDeviceList2::iid);
  host.contextObject().refuse(Quillon::IHostApplicationW::iid);
  void* obj = &host;
  EXPECT_EQ(host.registry().createInstance(Quillon::IDeviceList2::iid.tuid(), &obj),
            Quillon::kNotFound);
  EXPECT_EQ(obj, nullptr);
  obj = &host;
  EXPECT_EQ(host.context()->queryInterface(Quillon::IHostApplicationW::iid.tuid(), &obj),
            Quillon::kNotFound);
  EXPECT_EQ(obj, nullptr);
  EXPECT_THAT(host.log().entries(), ElementsAre("registry.createInstance(IDeviceList2)",
                                                "context.queryInterface(IHostApplicationW)"));
  EXPECT_THAT(host.referenceProblems(), IsEmpty());
}

TEST(SimulatedHost, PlantedExceptionIsThrownAfterTheCallIsRecorded) {
  SimulatedHost host;
  host.log().throwOn("application.getHostVersion");
  EXPECT_NE(host.application().getHostName(), nullptr);
  EXPECT_THROW(host.application().getHostVersion(), HostException);
  EXPECT_TRUE(
      host.log().containsInOrder({"application.getHostName()", "application.getHostVersion()"}));
}

TEST(SimulatedHost, WithoutRecordingDeclarationsAreKeptButNoHistory) {
  SimulatedHost host;
  host.setRecording(false);
  Quillon::PHWRemoteControl control = {"Dial", 0xB0, 60, 127, 5};
  host.remote().addRemoteControl(&control);
  host.remote().changeValue(0, 1);
  host.actions().executeCommand("Transport", "Step Bar");
  EXPECT_THAT(host.log().entries(), IsEmpty());
  EXPECT_THAT(host.remote().standardValues(), IsEmpty());
  EXPECT_THAT(host.actions().commands(), IsEmpty());
  EXPECT_EQ(host.remote().controlFor(0xB0, 60), 0);
  host.setRecording(true);
  host.remote().changeValue(0, 65);
  EXPECT_THAT(host.log().entries(), ElementsAre("remote.changeValue(0, 65)"));
}

TEST(SimulatedHost, RemovedDevicesLetLaterOnesMoveDownAndStayAlive) {
  SimulatedHost host;
  const FUID remoteClass(1, 2, 3, 4);
  host.devices().declareClass(remoteClass, "Remote");
  FUnknown* first = host.devices().addDevice(remoteClass.tuid(), 0, 1);
  FUnknown* second = host.devices().addDevice(remoteClass.tuid(), 0, 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  Quillon::IDevice* device0 = host.devices().getDevice("Remote", 0);
  EXPECT_EQ(std::u16string(device0->getName()), u"Remote");
  EXPECT_EQ(host.devices().removeDevice(device0), Quillon::kOk);
  Quillon::IDevice* moved = host.devices().getDevice("Remote", 0);
  EXPECT_EQ(std::u16string(moved->getName()), u"Remote 2");
  EXPECT_EQ(host.devices().countDevices("Remote"), 1);
  EXPECT_EQ(std::u16string(device0->getName()), u"Remote") << "removed devices stay readable";
}

TEST(SimulatedHost, StandardHandlingPerformsPressesBoundInTheActiveLayer) {
  SimulatedHost host;
  RemoteStandard& remote = host.remote();
  Quillon::PHWRemoteControl controls[] = {{"Play", 0x90, 94, 127, 1}, {"Inc", 0x90, 66, 127, 1}};
  for (auto& control : controls) remote.addRemoteControl(&control);
  Quillon::IHWRemoteBank* bank = remote.createBank("Mixer");
  bank->addLayer("Default");
  bank->addLayer("Shift");
  bank->assignCommand("Default", "Play", "Transport", "StartStop", 1);
  bank->assignValue("Default", "Inc", "Preset", 0, "Next", 1);
  bank->assignCommand("Shift", "Play", "Transport", "Record", 1);

  remote.changeValue(0, 127);  // not yet performing
  remote.performBindingsWith(&host.actions());
  remote.changeValue(0, 127);
  remote.changeValue(0, 0);    // a release
  remote.changeValue(1, 127);  // value bindings are only recorded
  remote.setLayerStandard("Shift");
  remote.changeValue(0, 127);
  EXPECT_THAT(host.actions().commands(), ElementsAre(std::make_pair("Transport", "StartStop"),
                                                     std::make_pair("Transport", "Record")));
}

}  // namespace
}  // namespace simhost
