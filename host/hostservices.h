// The simulated host's context and its services: application identity, class registry,
// platform and action manager.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/hostobject.h"
#include "interfaces/iactionmanager.h"
#include "interfaces/ihostapplication.h"
#include "interfaces/ihostclasses.h"

namespace simhost {

using Quillon::char16;

// The host's name, version and build texts; each may be null.
class HostApplication : public HostInterfaces<Quillon::IHostApplicationW> {
 public:
  explicit HostApplication(HostState& state) : HostInterfaces(state, "application") {}

  // Sets the texts the host hands out; null makes the operation return null.
  void setIdentity(const char16* name, const char16* version, const char16* build);

  const char16* getHostName() override;
  const char16* getHostVersion() override;
  const char16* getHostBuild() override;

 private:
  std::optional<std::u16string> name, version, build;
};

// Whether components may terminate now.
class Platform : public HostInterfaces<Quillon::IPlatform2> {
 public:
  explicit Platform(HostState& state) : HostInterfaces(state, "platform") {}

  void setCanTerminate(bool allowed) { answer = allowed; }
  bool canTerminate() override;

 private:
  bool answer = true;
};

// Performs host commands: records them and answers with a configurable result.
class ActionManager : public HostInterfaces<Quillon::IActionManager> {
 public:
  explicit ActionManager(HostState& state) : HostInterfaces(state, "actions") {}

  void setResult(ResultCode code) { result = code; }
  // The commands performed, as (category, command), in order.
  const std::vector<std::pair<std::string, std::string>>& commands() const { return performed; }

  void reserved1() override { const HostCall inHost = record("reserved1"); }
  void reserved2() override { const HostCall inHost = record("reserved2"); }
  void reserved3() override { const HostCall inHost = record("reserved3"); }
  void reserved4() override { const HostCall inHost = record("reserved4"); }
  ResultCode executeCommand(const char* category, const char* command) override;
  // The host carrying out a command of its own accord, such as one bound to a remote control:
  // recorded as "actions.perform(<category>, <command>)" and kept with the commands.
  void perform(const std::string& category, const std::string& command);

 private:
  ResultCode result = Quillon::kOk;
  std::vector<std::pair<std::string, std::string>> performed;
};

// How the registry answers createInstance for one service.
enum class ServiceAnswer {
  offered,          // kOk and the service, with a new reference
  withdrawn,        // kNotFound and null
  errorWithObject,  // kNotFound, yet the service is stored with a new reference
  okWithoutObject,  // kOk, yet null is stored
};

// The host's registry of services: hands out a new reference to each service it offers.
class ClassRegistry : public HostInterfaces<Quillon::IHostClasses> {
 public:
  explicit ClassRegistry(HostState& state) : HostInterfaces(state, "registry") {}

  // Offers the host object's interface `iface` under `iid`; createInstance then hands it out
  // with a new reference.
  void provide(const FUID& iid, FUnknown* iface);
  // Changes how createInstance answers for `iid` (a service provided before).
  void answerWith(const FUID& iid, ServiceAnswer answer);
  // Makes createInstance for `iid` store null and return kNotFound, or offer it again.
  void withdraw(const FUID& iid) { answerWith(iid, ServiceAnswer::withdrawn); }
  void restore(const FUID& iid) { answerWith(iid, ServiceAnswer::offered); }

  ResultCode createInstance(const char* iid, void** obj) override;

 private:
  struct Service {
    FUID iid;
    FUnknown* iface;
    ServiceAnswer answer;
  };
  Service* find(const char* iid);
  std::vector<Service> services;
};

// The context the host hands to `initialize`: it answers IHostApplicationW and IHostClasses
// with the host's application and registry (each may be refused through `refuse`).
class HostContext : public HostInterfaces<FUnknown> {
 public:
  HostContext(HostState& state, HostApplication& application, ClassRegistry& registry)
      : HostInterfaces(state, "context"), application(application), registry(registry) {}

  ResultCode queryInterface(const char* iid, void** obj) override;

 private:
  HostApplication& application;
  ClassRegistry& registry;
};

}  // namespace simhost
