// The entry points of a bundle broken on purpose around the module's real factory and
// components; px7000-host check must catch each fault. One fault per build:
//
// PX7000_BROKEN_WRONG_RECORD      the remote-surface class claims a cardinality of 1
// PX7000_BROKEN_MISSING_EXPORT    there is no GetPluginFactory
// PX7000_BROKEN_LEAKED_REFERENCE  the service keeps a reference on the host's context
// PX7000_BROKEN_CRASH             createInstance reads a null class identifier
// PX7000_BROKEN_HANG              getClassInfoUnicode never returns for the remote class
// PX7000_BROKEN_CHOSEN            the fault named by the environment variable
//                                 PX7000_BROKEN_FAULT (see `chosen` below), so that one build
//                                 shows every other check failing; it also exports brokenFault
#include <cstdlib>
#include <cstring>
#include <new>

#include "device/px7000_detect.h"
#include "device/px7000_hostlink.h"
#include "device/px7000_hwremote.h"
#include "device/px7000_surface.h"
#include "interfaces/fplatform.h"
#include "interfaces/ihwremotestandard.h"
#include "module/componentclasses.h"
#include "module/pluginfactory.h"

namespace {

using namespace Quillon;

// Whether this run has the fault `fault`: "exit-false", "extra-reference", "factory-spare",
// "wide-name", "create-garbage", "remote-refused", "query-no-reference", "accept-any-host",
// "detection-starts-early", "property-changed" or "reversed-dial".
bool chosen(const char* fault) {
#if defined(PX7000_BROKEN_CHOSEN)
  const char* named = std::getenv("PX7000_BROKEN_FAULT");
  return named != nullptr && std::strcmp(named, fault) == 0;
#else
  static_cast<void>(fault);
  return false;
#endif
}

// The real factory, but for the operations a fault changes.
class FaultyFactory final : public CPluginFactory {
 public:
  using CPluginFactory::CPluginFactory;

  ResultCode createInstance(const char* classId, const char* iid, void** obj) override {
#if defined(PX7000_BROKEN_CRASH)
    // Looks at the identifier before anything else, forgetting that a host may pass null.
    const volatile char* first = classId;
    if (*first == '\x7F') return kNotFound;
#endif
    if (chosen("remote-refused") && classId != nullptr && iid != nullptr &&
        std::memcmp(classId, kp_hwRemoteClassId, 16) == 0 && iidEqual(iid, IHWRemote::iid)) {
      if (obj != nullptr) *obj = nullptr;
      return kNotFound;
    }
    const ResultCode answer = CPluginFactory::createInstance(classId, iid, obj);
    // Leaves something behind where the host expects null.
    if (answer != kOk && obj != nullptr && chosen("create-garbage")) *obj = this;
    return answer;
  }

  ResultCode getClassInfoUnicode(int32 index, PClassInfoW* info) override {
#if defined(PX7000_BROKEN_HANG)
    // Waits for a wide record of the remote class that never becomes ready.
    volatile bool ready = false;
    while (index == 1 && !ready) {
    }
#endif
    const ResultCode answer = CPluginFactory::getClassInfoUnicode(index, info);
    if (answer == kOk && chosen("wide-name")) info->name[0] = u'X';
    return answer;
  }
};

// Reference counting for the wrappers below, which hold one reference on the real component.
template <class Interface>
class Wrapper : public Interface {
 public:
  uint32 addRef() override { return uint32(FUnknown::atomicAdd(count, 1)); }
  uint32 release() override {
    const int32 left = FUnknown::atomicAdd(count, -1);
    if (left == 0) delete this;
    return uint32(left);
  }

 protected:
  virtual ~Wrapper() = default;

 private:
  int32 count = 1;
};

// The real service or detection component behind a fault.
class FaultyComponent final : public Wrapper<IPluginBase> {
 public:
  FaultyComponent(IPluginBase* component, bool isService)
      : component(component), service(isService) {}
  ~FaultyComponent() override { component->release(); }

  ResultCode queryInterface(const char* iid, void** obj) override {
    const bool identity = iidEqual(iid, FUnknown::iid) || iidEqual(iid, IPluginBase::iid);
    if (!identity) return component->queryInterface(iid, obj);
    if (obj == nullptr) return kNotFound;
    if (!(service && chosen("query-no-reference") && iidEqual(iid, FUnknown::iid))) addRef();
    *obj = static_cast<IPluginBase*>(this);
    return kOk;
  }
  ResultCode initialize(FUnknown* context) override {
    const ResultCode answer = component->initialize(context);
#if defined(PX7000_BROKEN_LEAKED_REFERENCE)
    // Keeps the context for later and never gives it back.
    if (answer == kOk && context != nullptr) context->addRef();
#endif
    if (service && chosen("accept-any-host")) return kOk;
    if (!service && chosen("detection-starts-early")) return kOk;
    return answer;
  }
  ResultCode terminate() override { return component->terminate(); }

 private:
  IPluginBase* component;
  bool service;
};

// The real remote surface behind a fault.
class FaultyRemote final : public Wrapper<IHWRemote> {
 public:
  explicit FaultyRemote(IHWRemote* remote) : remote(remote) {}
  ~FaultyRemote() override { remote->release(); }

