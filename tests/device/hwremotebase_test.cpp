// Tests of the remote-surface base: its identity, and what reaches the host's standard remote
// with and without one.
#include "device/hwremotebase.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interfaces/idetector.h"
#include "tests/support/host_fixture.h"

namespace Quillon {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing_support::HostFixture;

// Opens the forwarders to the tests, as a device class would use them.
class Exposed : public HWRemoteBase {
 public:
  using HWRemoteBase::addRemoteControl;
  using HWRemoteBase::addTextDisplay;
  using HWRemoteBase::addUserFunctions;
  using HWRemoteBase::changeValueStandard;
  using HWRemoteBase::createBank;
  using HWRemoteBase::forceRemoteControlUpdate;
  using HWRemoteBase::getBank;
  using HWRemoteBase::getMIDIData;
  using HWRemoteBase::getMIDISysexData;
  using HWRemoteBase::getRemoteControl;
  using HWRemoteBase::getRemoteControlAddr;
  using HWRemoteBase::getTextDisplayData;
  using HWRemoteBase::getTextDisplayRow;
  using HWRemoteBase::getValueName;
  using HWRemoteBase::getValueProperties;
  using HWRemoteBase::getValueText;
  using HWRemoteBase::requestDisplaySwitch;
  using HWRemoteBase::requestReset;
  using HWRemoteBase::sendEventStandard;
  using HWRemoteBase::sendStandard;
  using HWRemoteBase::setBankStandard;
  using HWRemoteBase::setLayerStandard;
  using HWRemoteBase::setRemoteFamilyID;
  using HWRemoteBase::setRemoteName;
  using HWRemoteBase::setRemoteProperty;
  using HWRemoteBase::setTextDisplayData;
  using HWRemoteBase::setTextDisplayRow;
};

class RemoteBase : public HostFixture {
 protected:
  void TearDown() override {
    EXPECT_EQ(remote->release(), 0u);
    HostFixture::TearDown();
  }

  // Each call through the object, and what the standard remote records when it arrives.
  struct Forwarded {
    std::function<void(Exposed&)> call;
    std::string entry;
  };
  std::vector<Forwarded> everyForwardedCall() {
    static char text[4];  // written by the host
    static char row[] = "row";
    static PHWRemoteControl control = {"Knob", 0xB0, 7, 127, 1};
    return {
        {[](Exposed& r) { r.open(); }, "open()"},
        {[](Exposed& r) { r.close(); }, "close()"},
        {[](Exposed& r) { r.resetAll(); }, "resetAll()"},
        {[](Exposed& r) { r.changeValue(3, 64); }, "changeValue(3, 64)"},
        {[](Exposed& r) { r.doMidiEvent(nullptr); }, "doMidiEvent()"},
        {[](Exposed& r) { r.sendController(&control, 1, 2); }, "sendController(Knob, 1, 2)"},
        {[](Exposed& r) { r.setRemoteProperty(7, -2); }, "setRemoteProperty(7, -2)"},
        {[](Exposed& r) { r.setRemoteName("PX"); }, "setRemoteName(PX)"},
        {[](Exposed& r) { r.setRemoteFamilyID("Fam"); }, "setRemoteFamilyID(Fam)"},
        {[](Exposed& r) { r.addUserFunctions(nullptr, 0); }, "addUserFunctions(0)"},
        {[](Exposed& r) { r.createBank("B"); }, "createBank(B)"},
        {[](Exposed& r) { r.getBank("B"); }, "getBank(B)"},
        {[](Exposed& r) { r.getMIDISysexData(nullptr); }, "getMIDISysexData()"},
        {[](Exposed& r) {
           char s, d1, d2;
           r.getMIDIData(nullptr, s, d1, d2);
         },
         "getMIDIData()"},
        {[](Exposed& r) { r.changeValueStandard(25, 65); }, "changeValue(25, 65)"},
        {[](Exposed& r) { r.sendEventStandard(0x90, 60, 1); }, "sendEventStandard(144, 60, 1)"},
        {[](Exposed& r) { r.sendStandard(nullptr); }, "sendStandard()"},
        {[](Exposed& r) { r.setBankStandard("B"); }, "setBankStandard(B)"},
        {[](Exposed& r) { r.setLayerStandard("L"); }, "setLayerStandard(L)"},
        {[](Exposed& r) { r.requestReset(); }, "requestReset()"},
        {[](Exposed& r) { r.addRemoteControl(&control); },
         "addRemoteControl(Knob, 176, 7, 127, 1)"},
        {[](Exposed& r) {
           PHWRemoteControl out{};
           r.getRemoteControl(5, out);
         },
         "getRemoteControl(5)"},
        {[](Exposed& r) { r.getRemoteControlAddr("Knob"); }, "getRemoteControlAddr(Knob)"},
        {[](Exposed& r) { r.forceRemoteControlUpdate(4); }, "forceRemoteControlUpdate(4)"},
        {[](Exposed& r) { r.getValueProperties(2, *reinterpret_cast<PHWRemoteValue*>(text)); },
         "getValueProperties(2)"},
        {[](Exposed& r) { r.getValueText(1, text, 4); }, "getValueText(1, 4)"},
        {[](Exposed& r) { r.getValueName(2, text, 4); }, "getValueName(2, 4)"},
        {[](Exposed& r) { r.addTextDisplay(1, 2, 3, 4, true, 6); },
         "addTextDisplay(1, 2, 3, 4, true, 6)"},
        {[](Exposed& r) { r.getTextDisplayData(1, 2, 3, text, 4); },
         "getTextDisplayData(1, 2, 3, 4)"},
        {[](Exposed& r) { r.setTextDisplayData(1, 2, 3, row); },
         "setTextDisplayData(1, 2, 3, row)"},
        {[](Exposed& r) { r.getTextDisplayRow(1, 2, text, 4); }, "getTextDisplayRow(1, 2, 4)"},
        {[](Exposed& r) { r.setTextDisplayRow(1, 2, row); }, "setTextDisplayRow(1, 2, row)"},
        {[](Exposed& r) { r.requestDisplaySwitch(1, 2); }, "requestDisplaySwitch(1, 2)"},
    };
  }

