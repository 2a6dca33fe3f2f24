// The checks of the components themselves: creation, interfaces and reference counts, and the
// order in which they may start.
#include "interfaces/idetector.h"
#include "interfaces/ihwremote.h"
#include "interfaces/ihwremotestandard.h"
#include "interfaces/ipluginbase.h"
#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"
#include "tools/check/modulelife.h"

namespace px7000host::checks {
namespace {

using namespace Quillon;

// The interfaces one component must answer beyond FUnknown and IPluginBase, and some it must
// refuse.
struct ComponentInterfaces {
  const char* category;
  std::vector<std::pair<const FUID*, const char*>> own;
  std::vector<std::pair<const FUID*, const char*>> foreign;
};

std::vector<ComponentInterfaces> componentInterfaces() {
  const std::pair<const FUID*, const char*> remote{&IHWRemote::iid, "IHWRemote"},
      detector{&IDetector::iid, "IDetector"}, factory{&IPluginFactory::iid, "IPluginFactory"},
      standard{&IHWRemoteStandard::iid, "IHWRemoteStandard"};
  return {{"Service", {}, {remote, detector, factory}},
          {"Remote Devices", {remote}, {detector, standard, factory}},
          {"Device Detection", {detector}, {remote, factory}}};
}

// The count an object holds now: what addRef answers, less the reference it added.
uint32 countOf(FUnknown& object) {
  const uint32 raised = object.addRef();
  object.release();
  return raised - 1;
}

void checkInterfaces(ModuleLife& module, const ComponentInterfaces& component) {
  const std::string label = std::string("the ") + component.category + " component";
  Held<IPluginBase> base = module.create<IPluginBase>(component.category);
  require(countOf(*base.get()) == 1,
          label + " starts with " + std::to_string(countOf(*base.get())) + " references, not 1");
  std::vector<std::pair<const FUID*, const char*>> answered = {{&FUnknown::iid, "FUnknown"},
                                                               {&IPluginBase::iid, "IPluginBase"}};
  answered.insert(answered.end(), component.own.begin(), component.own.end());
  std::vector<Held<FUnknown>> answers;
  uint32 count = 1;
  for (const auto& [iid, name] : answered) {
    void* found = &found;
    const ResultCode answer = base->queryInterface(iid->tuid(), &found);
    require(answer == kOk && found != nullptr,
            label + " answered " + resultName(answer) + " for " + name);
    // Every interface begins with FUnknown's operations, so any answer is one.
    answers.emplace_back(static_cast<FUnknown*>(found));
    ++count;
    require(countOf(*answers.back().get()) == count,
            label + ": queryInterface for " + name + " did not add exactly one reference");
    if (iid == &FUnknown::iid || iid == &IPluginBase::iid)
      require(found == static_cast<void*>(base.get()),
              label + " answered " + name + " with another object than itself");
  }
  for (const auto& [iid, name] : component.foreign) {
    void* found = &found;
    const ResultCode answer = base->queryInterface(iid->tuid(), &found);
    require(answer == kNotFound && found == nullptr,
            label + " answered " + resultName(answer) + (found != nullptr ? " and an object" : "") +
                " for " + name + ", not kNotFound and null");
    require(countOf(*base.get()) == count, label + " changed its count refusing " + name);
  }
  while (!answers.empty()) {
    const uint32 left = answers.back().release();
    answers.pop_back();
    --count;
    require(left == count, label + ": a release answered " + std::to_string(left) + ", not " +
                               std::to_string(count));
  }
  const uint32 last = base.release();
  require(last == 0, label + ": the last release answered " + std::to_string(last) + ", not 0");
}

}  // namespace

CheckOutcome createInstanceCheck(const std::string& path) {
  ModuleLife module(path);
  IPluginFactory& factory = module.factory();
  const int32 count = factory.countClasses();
  for (int32 i = 0; i < count; ++i) {
    const PClassInfo info = module.classInfo(i);
    const std::string label = "class " + std::to_string(i);
    void* made = nullptr;
    const ResultCode answer = factory.createInstance(info.classId, IPluginBase::iid.tuid(), &made);
    require(answer == kOk && made != nullptr,
            label + ": createInstance answered " + resultName(answer));
    const uint32 left = static_cast<IPluginBase*>(made)->release();
    require(left == 0, label + ": a new instance kept " + std::to_string(left) +
                           " references after the creator's release");
  }
  // What a host may get wrong, the module must refuse: kNotFound, and null where it can store.
  const PClassInfo first = module.classInfo(0);
  char unknown[16];
  for (char& byte : unknown) byte = char(0xEE);
  const struct {
    const char* what;
    const char* classId;
    const char* iid;
  } refused[] = {
      {"an unknown class", unknown, IPluginBase::iid.tuid()},
      {"a null class identifier", nullptr, IPluginBase::iid.tuid()},
      {"a null interface identifier", first.classId, nullptr},
      {"an interface the class does not offer", first.classId, IPluginFactory::iid.tuid()}};
  for (const auto& request : refused) {
    void* made = &made;
    const ResultCode answer = factory.createInstance(request.classId, request.iid, &made);
    require(answer == kNotFound && made == nullptr,
            std::string("createInstance of ") + request.what + " answered " + resultName(answer) +
                (made != nullptr ? " and stored an object" : "") + ", not kNotFound and null");
  }
  const ResultCode nowhere =
      factory.createInstance(first.classId, IPluginBase::iid.tuid(), nullptr);
  require(nowhere == kNotFound,
          "createInstance with nowhere to store the object answered " + resultName(nowhere));
  return passed(std::to_string(count) + " classes created; 5 wrong requests refused");
}

CheckOutcome queryInterfaceCheck(const std::string& path) {
  ModuleLife module(path);
  const std::vector<ComponentInterfaces> components = componentInterfaces();
  for (const ComponentInterfaces& component : components) checkInterfaces(module, component);
  return passed("3 components: every answer and count exact");
}

CheckOutcome startupOrderCheck(const std::string& path) {
  simhost::SimulatedHost host;
  host.ports().addMidiPair(u"Orvella PX7000 Port3");
  ModuleLife module(path);
  FUnknown* context = host.context();

  Held<IPluginBase> detection = module.create<IPluginBase>("Device Detection");
  const ResultCode early = detection->initialize(context);
  require(early == kFalse, "the detection's initialize answered " + resultName(early) +
                               " before the service accepted the host, not kFalse");
  Held<IHWRemote> remote = module.create<IHWRemote>("Remote Devices");
  const bool declaredEarly = remote->init(&host.remote());
  const simhost::RemoteStandard& standard = host.remote();
  require(standard.controls().empty() && standard.properties().empty() &&
              standard.userFunctions().empty() && standard.bank("Mixer") == nullptr,
          "the remote surface declared itself before the service accepted the host");
  require(!declaredEarly, "the remote surface's init answered true before the service started");
  remote->term();
  remote.release();

  Held<IPluginBase> service = module.create<IPluginBase>("Service");
  const ResultCode accepted = service->initialize(context);
  require(accepted == kOk, "the service refused the supported host: " + resultName(accepted));
  const ResultCode later = detection->initialize(context);
  require(later == kOk, "the detection's initialize answered " + resultName(later) +
                            " after the service accepted the host");
  Held<IHWRemote> surface = module.create<IHWRemote>("Remote Devices");
  require(surface->init(&host.remote()), "the remote surface's init answered false");
  require(!standard.controls().empty(), "the remote surface declared no controls");
  surface->term();
  detection->terminate();
  service->terminate();
  return passed("before the service: kFalse and nothing declared; after it: both start");
}

}  // namespace px7000host::checks
