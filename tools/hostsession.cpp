// The start-up path of the module in a simulated host, and its shutdown.
#include "tools/hostsession.h"

#include <cstring>

#include "interfaces/ihostapplication.h"
#include "tools/commands.h"

namespace px7000host {
namespace {

using namespace Quillon;

// Terminates (unless `ended`) and releases a component; a line for each thing that did not go
// back.
void endComponent(IPluginBase*& component, const char* role, std::vector<std::string>& problems,
                  bool ended = false) {
  if (component == nullptr) return;
  const ResultCode answer = ended ? kOk : component->terminate();
  if (answer != kOk)
    problems.push_back(std::string(role) + " terminate answered " + resultName(answer));
  const uint32 left = component->release();
  if (left != 0)
    problems.push_back(std::string(role) + " kept " + std::to_string(left) + " references");
  component = nullptr;
}

}  // namespace

std::string resultName(ResultCode code) {
  switch (code) {
    case kOk:
      return "kOk";
    case kFalse:
      return "kFalse";
    case kBadArgument:
      return "kBadArgument";
    case kNotFound:
      return "kNotFound";
    default:
      return std::to_string(code);
  }
}

bool parsePortLayout(const std::string& text, PortLayout& layout) {
  static const std::pair<const char*, PortLayout> names[] = {{"pair", PortLayout::pair},
                                                             {"none", PortLayout::none},
                                                             {"input", PortLayout::input},
                                                             {"output", PortLayout::output},
                                                             {"two-pairs", PortLayout::twoPairs}};
  for (const auto& [name, value] : names)
    if (text == name) {
      layout = value;
      return true;
    }
  return false;
}

HostSession::HostSession(SessionOptions options)
    : settings(std::move(options)), simulated(std::make_unique<simhost::SimulatedHost>()) {
  const HostIdentity& who = settings.identity;
  simulated->application().setIdentity(who.name.c_str(), who.version.c_str(), who.build.c_str());
}

HostSession::~HostSession() { stop(); }

void HostSession::addPorts() {
  simhost::PortRegistry& ports = simulated->ports();
  // Another instrument's pair, so that detection has to tell the module's ports apart.
  ports.addMidiPair(u"MIDI Keyboard");
  const int first = ports.size();
  switch (settings.ports) {
    case PortLayout::pair:
      ports.addMidiPair(kModulePortName);
      break;
    case PortLayout::twoPairs:
      ports.addMidiPair(kModulePortName);
      ports.addMidiPair(kModulePortName);
      break;
    case PortLayout::input:
      ports.add({kModulePortName, true, kMidiPortType, true, {}});
      break;
    case PortLayout::output:
      ports.add({kModulePortName, false, kMidiPortType, true, {}});
      break;
    case PortLayout::none:
      break;
  }
  if (settings.ports != PortLayout::none && settings.ports != PortLayout::output)
    input = &ports.port(first);
}

bool HostSession::findClass(const char* category, PClassInfo& info) const {
  const int32 count = factory->countClasses();
  for (int32 i = 0; i < count; ++i)
    if (factory->getClassInfo(i, &info) == kOk &&
        std::strncmp(info.category, category, sizeof info.category) == 0)
      return true;
  return false;
}

IPluginBase* HostSession::createComponent(const char* category) {
  PClassInfo info;
  if (!findClass(category, info)) return nullptr;
  void* made = nullptr;
  if (factory->createInstance(info.classId, IPluginBase::iid.tuid(), &made) != kOk) return nullptr;
  return static_cast<IPluginBase*>(made);
}

bool HostSession::start() {
  addPorts();
  if (!bundle.open(settings.bundlePath)) {
    failure = bundle.error();
    return false;
  }
  if (bundle.entry == nullptr || bundle.exit == nullptr || bundle.getFactory == nullptr) {
    failure = "the bundle lacks an entry point (bundleEntry, bundleExit, GetPluginFactory)";
    return false;
  }
  entered = true;
  if (!bundle.entry(bundle.nativeHandle())) remarks.push_back("bundleEntry answered false");
  factory = bundle.getFactory();
  if (factory == nullptr) {
    failure = "GetPluginFactory returned no factory";
    return false;
  }
  simulated->useFactory(factory);
  PClassInfo remoteClass;
  if (findClass("Remote Devices", remoteClass))
    remoteClassName.assign(remoteClass.name, strnlen(remoteClass.name, sizeof remoteClass.name));
  else
    remarks.push_back("the factory offers no remote-surface class");

  service = createComponent("Service");
  if (service == nullptr) {
    failure = "the factory offers no service component";
    return false;
  }
  serviceResult = service->initialize(simulated->context());
  if (serviceResult != kOk)
    remarks.push_back("the service refused the host (initialize answered " +
                      resultName(serviceResult) + ")");
  detection = createComponent("Device Detection");
  if (detection == nullptr) {
    remarks.push_back("the factory offers no detection component");
    return true;
  }
  detectionResult = detection->initialize(simulated->context());
  if (detectionResult == kOk) {
    runDetection();
  } else {
    remarks.push_back("the detection did not start (initialize answered " +
                      resultName(detectionResult) + ")");
  }
  return true;
}

void HostSession::runDetection() {
  void* found = nullptr;
  if (detection->queryInterface(IDetector::iid.tuid(), &found) != kOk || found == nullptr) {
    remarks.push_back("the detection component does not offer IDetector");
    return;
  }
  // Held so that an exception thrown by the host during detect still gives it back.
  const std::unique_ptr<IDetector, void (*)(IDetector*)> detector(
      static_cast<IDetector*>(found), [](IDetector* held) { held->release(); });
  detectResult = detector->detect();
  if (detectResult != kOk)
    remarks.push_back("detect answered " + resultName(detectResult) +
                      ": the drum module's ports were not found");
  else if (remoteDevices().empty())
    remarks.push_back("detect answered kOk but the host has no remote device");
}

ResultCode HostSession::terminateService() {
  if (service == nullptr || serviceEnded) return kNotFound;
  const ResultCode answer = service->terminate();
  serviceEnded = answer == kOk;
  return answer;
}

int HostSession::failureStatus() const { return bundle.wasMissing() ? kExitUsage : kExitFailure; }

std::vector<simhost::Device*> HostSession::remoteDevices() const {
  if (remoteClassName.empty()) return {};
  std::vector<simhost::Device*> made;
  for (simhost::Device* device : simulated->devices().installed(remoteClassName))
    if (device->component() != nullptr) made.push_back(device);
  return made;
}

simhost::Device* HostSession::remoteDevice() const {
  const auto made = remoteDevices();
  return made.empty() ? nullptr : made.front();
}

std::vector<std::string> HostSession::stop() {
  std::vector<std::string> problems;
  if (!bundle.isOpen()) return problems;
  simulated->setObserver(nullptr);
  simulated->releaseComponents();
  endComponent(detection, "the detection component", problems);
  endComponent(service, "the service component", problems, serviceEnded);
  serviceEnded = false;
  simulated->useFactory(nullptr);
  if (factory != nullptr) {
    const uint32 left = factory->release();
    if (left != 0) problems.push_back("the factory kept " + std::to_string(left) + " references");
    factory = nullptr;
  }
  if (entered && !bundle.exit()) problems.push_back("bundleExit answered false");
  entered = false;
  if (!bundle.close()) problems.push_back("the bundle stayed loaded after dlclose");
  for (std::string& line : simulated->referenceProblems())
    problems.push_back("host object " + line);
  return problems;
}

}  // namespace px7000host
