// The remote-surface base: component identity and hand-over to the host's standard remote.
#include "device/hwremotebase.h"

#include <utility>

namespace Quillon {

template <class R, class... Parameters, class... Arguments>
R HWRemoteBase::forward(R (IHWRemoteStandard::*operation)(Parameters...),
                        Arguments&&... arguments) const {
  if (standard == nullptr) return R();
  return (standard->*operation)(std::forward<Arguments>(arguments)...);
}

ResultCode HWRemoteBase::queryInterface(const char* iid, void** obj) {
  return answerQueryInterface(
      *this, iid, obj, {{FUnknown::iid, this}, {IPluginBase::iid, this}, {IHWRemote::iid, this}});
}

uint32 HWRemoteBase::addRef() { return ::detail::addComponentReference(refCount); }

uint32 HWRemoteBase::release() { return ::detail::releaseComponentReference(this, refCount); }

ResultCode HWRemoteBase::initialize(FUnknown*) { return kOk; }

ResultCode HWRemoteBase::terminate() { return kOk; }

bool HWRemoteBase::init(IHWRemoteStandard* remote) {
  standard = remote;
  return true;
}

bool HWRemoteBase::term() { return true; }

bool HWRemoteBase::open() { return forward(&IHWRemoteStandard::open); }

bool HWRemoteBase::close() { return forward(&IHWRemoteStandard::close); }

void HWRemoteBase::resetAll() { forward(&IHWRemoteStandard::resetAll); }

void HWRemoteBase::changeValue(int32 index, int32 value) {
  forward(&IHWRemoteStandard::changeValue, index, value);
}

void HWRemoteBase::doMidiEvent(void* event) { forward(&IHWRemoteStandard::doMidiEvent, event); }

void HWRemoteBase::sendController(PHWRemoteControl* control, int32 a, int32 b) {
  forward(&IHWRemoteStandard::sendController, control, a, b);
}

void HWRemoteBase::sendText(const char*, int32, int32) {}

void HWRemoteBase::activateBank(const char*) {}

void HWRemoteBase::deactivateBank(const char*) {}

void HWRemoteBase::activateLayer(const char*) {}

void HWRemoteBase::onIdle() {}

bool HWRemoteBase::setRemoteProperty(uint32 key, int32 value) {
  return forward(&IHWRemoteStandard::setRemoteProperty, key, value);
}

bool HWRemoteBase::setRemoteName(const char* name) {
  return forward(&IHWRemoteStandard::setRemoteName, name);
}

bool HWRemoteBase::setRemoteFamilyID(const char* family) {
  return forward(&IHWRemoteStandard::setRemoteFamilyID, family);
}

bool HWRemoteBase::addUserFunctions(const char** triples, int32 count) {
  return forward(&IHWRemoteStandard::addUserFunctions, triples, count);
}

IHWRemoteBank* HWRemoteBase::createBank(const char* name) {
  return forward(&IHWRemoteStandard::createBank, name);
}

IHWRemoteBank* HWRemoteBase::getBank(const char* name) {
  return forward(&IHWRemoteStandard::getBank, name);
}

void HWRemoteBase::getMIDISysexData(void* event) {
  forward(&IHWRemoteStandard::getMIDISysexData, event);
}

bool HWRemoteBase::getMIDIData(void* event, char& status, char& data1, char& data2) {
  return forward(&IHWRemoteStandard::getMIDIData, event, status, data1, data2);
}

void HWRemoteBase::changeValueStandard(int32 index, int32 value) {
  forward(&IHWRemoteStandard::changeValue, index, value);
}

void HWRemoteBase::sendEventStandard(int32 status, int32 data1, int32 data2) {
  forward(&IHWRemoteStandard::sendEventStandard, status, data1, data2);
}

void HWRemoteBase::sendStandard(void* event) { forward(&IHWRemoteStandard::sendStandard, event); }

void HWRemoteBase::setBankStandard(const char* bank) {
  forward(&IHWRemoteStandard::setBankStandard, bank);
}

void HWRemoteBase::setLayerStandard(const char* layer) {
  forward(&IHWRemoteStandard::setLayerStandard, layer);
}

void HWRemoteBase::requestReset() { forward(&IHWRemoteStandard::requestReset); }

bool HWRemoteBase::addRemoteControl(PHWRemoteControl* control) {
  return forward(&IHWRemoteStandard::addRemoteControl, control);
}

bool HWRemoteBase::getRemoteControl(int32 index, PHWRemoteControl& control) {
  return forward(&IHWRemoteStandard::getRemoteControl, index, control);
}

void HWRemoteBase::getRemoteControlAddr(const char* name) {
  forward(&IHWRemoteStandard::getRemoteControlAddr, name);
}

void HWRemoteBase::forceRemoteControlUpdate(int32 index) {
  forward(&IHWRemoteStandard::forceRemoteControlUpdate, index);
}

bool HWRemoteBase::getValueProperties(int32 index, PHWRemoteValue& value) {
  return forward(&IHWRemoteStandard::getValueProperties, index, value);
}

bool HWRemoteBase::getValueText(int32 index, char* text, int32 size) {
  return forward(&IHWRemoteStandard::getValueText, index, text, size);
}

bool HWRemoteBase::getValueName(int32 index, char* text, int32 size) {
  return forward(&IHWRemoteStandard::getValueName, index, text, size);
}

void HWRemoteBase::addTextDisplay(int32 id, int32 rows, int32 columns, int32 flags, bool visible,
                                  int32 style) {
  forward(&IHWRemoteStandard::addTextDisplay, id, rows, columns, flags, visible, style);
}

bool HWRemoteBase::getTextDisplayData(int32 id, int32 row, int32 column, char* text, int32 size) {
  return forward(&IHWRemoteStandard::getTextDisplayData, id, row, column, text, size);
}

bool HWRemoteBase::setTextDisplayData(int32 id, int32 row, int32 column, char* text) {
  return forward(&IHWRemoteStandard::setTextDisplayData, id, row, column, text);
}

bool HWRemoteBase::getTextDisplayRow(int32 id, int32 row, char* text, int32 size) {
  return forward(&IHWRemoteStandard::getTextDisplayRow, id, row, text, size);
}

bool HWRemoteBase::setTextDisplayRow(int32 id, int32 row, char* text) {
  return forward(&IHWRemoteStandard::setTextDisplayRow, id, row, text);
}

void HWRemoteBase::requestDisplaySwitch(int32 id, int32 mode) {
  forward(&IHWRemoteStandard::requestDisplaySwitch, id, mode);
}

}  // namespace Quillon
