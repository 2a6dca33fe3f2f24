// Tests of the device setup: which host ports pair up, what gets installed, removed and renamed.
#include "device/devicesetupmanager.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/host_fixture.h"

namespace {

using namespace Quillon;
using simhost::PortSetup;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::HostFixture;

const MIDIPortNameList kPX7000 = {{"Orvella PX7000", 3}};
const FUID kRemoteClass(0xDE038D7E, 0xD9174E29, 0x9B9F3BE4, 0x3A11A7AC);

PortSetup midi(const char16_t* name, bool input) { return {name, input, kMidiPortType, true, {}}; }

// The pairs of `manager`'s last search, as numbers of `host`'s ports.
std::vector<std::pair<int, int>> pairsOf(const DeviceSetupManager& manager,
                                         simhost::SimulatedHost& host) {
  const auto numberOf = [&](const IPort* port) {
    for (int i = 0; i < host.ports().size(); ++i)
      if (&host.ports().port(i) == port) return i;
    return -1;
  };
  std::vector<std::pair<int, int>> out;
  for (const MIDIPortSet& set : manager.getPortSets())
    out.emplace_back(numberOf(set.inPort), numberOf(set.outPort));
  return out;
}

class DeviceSetup : public HostFixture {
 protected:
  void SetUp() override { host.devices().declareClass(kRemoteClass, "Orvella PX7000"); }

  std::vector<std::string> calls(const std::string& prefix) {
    return host.log().entriesStartingWith(prefix);
  }

