// The checks of the module meeting its host: which hosts it accepts, and the detection of the
// drum module's ports.
#include "interfaces/idetector.h"
#include "interfaces/ipluginbase.h"
#include "module/moduleconstants.h"
#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"
#include "tools/check/modulelife.h"
#include "tools/hostsession.h"

namespace px7000host::checks {
namespace {

using namespace Quillon;

std::string describe(const HostIdentity& who) {
  return narrow(who.name) + " " + narrow(who.version) + " (" + narrow(who.build) + ")";
}

void checkAccepted(const std::string& path, const HostIdentity& who) {
  HostSession session({path, who, PortLayout::pair});
  startSession(session);
  require(session.serviceAnswer() == kOk, "the service refused " + describe(who) +
                                              ": initialize answered " +
                                              resultName(session.serviceAnswer()));
}

// A refused host: kFalse, and the module holds nothing of the host afterwards.
void checkRefused(const std::string& path, const HostIdentity& who) {
  HostSession session({path, who, PortLayout::pair});
  startSession(session);
  require(session.serviceAnswer() == kFalse, "the service answered " +
                                                 resultName(session.serviceAnswer()) + " for " +
                                                 describe(who) + ", not kFalse");
  const std::vector<std::string> kept = session.host().referenceProblems();
  require(kept.empty(), "after refusing " + describe(who) + " the module keeps " + joined(kept));
  require(session.remoteDevices().empty(),
          "a remote device was installed although the service refused " + describe(who));
}

std::string portLabel(simhost::SimulatedHost& host, bool input) {
  for (int i = 0; i < host.ports().size(); ++i) {
    const simhost::Port& port = host.ports().port(i);
    if (port.setup().name == std::u16string(kModulePortName) && port.setup().isInput == input)
      return port.label();
  }
  return "?";
}

void checkWithoutPair(const std::string& path, PortLayout layout, const char* which) {
  HostSession session({path, {}, layout});
  startSession(session);
  require(session.detectionAnswer() == kOk, std::string("with ") + which +
                                                " the detection's initialize answered " +
                                                resultName(session.detectionAnswer()));
  require(session.host().devices().installed(kp_deviceName).empty(),
          std::string("with ") + which + " a remote device was installed");
  require(session.detectAnswer() == kFalse, std::string("with ") + which + " detect answered " +
                                                resultName(session.detectAnswer()) +
                                                ", not kFalse");
}

}  // namespace

CheckOutcome hostAcceptanceCheck(const std::string& path) {
  checkAccepted(path, {});
  checkAccepted(path, {u"Tessera 6", u"6.0.1", u"Build 128"});
  // The edition the module never supports, a host too old, and a host it does not know.
  checkRefused(path, {u"Tessera MN 5", u"5.0.0", u"Build 210"});
  checkRefused(path, {u"Veridian", u"4.3.0", u"Build 210"});
  checkRefused(path, {u"Other Host", u"5.0.2", u"Build 210"});
  return passed("accepts Tessera Crafter 5 and 6; refuses Tessera MN, Veridian 4, Other Host");
}

CheckOutcome detectionCheck(const std::string& path) {
  checkWithoutPair(path, PortLayout::none, "no ports of the module");
  checkWithoutPair(path, PortLayout::input, "only the module's input port");
  checkWithoutPair(path, PortLayout::output, "only the module's output port");

  simhost::SimulatedHost host;
  host.ports().addMidiPair(u"MIDI Keyboard");
  host.ports().addMidiPair(kModulePortName);
  ModuleLife module(path);
  module.serve(host);
  Held<IPluginBase> service = module.create<IPluginBase>("Service");
  require(service->initialize(host.context()) == kOk, "the service refused the supported host");
  Held<IPluginBase> detection = module.create<IPluginBase>("Device Detection");
  const ResultCode started = detection->initialize(host.context());
  require(started == kOk, "the detection's initialize answered " + resultName(started));
  Held<IDetector> detector = query<IDetector>(*detection.get());
  require(bool(detector), "the detection component does not answer IDetector");

  IDetectorDeviceInfo kind{nullptr, nullptr, nullptr};
  require(detector->getDeviceTypeInfo(&kind) == kOk && kind.category != nullptr &&
              std::string(kind.category) == "Remote Devices",
          "getDeviceTypeInfo does not describe a device of category \"Remote Devices\"");
  const ResultCode found = detector->detect();
  require(found == kOk, "with the module's ports detect answered " + resultName(found));
  const auto installed = host.devices().installed(kp_deviceName);
  require(installed.size() == 1,
          "detect installed " + std::to_string(installed.size()) + " remote devices, not 1");
  require(installed[0]->component() != nullptr,
          "the host could not make the installed device's remote-surface component");
  const std::vector<std::string> expected = {portLabel(host, true), portLabel(host, false)};
  require(installed[0]->connections() == expected,
          "the remote device is connected to " + joined(installed[0]->connections()) +
              ", not to the module's input then output (" + joined(expected) + ")");

  const ResultCode again = detector->detect();
  require(again == kOk, "a second detect answered " + resultName(again));
  const std::size_t after = host.devices().installed(kp_deviceName).size();
  require(after == 1, "a second detect left " + std::to_string(after) + " remote devices");
  detector.release();
  detection->terminate();
  service->terminate();
  return passed("1 device, connected input then output; none without the pair");
}

}  // namespace px7000host::checks
