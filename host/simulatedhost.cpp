// The simulated host's wiring: which service the registry hands out for which interface.
#include "host/simulatedhost.h"

namespace simhost {

SimulatedHost::SimulatedHost() {
  hostApplication.setIdentity(u"Tessera Crafter 5", u"5.0.2", u"Build 210");
  classRegistry.provide(Quillon::IPlatform2::iid, static_cast<Quillon::IPlatform2*>(&hostPlatform));
  classRegistry.provide(Quillon::IActionManager::iid,
                        static_cast<Quillon::IActionManager*>(&actionManager));
  classRegistry.provide(Quillon::IDeviceList2::iid,
                        static_cast<Quillon::IDeviceList2*>(&deviceList));
  classRegistry.provide(Quillon::IPortRegistry::iid,
                        static_cast<Quillon::IPortRegistry*>(&portRegistry));
  classRegistry.provide(Quillon::IUpdateHandler::iid,
                        static_cast<Quillon::IUpdateHandler*>(&updateHandler));
}

// Out of line so the members' destructors see complete types.
SimulatedHost::~SimulatedHost() = default;

Value& SimulatedHost::makeValue(std::u16string text, FUnknown* owner) {
  auto value = std::make_unique<Value>(state, "value" + std::to_string(extras.size()),
                                       std::move(text), owner);
  Value& made = *value;
  extras.push_back(std::move(value));
  return made;
}

StringResult& SimulatedHost::makeStringResult() {
  auto result = std::make_unique<StringResult>(state);
  StringResult& made = *result;
  extras.push_back(std::move(result));
  return made;
}

}  // namespace simhost