  ResultCode queryInterface(const char* iid, void** obj) override {
    return answerQueryInterface(
        *this, iid, obj, {{FUnknown::iid, this}, {IPluginBase::iid, this}, {IHWRemote::iid, this}});
  }
  ResultCode initialize(FUnknown* context) override { return remote->initialize(context); }
  ResultCode terminate() override { return remote->terminate(); }
  bool init(IHWRemoteStandard* standard) override {
    const bool declared = remote->init(standard);
    // Changes its mind about a property once the surface is declared.
    if (declared && chosen("property-changed"))
      standard->setRemoteProperty(fourCharCode("wrng"), 0);
    return declared;
  }
  bool term() override { return remote->term(); }
  bool open() override { return remote->open(); }
  bool close() override { return remote->close(); }
  void resetAll() override { remote->resetAll(); }
  void changeValue(int32 index, int32 value) override {
    // Turns the dial the other way.
    if (index == kCtrlDataDial && chosen("reversed-dial"))
      value = value == kDialStepForward ? kDialStepBack
              : value == kDialStepBack  ? kDialStepForward
                                        : value;
    remote->changeValue(index, value);
  }
  void doMidiEvent(void* event) override { remote->doMidiEvent(event); }
  void sendController(PHWRemoteControl* control, int32 a, int32 b) override {
    remote->sendController(control, a, b);
  }
  void sendText(const char* text, int32 a, int32 b) override { remote->sendText(text, a, b); }
  void activateBank(const char* bank) override { remote->activateBank(bank); }
  void deactivateBank(const char* bank) override { remote->deactivateBank(bank); }
  void activateLayer(const char* layer) override { remote->activateLayer(layer); }
  void onIdle() override { remote->onIdle(); }

 private:
  IHWRemote* remote;
};

// Puts the component `made` as `Inner` behind a new `Faulty`; null when it cannot.
template <class Faulty, class Inner, class... Extra>
FUnknown* wrap(FUnknown* made, Extra... extra) {
  if (made == nullptr) return nullptr;
  void* inner = nullptr;
  made->queryInterface(Inner::iid.tuid(), &inner);
  made->release();
  if (inner == nullptr) return nullptr;
  Faulty* faulty = new (std::nothrow) Faulty(static_cast<Inner*>(inner), extra...);
  if (faulty == nullptr) static_cast<Inner*>(inner)->release();
  return faulty;
}

#if !defined(PX7000_BROKEN_MISSING_EXPORT)
FUnknown* newService(void*) {
  FUnknown* made = PX7000_HostLink::newInstance(nullptr);
#if !defined(PX7000_BROKEN_LEAKED_REFERENCE)
  if (!chosen("query-no-reference") && !chosen("accept-any-host")) return made;
#endif
  return wrap<FaultyComponent, IPluginBase>(made, true);
}

FUnknown* newDetection(void*) {
  FUnknown* made = PX7000_Detect::createInstance(nullptr);
  if (!chosen("detection-starts-early")) return made;
  return wrap<FaultyComponent, IPluginBase>(made, false);
}

FUnknown* newRemote(void*) {
  FUnknown* made = PX7000_HWRemote::createInstance(nullptr);
  if (!chosen("property-changed") && !chosen("reversed-dial")) return made;
  return wrap<FaultyRemote, IHWRemote>(made);
}

void registerClasses(CPluginFactory& factory) {
  factory.registerClass(&hostLinkClassInfo(), newService, nullptr);
#if defined(PX7000_BROKEN_WRONG_RECORD)
  static const PClassInfo oneRemote(kp_hwRemoteClassId, 1, "Remote Devices", kp_deviceName);
  factory.registerClass(&oneRemote, newRemote, nullptr);
#else
  factory.registerClass(&hwRemoteClassInfo(), newRemote, nullptr);
#endif
  factory.registerClass(&detectClassInfo(), newDetection, nullptr);
}
#endif

}  // namespace

extern "C" {

QUILLON_EXPORT bool bundleEntry(void*) { return true; }

QUILLON_EXPORT bool bundleExit() { return !chosen("exit-false"); }

#if !defined(PX7000_BROKEN_MISSING_EXPORT)
QUILLON_EXPORT IPluginFactory* GetPluginFactory() {
  if (gPluginFactory != nullptr) {
    gPluginFactory->addRef();
    if (chosen("extra-reference")) gPluginFactory->addRef();
    return gPluginFactory;
  }
  PFactoryInfo info = moduleFactoryInfo();
  if (chosen("factory-spare")) info.spare2[5] = 'x';
  auto* factory = new (std::nothrow) FaultyFactory(info);
  if (factory == nullptr) return nullptr;
  gPluginFactory = factory;
  registerClasses(*factory);
  return factory;
}
#endif

#if defined(PX7000_BROKEN_CHOSEN)
// One symbol too many for a host.
QUILLON_EXPORT const char* brokenFault() { return std::getenv("PX7000_BROKEN_FAULT"); }
#endif

}  // extern "C"