  DeviceSetupManager manager{&host.registry()};
};

TEST_F(DeviceSetup, PortMatrix) {
  const struct {
    const char* what;
    std::vector<PortSetup> ports;
    std::vector<std::pair<int, int>> expected;
  } cases[] = {
      {"one pair",
       {midi(u"Orvella PX7000 Port3", true), midi(u"Orvella PX7000 Port3", false)},
       {{0, 1}}},
      {"letter case of the expected name does not matter",
       {midi(u"orvella px7000 PORT3", false), midi(u"orvella px7000 PORT3", true)},
       {{1, 0}}},
      {"audio and non-system ports are ignored",
       {{u"Orvella PX7000 Port3", true, kAudioPortType, true, {}},
        {u"Orvella PX7000 Port3", false, kAudioPortType, true, {}},
        {u"Orvella PX7000 Port3", true, kMidiPortType, false, {}},
        {u"Orvella PX7000 Port3", false, kMidiPortType, false, {}}},
       {}},
      {"two inputs share one output",
       {midi(u"Orvella PX7000 Port3", true), midi(u"Orvella PX7000 Port3", false),
        midi(u"Orvella PX7000 Port3", true)},
       {{0, 1}, {2, 1}}},
      {"the first output of the same name serves",
       {midi(u"Orvella PX7000 Port3", true), midi(u"ORVELLA PX7000 Port3", false),
        midi(u"Orvella PX7000 Port3", false), midi(u"Orvella PX7000 Port3", false)},
       {{0, 2}}},
      {"input and output differing in case only",
       {midi(u"orvella px7000 port3", true), midi(u"Orvella PX7000 Port3", false)},
       {}},
      {"only an input", {midi(u"Orvella PX7000 Port3", true)}, {}},
      {"only an output", {midi(u"Orvella PX7000 Port3", false)}, {}},
      {"other port numbers and names",
       {midi(u"Orvella PX7000 Port1", true), midi(u"Orvella PX7000 Port1", false),
        midi(u"Orvella PX7000 Port3 (2)", true), midi(u"Orvella PX7000 Port3 (2)", false)},
       {}},
      {"unnamed ports are passed over",
       {{std::nullopt, true, kMidiPortType, true, {}},
        midi(u"Orvella PX7000 Port3", true),
        {std::nullopt, false, kMidiPortType, true, {}},
        midi(u"Orvella PX7000 Port3", false)},
       {{1, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    simhost::SimulatedHost local;
    for (const PortSetup& port : c.ports) local.ports().add(port);
    DeviceSetupManager search(&local.registry());
    EXPECT_EQ(search.searchMIDIPorts(kPX7000, true), !c.expected.empty());
    EXPECT_EQ(pairsOf(search, local), c.expected);
    EXPECT_THAT(local.referenceProblems(), IsEmpty());
  }
}

TEST_F(DeviceSetup, ContainedMatchingOnlyWithoutExactMatch) {
  host.ports().addMidiPair(u"USB Orvella PX7000 PORT3 (1)");
  EXPECT_FALSE(manager.searchMIDIPorts(kPX7000, true));
  EXPECT_TRUE(manager.searchMIDIPorts(kPX7000, false));
  EXPECT_THAT(pairsOf(manager, host), ElementsAre(std::make_pair(0, 1)));

  const MIDIPortNameList several = {{"Other", 1}, {nullptr, 2}, {"Orvella PX7000", 3}};
  EXPECT_TRUE(manager.comparePortName("orvella px7000 port3", several, true));
  EXPECT_FALSE(manager.comparePortName("Orvella PX7000 Port", several, true));
  EXPECT_FALSE(manager.comparePortName(nullptr, several, false));
  EXPECT_FALSE(manager.comparePortName("Orvella PX7000 Port3", {}, false));
  EXPECT_TRUE(manager.comparePortName("x Port255 y", {{"", 255}}, false));
}

TEST_F(DeviceSetup, OverlongDeviceNameIsCutNotOverrun) {
  const std::string longName(300, 'A');
  const MIDIPortNameList names = {{longName.c_str(), 3}};
  // The formatted name keeps its first 255 characters; " Port3" falls off.
  EXPECT_TRUE(manager.comparePortName(std::string(255, 'a').c_str(), names, true));
  EXPECT_FALSE(manager.comparePortName((longName + " Port3").c_str(), names, true));
}

TEST_F(DeviceSetup, SearchKeepsOrReplacesItsPairs) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  ASSERT_TRUE(manager.searchMIDIPorts(kPX7000, true));

  // Stopping before the registry is obtained leaves the pairs and asks the host nothing.
  host.log().clear();
  EXPECT_FALSE(manager.searchMIDIPorts({}, true));
  EXPECT_FALSE(DeviceSetupManager(nullptr).searchMIDIPorts(kPX7000, true));
  EXPECT_THAT(host.log().entries(), IsEmpty());
  host.registry().withdraw(IPortRegistry::iid);
  EXPECT_FALSE(manager.searchMIDIPorts(kPX7000, true));
  EXPECT_EQ(manager.getPortSets().size(), 1u);

  // A search that reads the ports and finds none empties them.
  host.registry().restore(IPortRegistry::iid);
  EXPECT_FALSE(manager.searchMIDIPorts({{"Orvella PX7000", 4}}, true));
  EXPECT_THAT(manager.getPortSets(), IsEmpty());
}

TEST_F(DeviceSetup, HostExceptionsPassWithEveryServiceReleased) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  host.log().throwOn("port1.getName");
  EXPECT_THROW(manager.searchMIDIPorts(kPX7000, true), simhost::HostException);
  host.log().stopThrowing();
  ASSERT_TRUE(manager.searchMIDIPorts(kPX7000, true));
  host.log().throwOn("device0.connect");
  EXPECT_THROW(manager.installRemoteDevice(kRemoteClass.tuid()), simhost::HostException);
  host.log().throwOn("devices.getDevice");
  EXPECT_THROW(manager.isRemoteDeviceInstalled("Orvella PX7000"), simhost::HostException);
  EXPECT_THROW(manager.uninstallRemoteDevices("Orvella PX7000", false), simhost::HostException);
  host.log().throwOn("ports.countPorts");
  EXPECT_THROW(manager.replaceDisplayPortName(u"a", u"b", 2), simhost::HostException);
  // HostFixture checks that the registry, the ports and the device list got every reference
  // back.
}

TEST_F(DeviceSetup, InstallsOneConnectedDevicePerPair) {
  // No pair: nothing added.
  EXPECT_EQ(manager.installRemoteDevice(kRemoteClass.tuid()), kFalse);
  EXPECT_THAT(calls("devices."), IsEmpty());

  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  host.ports().addMidiPair(u"orvella px7000 port3");
  ASSERT_TRUE(manager.searchMIDIPorts(kPX7000, true));
  EXPECT_FALSE(manager.isRemoteDeviceInstalled("Orvella PX7000"));
  EXPECT_EQ(manager.installRemoteDevice(kRemoteClass.tuid()), kOk);
  EXPECT_TRUE(manager.isRemoteDeviceInstalled("Orvella PX7000"));
  EXPECT_THAT(calls("device"),
              ElementsAre("devices.getDevice(Orvella PX7000, 0)",
                          "devices.addDevice(DE038D7ED9174E299B9F3BE43A11A7AC, 0, 1)",
                          "device0.queryInterface(IConnector)", "device0.connect(port0)",
                          "device0.connect(port1)",
                          "devices.addDevice(DE038D7ED9174E299B9F3BE43A11A7AC, 1, 1)",
                          "device1.queryInterface(IConnector)", "device1.connect(port2)",
                          "device1.connect(port3)", "devices.getDevice(Orvella PX7000, 0)"));
}

TEST_F(DeviceSetup, NoClassIdentifierRegistryOrDeviceList) {
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  ASSERT_TRUE(manager.searchMIDIPorts(kPX7000, true));
  EXPECT_EQ(manager.installRemoteDevice(nullptr), kBadArgument);
  EXPECT_EQ(DeviceSetupManager(nullptr).installRemoteDevice(kRemoteClass.tuid()), kBadArgument);
  host.registry().withdraw(IDeviceList2::iid);
  EXPECT_FALSE(manager.isRemoteDeviceInstalled("Orvella PX7000"));
}

TEST_F(DeviceSetup, UninstallKeepsOnlyTheFirstDeviceStillNamedLikeItsClass) {
  const struct {
    const char* what;
    std::vector<const char16_t*> names;
    bool keepOne;
    std::vector<std::string> left;
  } cases[] = {
      {"all removed", {u"Remote", u"Remote", u"Remote"}, false, {}},
      {"first kept", {u"Remote", u"Remote", u"Remote 3"}, true, {"device0"}},
      {"renamed first removed, next kept", {u"Mine", u"Remote", u"Remote"}, true, {"device1"}},
      {"renamed only device removed", {u"Mine"}, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    simhost::SimulatedHost local;
    for (const char16_t* name : c.names) local.devices().install("Remote", name);
    local.devices().install("Other");
    DeviceSetupManager(&local.registry()).uninstallRemoteDevices("Remote", c.keepOne);
    std::vector<std::string> left;
    for (const auto* device : local.devices().installed("Remote")) left.push_back(device->label());
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(local.devices().installed("Other").size(), 1u);
    EXPECT_EQ(local.log().count("devices.countDevices(Remote)"), 1);
    EXPECT_THAT(local.referenceProblems(), IsEmpty());
  }
}

TEST_F(DeviceSetup, DisplayNamesChangeByPortKind) {
  host.ports().add({u"a", false, kAudioPortType, true, u"Port Out Port"});
  host.ports().add({u"m", true, kMidiPortType, true, u"Port In"});
  host.ports().add({u"n", true, kMidiPortType, false, u"Port Net"});
  host.ports().add({u"x", true, kMidiPortType, true, u"No match"});
  host.ports().add({std::nullopt, true, kMidiPortType, true, std::nullopt});
  const auto names = [&] {
    std::vector<std::u16string> out;
    for (int i = 0; i < 4; ++i) out.push_back(*host.ports().port(i).setup().displayName);
    return out;
  };

  manager.replaceDisplayPortName(u"Port", u"P", 0);
  EXPECT_THAT(names(), ElementsAre(u"P Out Port", u"Port In", u"Port Net", u"No match"));
  manager.replaceDisplayPortName(u"Port", u"P", 1);
  EXPECT_THAT(names(), ElementsAre(u"P Out Port", u"P In", u"Port Net", u"No match"));
  manager.replaceDisplayPortName(u"Out", u"Output", 2);
  EXPECT_THAT(names(), ElementsAre(u"P Output Port", u"P In", u"Port Net", u"No match"));
  // Only changed names go back to the host.
  std::vector<std::string> renamed;
  for (const std::string& entry : calls("port"))
    if (entry.find(".setDisplayName") != std::string::npos) renamed.push_back(entry);
  EXPECT_THAT(renamed, ElementsAre("port0.setDisplayName(P Out Port)", "port1.setDisplayName(P In)",
                                   "port0.setDisplayName(P Output Port)"));

  manager.replaceDisplayPortName(u"", u"P", 2);
  EXPECT_THAT(names(), ElementsAre(u"P Output Port", u"P In", u"Port Net", u"No match"));
  host.log().clear();
  manager.replaceDisplayPortName(u"P", u"Q", 3);
  manager.replaceDisplayPortName(nullptr, u"Q", 2);
  manager.replaceDisplayPortName(u"P", nullptr, 2);
  EXPECT_THAT(host.log().entries(), IsEmpty());
}

}  // namespace
