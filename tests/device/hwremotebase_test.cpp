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

using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using testing_support::HostFixture;

class RemoteBase;

// Opens the forwarders to the fixture, as a device class would use them.
class Exposed : public HWRemoteBase {
  friend class RemoteBase;
};

std::string shown(bool result) { return result ? "true" : "false"; }
std::string shown(IHWRemoteBank* bank) { return bank != nullptr ? "bank" : "null"; }
// An operation without a result.
template <class Call>
std::function<std::string(Exposed&)> done(Call call) {
  return [call](Exposed& r) {
    call(r);
    return std::string();
  };
}

class RemoteBase : public HostFixture {
 protected:
  void TearDown() override {
    EXPECT_EQ(remote->release(), 0u);
    HostFixture::TearDown();
  }

  // Each call through the object, what the standard remote records when it arrives, and what
  // the simulated host answers ("" for operations without a result).
  struct Forwarded {
    std::function<std::string(Exposed&)> call;
    std::string entry, result;
  };
  static std::vector<Forwarded> everyForwardedCall() {
    static char text[4];  // written by the host
    static char row[] = "row";
    static PHWRemoteControl control = {"Knob", 0xB0, 7, 127, 1};
    static PHWRemoteControl out;
    return {
        {[](Exposed& r) { return shown(r.open()); }, "open()", "true"},
        {[](Exposed& r) { return shown(r.close()); }, "close()", "true"},
        {done([](Exposed& r) { r.resetAll(); }), "resetAll()", ""},
        {done([](Exposed& r) { r.changeValue(3, 64); }), "changeValue(3, 64)", ""},
        {done([](Exposed& r) { r.doMidiEvent(nullptr); }), "doMidiEvent()", ""},
        {done([](Exposed& r) { r.sendController(&control, 1, 2); }), "sendController(Knob, 1, 2)",
         ""},
        {[](Exposed& r) { return shown(r.setRemoteProperty(7, -2)); }, "setRemoteProperty(7, -2)",
         "true"},
        {[](Exposed& r) { return shown(r.setRemoteName("PX")); }, "setRemoteName(PX)", "true"},
        {[](Exposed& r) { return shown(r.setRemoteFamilyID("F")); }, "setRemoteFamilyID(F)",
         "true"},
        {[](Exposed& r) { return shown(r.addUserFunctions(nullptr, 0)); }, "addUserFunctions(0)",
         "false"},
        {[](Exposed& r) { return shown(r.createBank("B")); }, "createBank(B)", "bank"},
        {[](Exposed& r) { return shown(r.getBank("B")); }, "getBank(B)", "bank"},
        {[](Exposed& r) { return shown(r.getBank("C")); }, "getBank(C)", "null"},
        {done([](Exposed& r) { r.getMIDISysexData(nullptr); }), "getMIDISysexData()", ""},
        {[](Exposed& r) { return shown(r.getMIDIData(nullptr, text[0], text[1], text[2])); },
         "getMIDIData()", "false"},
        {done([](Exposed& r) { r.changeValueStandard(25, 65); }), "changeValue(25, 65)", ""},
        {done([](Exposed& r) { r.sendEventStandard(0x90, 60, 1); }),
         "sendEventStandard(144, 60, 1)", ""},
        {done([](Exposed& r) { r.sendStandard(nullptr); }), "sendStandard()", ""},
        {done([](Exposed& r) { r.setBankStandard("B"); }), "setBankStandard(B)", ""},
        {done([](Exposed& r) { r.setLayerStandard("L"); }), "setLayerStandard(L)", ""},
        {done([](Exposed& r) { r.requestReset(); }), "requestReset()", ""},
        {[](Exposed& r) { return shown(r.addRemoteControl(&control)); },
         "addRemoteControl(Knob, 176, 7, 127, 1)", "true"},
        {[](Exposed& r) { return shown(r.getRemoteControl(5, out)); }, "getRemoteControl(5)",
         "false"},
        {done([](Exposed& r) { r.getRemoteControlAddr("Knob"); }), "getRemoteControlAddr(Knob)",
         ""},
        {done([](Exposed& r) { r.forceRemoteControlUpdate(4); }), "forceRemoteControlUpdate(4)",
         ""},
        {[](Exposed& r) {
           return shown(r.getValueProperties(2, *reinterpret_cast<PHWRemoteValue*>(text)));
         },
         "getValueProperties(2)", "false"},
        {[](Exposed& r) { return shown(r.getValueText(1, text, 4)); }, "getValueText(1, 4)",
         "false"},
        {[](Exposed& r) { return shown(r.getValueName(2, text, 4)); }, "getValueName(2, 4)",
         "false"},
        {done([](Exposed& r) { r.addTextDisplay(1, 2, 3, 4, true, 6); }),
         "addTextDisplay(1, 2, 3, 4, true, 6)", ""},
        {[](Exposed& r) { return shown(r.getTextDisplayData(1, 2, 3, text, 4)); },
         "getTextDisplayData(1, 2, 3, 4)", "false"},
        {[](Exposed& r) { return shown(r.setTextDisplayData(1, 2, 3, row)); },
         "setTextDisplayData(1, 2, 3, row)", "false"},
        {[](Exposed& r) { return shown(r.getTextDisplayRow(1, 2, text, 4)); },
         "getTextDisplayRow(1, 2, 4)", "false"},
        {[](Exposed& r) { return shown(r.setTextDisplayRow(1, 2, row)); },
         "setTextDisplayRow(1, 2, row)", "false"},
        {done([](Exposed& r) { r.requestDisplaySwitch(1, 2); }), "requestDisplaySwitch(1, 2)", ""},
    };
  }

  // Makes every call; returns the results in order.
  std::vector<std::string> callAll() {
    std::vector<std::string> results;
    for (const Forwarded& forwarded : everyForwardedCall())
      results.push_back(forwarded.call(*remote));
    return results;
  }

  Exposed* remote = new Exposed;
};

TEST_F(RemoteBase, AnswersItsThreeInterfacesWithItself) {
  for (const FUID* iid : {&FUnknown::iid, &IPluginBase::iid, &IHWRemote::iid}) {
    void* obj = nullptr;
    ASSERT_EQ(remote->queryInterface(iid->tuid(), &obj), kOk);
    EXPECT_EQ(obj, static_cast<IHWRemote*>(remote));
    EXPECT_EQ(remote->release(), 1u);
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
  std::vector<std::string> entries, results;
  for (const Forwarded& forwarded : everyForwardedCall()) {
    entries.push_back("remote." + forwarded.entry);
    results.push_back(forwarded.result);
  }
  EXPECT_THAT(callAll(), ElementsAreArray(results));
  remote->sendText("t", 1, 2);
  remote->activateBank("B");
  remote->deactivateBank("B");
  remote->activateLayer("L");
  remote->onIdle();
  EXPECT_THAT(host.log().entries(), ElementsAreArray(entries));
}

TEST_F(RemoteBase, WithoutAStandardRemoteNothingIsCalled) {
  // Never given one, then given one and taken back by an init with null.
  for (int round = 0; round < 2; ++round) {
    const std::vector<std::string> results = callAll();
    EXPECT_THAT(results, Not(Contains("true")));
    EXPECT_THAT(results, Not(Contains("bank")));
    EXPECT_THAT(host.log().entries(), IsEmpty());
    ASSERT_TRUE(remote->init(&host.remote()));
    ASSERT_TRUE(remote->init(nullptr));
  }
}

}  // namespace
}  // namespace Quillon
