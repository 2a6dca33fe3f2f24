// The simulated host's standard remote, banks and function groups.
#include "host/hostremote.h"

#include <cstring>

#include "host/hostobserver.h"

namespace simhost {

bool RemoteFunctionGroup::assignFunction(const char* layer, const char* control,
                                         const char* function, int32 flags) {
  const HostCall inHost = record("assignFunction", layer, control, function, flags);
  assigned.push_back({text(layer), text(control), "", text(function), 0, flags});
  return true;
}

std::vector<RemoteFunctionGroup*> RemoteBank::functionGroups() const {
  std::vector<RemoteFunctionGroup*> out;
  for (const auto& group : groups) out.push_back(group.get());
  return out;
}

bool RemoteBank::addLayer(const char* layer) {
  const HostCall inHost = record("addLayer", layer);
  if (layer == nullptr) return false;
  layerNames.emplace_back(layer);
  return true;
}

bool RemoteBank::assignValue(const char* layer, const char* control, const char* section,
                             int32 selector, const char* value, int32 flags) {
  const HostCall inHost = record("assignValue", layer, control, section, selector, value, flags);
  valueBindings.push_back(
      {text(layer), text(control), text(section), text(value), selector, flags});
  return true;
}

bool RemoteBank::assignCommand(const char* layer, const char* control, const char* category,
                               const char* command, int32 flags) {
  const HostCall inHost = record("assignCommand", layer, control, category, command, flags);
  commandBindings.push_back({text(layer), text(control), text(category), text(command), 0, flags});
  return true;
}

Quillon::IHWRemoteFunctionGroup* RemoteBank::addFunctionGroup(const char* section, const char* name,
                                                              int32 a, int32 b, int32 c) {
  const HostCall inHost = record("addFunctionGroup", section, name, a, b, c);
  if (refuseGroups) return nullptr;
  groups.push_back(std::make_unique<RemoteFunctionGroup>(
      state, label() + ".group" + std::to_string(groups.size()), text(section), text(name)));
  return groups.back().get();
}

RemoteBank* RemoteStandard::bank(const std::string& name) const {
  for (const auto& bank : banks)
    if (bank->name() == name) return bank.get();
  return nullptr;
}

int32 RemoteStandard::controlFor(Quillon::uint8 status, Quillon::uint16 number) const {
  for (std::size_t i = 0; i < declared.size(); ++i)
    if (declared[i].midiStatus == status && declared[i].midiNumber == number) return int32(i);
  return -1;
}

Binding RemoteStandard::bindingOf(int32 index, const std::string& layer) const {
  if (index < 0 || std::size_t(index) >= declared.size()) return {};
  for (const auto& bank : banks) {
    Binding found = bindingIn(*bank, declared[std::size_t(index)].name, layer);
    if (found.kind != Binding::Kind::none) return found;
  }
  return {};
}

Binding RemoteStandard::bindingIn(const RemoteBank& bank, const std::string& control,
                                  const std::string& layer) const {
  const auto binds = [&](const Assignment& a) { return a.layer == layer && a.control == control; };
  for (const Assignment& a : bank.commands())
    if (binds(a))
      return {Binding::Kind::command, bank.name(), a.category, a.target, "", 0, a.flags};
  for (const Assignment& a : bank.values())
    if (binds(a))
      return {Binding::Kind::value, bank.name(), a.category, a.target, "", a.selector, a.flags};
  for (const RemoteFunctionGroup* group : bank.functionGroups()) {
    for (const Assignment& a : group->functions()) {
      if (!binds(a)) continue;
      Binding found{Binding::Kind::userFunction, bank.name(), "", "", a.target, 0, a.flags};
      // The latest user function registered under that name supplies the command.
      for (const auto& function : functions) {
        if (function[0] != a.target) continue;
        found.category = function[1];
        found.target = function[2];
      }
      return found;
    }
  }
  return {};
}

bool RemoteStandard::setRemoteProperty(Quillon::uint32 key, int32 value) {
  const HostCall inHost = record("setRemoteProperty", key, value);
  remoteProperties[key] = value;
  return true;
}

bool RemoteStandard::setRemoteName(const char* name) {
  const HostCall inHost = record("setRemoteName", name);
  remoteName = text(name);
  return true;
}

bool RemoteStandard::setRemoteFamilyID(const char* family) {
  const HostCall inHost = record("setRemoteFamilyID", family);
  remoteFamily = text(family);
  return true;
}

bool RemoteStandard::open() {
  const HostCall inHost = record("open");
  return true;
}

bool RemoteStandard::close() {
  const HostCall inHost = record("close");
  return true;
}

void RemoteStandard::resetAll() { const HostCall inHost = record("resetAll"); }

bool RemoteStandard::addUserFunctions(const char** triples, int32 count) {
  const HostCall inHost = record("addUserFunctions", count);
  if (triples == nullptr || count < 0) return false;
  for (int32 i = 0; i < count; ++i) {
    functions.push_back({text(triples[3 * i]), text(triples[3 * i + 1]), text(triples[3 * i + 2])});
  }
  return true;
}

Quillon::IHWRemoteBank* RemoteStandard::createBank(const char* name) {
  const HostCall inHost = record("createBank", name);
  if (name == nullptr || refuseBanks) return nullptr;
  if (RemoteBank* existing = bank(name)) return existing;
  banks.push_back(std::make_unique<RemoteBank>(state, name));
  banks.back()->setRefuseFunctionGroups(refuseGroups);
  return banks.back().get();
}

Quillon::IHWRemoteBank* RemoteStandard::getBank(const char* name) {
  const HostCall inHost = record("getBank", name);
  return name == nullptr ? nullptr : bank(name);
}

void RemoteStandard::doMidiEvent(void*) { const HostCall inHost = record("doMidiEvent"); }

void RemoteStandard::getMIDISysexData(void*) { const HostCall inHost = record("getMIDISysexData"); }

bool RemoteStandard::getMIDIData(void*, char&, char&, char&) {
  const HostCall inHost = record("getMIDIData");
  return false;
}

std::string RemoteStandard::layerInForce() const {
  if (!activeLayer.empty()) return activeLayer;
  for (const auto& bank : banks)
    if (!bank->layers().empty()) return bank->layers().front();
  return {};
}

void RemoteStandard::changeValue(int32 index, int32 value) {
  const HostCall inHost = record("changeValue", index, value);
  if (recording()) valuesHandled.emplace_back(index, value);
  if (state.observer != nullptr) state.observer->valueHandled(index, value);
  if (performer == nullptr || value == 0) return;
  const Binding bound = bindingOf(index, layerInForce());
  // A user function left without a command does nothing.
  const bool performs =
      bound.kind == Binding::Kind::command || bound.kind == Binding::Kind::userFunction;
  if (performs && !bound.target.empty()) performer->perform(bound.category, bound.target);
}

void RemoteStandard::sendController(Quillon::PHWRemoteControl* control, int32 a, int32 b) {
  const HostCall inHost =
      record("sendController", control != nullptr ? text(control->name) : "null", a, b);
}

void RemoteStandard::sendEventStandard(int32 status, int32 data1, int32 data2) {
  const HostCall inHost = record("sendEventStandard", status, data1, data2);
}

void RemoteStandard::sendStandard(void*) { const HostCall inHost = record("sendStandard"); }

void RemoteStandard::setBankStandard(const char* bank) {
  const HostCall inHost = record("setBankStandard", bank);
}

void RemoteStandard::setLayerStandard(const char* layer) {
  const HostCall inHost = record("setLayerStandard", layer);
  activeLayer = layer == nullptr ? std::string() : std::string(layer);
}

void RemoteStandard::requestReset() { const HostCall inHost = record("requestReset"); }

bool RemoteStandard::addRemoteControl(Quillon::PHWRemoteControl* control) {
  if (control == nullptr) {
    const HostCall inHost = record("addRemoteControl", "null");
    return false;
  }
  const HostCall inHost = record("addRemoteControl", control->name, int(control->midiStatus),
                                 control->midiNumber, control->maxValue, control->controlFlags);
  declared.push_back({text(control->name), control->midiStatus, control->midiNumber,
                      control->maxValue, control->controlFlags});
  return true;
}

bool RemoteStandard::getRemoteControl(int32 index, Quillon::PHWRemoteControl& control) {
  const HostCall inHost = record("getRemoteControl", index);
  if (index < 0 || std::size_t(index) >= declared.size()) return false;
  const DeclaredControl& found = declared[std::size_t(index)];
  control = {found.name.c_str(), found.midiStatus, found.midiNumber, found.maxValue,
             found.controlFlags};
  return true;
}

void RemoteStandard::getRemoteControlAddr(const char* name) {
  const HostCall inHost = record("getRemoteControlAddr", name);
}

void RemoteStandard::forceRemoteControlUpdate(int32 index) {
  const HostCall inHost = record("forceRemoteControlUpdate", index);
}

bool RemoteStandard::getValueProperties(int32 index, Quillon::PHWRemoteValue&) {
  const HostCall inHost = record("getValueProperties", index);
  return false;
}

bool RemoteStandard::getValueText(int32 index, char* text, int32 size) {
  const HostCall inHost = record("getValueText", index, size);
  if (text != nullptr && size > 0) text[0] = 0;
  return false;
}

bool RemoteStandard::getValueName(int32 index, char* text, int32 size) {
  const HostCall inHost = record("getValueName", index, size);
  if (text != nullptr && size > 0) text[0] = 0;
  return false;
}

void RemoteStandard::addTextDisplay(int32 id, int32 rows, int32 columns, int32 flags, bool visible,
                                    int32 style) {
  const HostCall inHost = record("addTextDisplay", id, rows, columns, flags, visible, style);
}

bool RemoteStandard::getTextDisplayData(int32 id, int32 row, int32 column, char* text, int32 size) {
  const HostCall inHost = record("getTextDisplayData", id, row, column, size);
  if (text != nullptr && size > 0) text[0] = 0;
  return false;
}

bool RemoteStandard::setTextDisplayData(int32 id, int32 row, int32 column, char* text) {
  const HostCall inHost = record("setTextDisplayData", id, row, column, text);
  return false;
}

bool RemoteStandard::getTextDisplayRow(int32 id, int32 row, char* text, int32 size) {
  const HostCall inHost = record("getTextDisplayRow", id, row, size);
  if (text != nullptr && size > 0) text[0] = 0;
  return false;
}

bool RemoteStandard::setTextDisplayRow(int32 id, int32 row, char* text) {
  const HostCall inHost = record("setTextDisplayRow", id, row, text);
  return false;
}

void RemoteStandard::requestDisplaySwitch(int32 id, int32 mode) {
  const HostCall inHost = record("requestDisplaySwitch", id, mode);
}

}  // namespace simhost
