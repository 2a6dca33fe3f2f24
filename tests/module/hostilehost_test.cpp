// The built bundle's whole life in a host whose services fail, one failure per scenario: the
// module answers with the right result codes, never crashes, lets the host's exceptions pass and
// gives back every reference it took.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tools/hostsession.h"

namespace {

using namespace Quillon;
using simhost::HostException;
using simhost::ServiceAnswer;
using simhost::SimulatedHost;
using ::testing::IsEmpty;

// Where a host operation throws, if anywhere.
enum class Phase { none, startUp, keyPress, dialStep, terminate };

// What the module does in a scenario; the default is a host that never fails.
struct Outcome {
  ResultCode service = kOk, detection = kOk, detect = kOk;
  int devices = 1;      // remote devices the host made for the module
  int connections = 2;  // ports the first of them is connected to
  bool keyPerformed = true, dialStepped = true;
  ResultCode terminate = kOk;  // the service's first answer
  Phase throws = Phase::none;

  Outcome& answers(ResultCode s, ResultCode d) {
    service = s;
    detection = d;
    return d == kOk ? *this : noDevice();
  }
  Outcome& detects(ResultCode d) {
    detect = d;
    return *this;
  }
  Outcome& noDevice() {
    devices = connections = 0;
    return unconnected();
  }
  Outcome& unconnected() {
    connections = 0;
    keyPerformed = dialStepped = false;
    return *this;
  }
  Outcome& keyIdle() {
    keyPerformed = false;
    return *this;
  }
  Outcome& dialIdle() {
    dialStepped = false;
    return *this;
  }
  Outcome& terminates(ResultCode first) {
    terminate = first;
    return *this;
  }
  Outcome& throwsIn(Phase phase) {
    throws = phase;
    return *this;
  }
};

struct Scenario {
  std::string name;
  std::function<void(SimulatedHost&)> arrange;
  Outcome outcome;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

Outcome normal() { return {}; }
Outcome refused() { return Outcome().answers(kFalse, kFalse); }

Scenario answerFor(const std::string& name, const FUID& iid, ServiceAnswer answer,
                   Outcome outcome) {
  return {name, [iid, answer](SimulatedHost& host) { host.registry().answerWith(iid, answer); },
          outcome};
}

Scenario throwing(const std::string& name, const std::string& call, Phase phase,
                  Outcome outcome = normal()) {
  return {name, [call](SimulatedHost& host) { host.log().throwOn(call); }, outcome.throwsIn(phase)};
}

// HostSession lists the ports after those a scenario adds: another instrument's pair (port0,
// port1), then the drum module's input and output (port2, port3).
std::vector<Scenario> scenarios() {
  using A = ServiceAnswer;
  const auto identity = [](const char16* name, const char16* version, const char16* build) {
    return [=](SimulatedHost& host) { host.application().setIdentity(name, version, build); };
  };
  const auto unplugModulePorts = [](SimulatedHost& host) {
    host.ports().unplug(host.ports().port(2));
    host.ports().unplug(host.ports().port(3));
  };
  std::vector<Scenario> all = {
      {"NoFailure", [](SimulatedHost&) {}, normal()},
      // The host's identity.
      {"ContextWithoutApplication",
       [](SimulatedHost& host) { host.contextObject().refuse(IHostApplicationW::iid); }, refused()},
      {"ContextWithoutRegistry",
       [](SimulatedHost& host) { host.contextObject().refuse(IHostClasses::iid); },
       Outcome().answers(kOk, kFalse)},
      {"NullHostName", identity(nullptr, u"5.0.2", u"Build 210"), refused()},
      {"NullHostVersion", identity(u"Tessera Crafter 5", nullptr, u"Build 210"), refused()},
      {"NullHostBuild", identity(u"Tessera Crafter 5", u"5.0.2", nullptr), refused()},
      {"AllHostTextsNull", identity(nullptr, nullptr, nullptr), refused()},
      // Every service of the registry: missing, handed out with an error code, or missing
      // behind kOk. The module goes by the pointer, not by the code.
      answerFor("PortRegistryWithdrawn", IPortRegistry::iid, A::withdrawn,
                Outcome().detects(kFalse).noDevice()),
      answerFor("PortRegistryWithError", IPortRegistry::iid, A::errorWithObject, normal()),
      answerFor("PortRegistryNullWithOk", IPortRegistry::iid, A::okWithoutObject,
                Outcome().detects(kFalse).noDevice()),
      answerFor("DeviceListWithdrawn", IDeviceList2::iid, A::withdrawn,
                Outcome().detects(kNotFound).noDevice()),
      answerFor("DeviceListWithError", IDeviceList2::iid, A::errorWithObject, normal()),
      answerFor("DeviceListNullWithOk", IDeviceList2::iid, A::okWithoutObject,
                Outcome().detects(kNotFound).noDevice()),
      answerFor("ActionManagerWithdrawn", IActionManager::iid, A::withdrawn, normal().dialIdle()),
      answerFor("ActionManagerWithError", IActionManager::iid, A::errorWithObject, normal()),
      answerFor("ActionManagerNullWithOk", IActionManager::iid, A::okWithoutObject,
                normal().dialIdle()),
      answerFor("PlatformWithdrawn", IPlatform2::iid, A::withdrawn, normal()),
      answerFor("PlatformWithError", IPlatform2::iid, A::errorWithObject, normal()),
      answerFor("PlatformNullWithOk", IPlatform2::iid, A::okWithoutObject, normal()),
      // Ports.
      {"NullPortsInTheList",
       [](SimulatedHost& host) {
         host.ports().addEmptySlot();
         host.ports().addEmptySlot();
       },
       normal()},
      {"PortsWithoutNames",
       [](SimulatedHost& host) {
         host.ports().add({std::nullopt, true, kMidiPortType, true, {}});
         host.ports().add({std::nullopt, false, kMidiPortType, true, {}});
       },
       normal()},
      {"OutputVanishesDuringTheSearch",
       [](SimulatedHost& host) {
         host.log().onFirstCall("port2.getName",
                                [&host] { host.ports().unplug(host.ports().port(3)); });
       },
       Outcome().detects(kFalse).noDevice()},
      // The pointers the search kept stay valid here; the host refuses to connect them.
      {"PortsVanishBeforeInstallation",
       [=](SimulatedHost& host) {
         host.log().onFirstCall("registry.createInstance(IDeviceList2)",
                                [&host, unplugModulePorts] { unplugModulePorts(host); });
       },
       Outcome().unconnected()},
      // Devices.
      {"AddDeviceReturnsNull", [](SimulatedHost& host) { host.devices().setRefuseAdding(true); },
       Outcome().detects(kFalse).noDevice()},
      {"AddedDeviceWithoutConnector",
       [](SimulatedHost& host) { host.devices().setWithoutConnector(true); },
       Outcome().detects(kFalse).unconnected()},
      // The remote-surface framework.
      {"CreateBankReturnsNull",
       [](SimulatedHost& host) {
         host.devices().setRemotePreparation(
             [](simhost::RemoteStandard& remote) { remote.setRefuseBanks(true); });
       },
       normal().keyIdle()},
      {"AddFunctionGroupReturnsNull",
       [](SimulatedHost& host) {
         host.devices().setRemotePreparation(
             [](simhost::RemoteStandard& remote) { remote.setRefuseFunctionGroups(true); });
       },
       normal()},
      {"ExecuteCommandFails", [](SimulatedHost& host) { host.actions().setResult(kNotFound); },
       normal()},
      // Shutdown.
      {"CanTerminateRefuses", [](SimulatedHost& host) { host.platform().setCanTerminate(false); },
       normal().terminates(kFalse)},
      // Exceptions of the host's own operations pass back unchanged.
      throwing("ContextQueryThrows", "context.queryInterface(IHostApplicationW)", Phase::startUp),
      throwing("GetHostNameThrows", "application.getHostName", Phase::startUp),
      throwing("RegistryQueryThrows", "context.queryInterface(IHostClasses)", Phase::startUp),
      throwing("PortRegistryCreationThrows", "registry.createInstance(IPortRegistry)",
               Phase::startUp),
      throwing("GetPortThrows", "ports.getPort(2)", Phase::startUp),
      throwing("PortNameThrows", "port3.getName", Phase::startUp),
      throwing("DeviceListCreationThrows", "registry.createInstance(IDeviceList2)", Phase::startUp),
      throwing("AddDeviceThrows", "devices.addDevice", Phase::startUp),
      throwing("ConnectThrows", "device0.connect(port3)", Phase::startUp),
      throwing("DeclaringAControlThrows", "device0.remote.addRemoteControl", Phase::startUp),
      throwing("StandardHandlingThrows", "device0.remote.changeValue", Phase::keyPress,
               normal().keyIdle()),
      throwing("ActionManagerCreationThrows", "registry.createInstance(IActionManager)",
               Phase::dialStep, normal().dialIdle()),
      throwing("ExecuteCommandThrows", "actions.executeCommand", Phase::dialStep,
               normal().dialIdle()),
      throwing("CanTerminateThrows", "platform.canTerminate", Phase::terminate),
  };
  return all;
}

bool performed(SimulatedHost& host, const std::string& command) {
  const auto& commands = host.actions().commands();
  return std::any_of(commands.begin(), commands.end(),
                     [&](const auto& done) { return done.second == command; });
}

// Runs `step`, which must throw HostException exactly when `phase` is the one that throws.
template <class Step>
void attempt(Phase phase, Phase throwing, Step step) {
  if (phase == throwing) {
    EXPECT_THROW(step(), HostException) << "the host's exception did not pass back";
  } else {
    EXPECT_NO_THROW(step());
  }
}

class HostileHost : public testing::TestWithParam<Scenario> {};

TEST_P(HostileHost, ModuleAnswersAndGivesEveryReferenceBack) {
  const Outcome& want = GetParam().outcome;
  px7000host::HostSession session({PX7000_BUNDLE_PATH, {}, px7000host::PortLayout::pair});
  SimulatedHost& host = session.host();
  GetParam().arrange(host);

  attempt(Phase::startUp, want.throws, [&] { ASSERT_TRUE(session.start()) << session.error(); });
  if (want.throws != Phase::startUp) {
    EXPECT_EQ(session.serviceAnswer(), want.service);
    EXPECT_EQ(session.detectionAnswer(), want.detection);
    if (want.detection == kOk) {
      EXPECT_EQ(session.detectAnswer(), want.detect);
    } else {
      EXPECT_EQ(host.log().count("registry.createInstance(IPortRegistry)"), 0)
          << "detection looked for ports without the host's registry";
    }
    ASSERT_EQ(int(session.remoteDevices().size()), want.devices);
    if (want.devices > 0) {
      EXPECT_EQ(int(session.remoteDevice()->connections().size()), want.connections);
    }

    // Play/Stop, then the data dial one step back.
    const IPort* input = session.moduleInput();
    attempt(Phase::keyPress, want.throws, [&] { host.receiveMidi(input, 0x90, 94, 127); });
    attempt(Phase::dialStep, want.throws, [&] { host.receiveMidi(input, 0xB0, 60, 65); });
    EXPECT_EQ(performed(host, "StartStop"), want.keyPerformed);
    EXPECT_EQ(performed(host, "Step Back Bar"), want.dialStepped);

    attempt(Phase::terminate, want.throws,
            [&] { EXPECT_EQ(session.terminateService(), want.terminate); });
    if (want.throws == Phase::terminate || want.terminate != kOk) {
      EXPECT_EQ(host.registry().outstandingReferences(), 1) << "the registry went too early";
      host.log().stopThrowing();
      host.platform().setCanTerminate(true);
      EXPECT_EQ(session.terminateService(), kOk) << "a later terminate must succeed";
    }
  }
  host.log().stopThrowing();
  EXPECT_THAT(session.stop(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EachFailure, HostileHost, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return info.param.name;
                         });

}  // namespace