  Exposed* remote = new Exposed;
};

TEST_F(RemoteBase, AnswersItsThreeInterfacesWithItself) {
  for (const FUID* iid : {&FUnknown::iid, &IPluginBase::iid, &IHWRemote::iid}) {
    const uint32 before = remote->addRef() - 1;
    remote->release();
    void* obj = nullptr;
    ASSERT_EQ(remote->queryInterface(iid->tuid(), &obj), kOk);
    EXPECT_EQ(obj, static_cast<IHWRemote*>(remote));
    EXPECT_EQ(remote->release(), before);
  }
  for (const FUID* iid : {&IHWRemoteStandard::iid, &IDetector::iid}) {
    void* obj = remote;
    EXPECT_EQ(remote->queryInterface(iid->tuid(), &obj), kNotFound);
    EXPECT_EQ(obj, nullptr);
  }
  EXPECT_EQ(remote->addRef(), 2u) << "refused queries add no reference";
  EXPECT_EQ(remote->release(), 1u);
  EXPECT_EQ(remote->initialize(nullptr), kOk);
  EXPECT_EQ(remote->terminate(), kOk);
}

TEST_F(RemoteBase, EveryOperationReachesTheStandardRemoteUnchangedEvenAfterTerm) {
  ASSERT_TRUE(remote->init(&host.remote()));
  ASSERT_TRUE(remote->term());
  std::vector<std::string> expected;
  for (const Forwarded& forwarded : everyForwardedCall()) {
    forwarded.call(*remote);
    expected.push_back("remote." + forwarded.entry);
  }
  remote->sendText("t", 1, 2);
  remote->activateBank("B");
  remote->deactivateBank("B");
  remote->activateLayer("L");
  remote->onIdle();
  EXPECT_THAT(host.log().entries(), ElementsAreArray(expected));
}

TEST_F(RemoteBase, ResultsOfTheStandardRemotePassBack) {
  ASSERT_TRUE(remote->init(&host.remote()));
  PHWRemoteControl control = {"Knob", 0xB0, 7, 127, 5};
  EXPECT_TRUE(remote->addRemoteControl(&control));
  PHWRemoteControl out{};
  EXPECT_TRUE(remote->getRemoteControl(0, out));
  EXPECT_EQ(out.controlFlags, 5);
  EXPECT_FALSE(remote->getRemoteControl(1, out));
  IHWRemoteBank* bank = remote->createBank("Mixer");
  EXPECT_EQ(bank, host.remote().bank("Mixer"));
  EXPECT_EQ(remote->getBank("Mixer"), bank);
  EXPECT_EQ(remote->getBank("Other"), nullptr);
}

TEST_F(RemoteBase, WithoutAStandardRemoteNothingIsCalled) {
  // Never given one, then given one and taken back by an init with null.
  for (int round = 0; round < 2; ++round) {
    for (const Forwarded& forwarded : everyForwardedCall()) forwarded.call(*remote);
    EXPECT_FALSE(remote->open());
    EXPECT_FALSE(remote->close());
    EXPECT_EQ(remote->createBank("B"), nullptr);
    EXPECT_FALSE(remote->setRemoteProperty(1, 1));
    EXPECT_THAT(host.log().entries(), IsEmpty());
    ASSERT_TRUE(remote->init(&host.remote()));
    ASSERT_TRUE(remote->init(nullptr));
  }
}

}  // namespace
}  // namespace Quillon
