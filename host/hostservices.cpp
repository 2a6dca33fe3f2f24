// The simulated host's context and services.
#include "host/hostservices.h"

#include "host/hostobserver.h"
#include "host/interfacenames.h"

namespace simhost {
namespace {

std::optional<std::u16string> copyOf(const char16* text) {
  if (text == nullptr) return std::nullopt;
  return std::u16string(text);
}

}  // namespace

void HostApplication::setIdentity(const char16* hostName, const char16* hostVersion,
                                  const char16* hostBuild) {
  name = copyOf(hostName);
  version = copyOf(hostVersion);
  build = copyOf(hostBuild);
}

const char16* HostApplication::getHostName() {
  const HostCall inHost = record("getHostName");
  return textOf(name);
}

const char16* HostApplication::getHostVersion() {
  const HostCall inHost = record("getHostVersion");
  return textOf(version);
}

const char16* HostApplication::getHostBuild() {
  const HostCall inHost = record("getHostBuild");
  return textOf(build);
}

bool Platform::canTerminate() {
  const HostCall inHost = record("canTerminate");
  return answer;
}

ResultCode ActionManager::executeCommand(const char* category, const char* command) {
  const HostCall inHost = record("executeCommand", category, command);
  if (recording()) performed.emplace_back(text(category), text(command));
  if (state.observer != nullptr) state.observer->commandExecuted(category, command);
  return result;
}

void ActionManager::perform(const std::string& category, const std::string& command) {
  const HostCall inHost = record("perform", category, command);
  if (recording()) performed.emplace_back(category, command);
  if (state.observer != nullptr)
    state.observer->commandPerformed(category.c_str(), command.c_str());
}

void ClassRegistry::provide(const FUID& iid, FUnknown* iface) {
  services.push_back({iid, iface, ServiceAnswer::offered});
}

ClassRegistry::Service* ClassRegistry::find(const char* iid) {
  for (Service& service : services)
    if (Quillon::iidEqual(iid, service.iid)) return &service;
  return nullptr;
}

void ClassRegistry::answerWith(const FUID& iid, ServiceAnswer answer) {
  if (Service* service = find(iid.tuid())) service->answer = answer;
}

ResultCode ClassRegistry::createInstance(const char* iid, void** obj) {
  const HostCall inHost = record("createInstance", Iid{iid});
  if (obj == nullptr) return Quillon::kNotFound;
  Service* service = find(iid);
  const ServiceAnswer answer = service != nullptr ? service->answer : ServiceAnswer::withdrawn;
  *obj = nullptr;
  if (answer == ServiceAnswer::offered || answer == ServiceAnswer::errorWithObject) {
    service->iface->addRef();
    *obj = service->iface;
  }
  return answer == ServiceAnswer::offered || answer == ServiceAnswer::okWithoutObject
             ? Quillon::kOk
             : Quillon::kNotFound;
}

ResultCode HostContext::queryInterface(const char* iid, void** obj) {
  if (refusedQuery(iid, obj)) return Quillon::kNotFound;
  // The context hands out other objects: the reference goes to the object handed out.
  FUnknown* other = nullptr;
  void* iface = nullptr;
  if (Quillon::iidEqual(iid, Quillon::IHostApplicationW::iid)) {
    auto* app = static_cast<Quillon::IHostApplicationW*>(&application);
    other = app;
    iface = app;
  } else if (Quillon::iidEqual(iid, Quillon::IHostClasses::iid)) {
    auto* classes = static_cast<Quillon::IHostClasses*>(&registry);
    other = classes;
    iface = classes;
  }
  if (other == nullptr || obj == nullptr) {
    FUnknown& self = *this;
    return Quillon::answerQueryInterface(self, iid, obj, {{FUnknown::iid, &self}});
  }
  other->addRef();
  *obj = iface;
  return Quillon::kOk;
}

}  // namespace simhost
