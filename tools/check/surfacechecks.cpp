// The checks of a running remote device: the surface it declares, the data dial, and the end
// of the whole session.
#include <algorithm>

#include "device/px7000_surface.h"
#include "host/hostobserver.h"
#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"
#include "tools/check/modulelife.h"
#include "tools/hostsession.h"

namespace px7000host::checks {
namespace {

using namespace Quillon;
using simhost::Binding;

// The remote device of a started session, or ends the check with the session's notes.
simhost::Device& remoteDevice(HostSession& session) {
  simhost::Device* device = session.remoteDevice();
  require(device != nullptr, "no remote device was made: " + joined(session.notes()));
  require(device->initAnswer(), "the remote surface's init answered false");
  return *device;
}

std::string controlText(const std::string& name, int status, int number, int maxValue, int flags) {
  return quoted(name) + " " + hex(unsigned(status)) + " " + std::to_string(number) + " max " +
         std::to_string(maxValue) + " flags " + std::to_string(flags);
}

void checkControls(const simhost::RemoteStandard& standard) {
  const auto& controls = standard.controls();
  require(controls.size() == std::size_t(kCtrlCount),
          std::to_string(controls.size()) + " controls declared, not 26");
  for (int i = 0; i < kCtrlCount; ++i) {
    const simhost::DeclaredControl& got = controls[std::size_t(i)];
    const PX7000_ControlRow& want = kp_controls[i];
    const std::string gotText =
        controlText(got.name, got.midiStatus, got.midiNumber, got.maxValue, got.controlFlags);
    const std::string wantText =
        controlText(want.name, want.midiStatus, want.midiNumber, want.maxValue, want.controlFlags);
    require(gotText == wantText,
            "control " + std::to_string(i) + " is " + gotText + ", not " + wantText);
  }
}

std::string tripleText(const std::array<std::string, 3>& triple) {
  return quoted(triple[0]) + " " + quoted(triple[1]) + "/" + quoted(triple[2]);
}

void checkPropertiesAndFunctions(const simhost::RemoteStandard& standard) {
  require(standard.properties().size() == std::size(kp_remoteProperties),
          std::to_string(standard.properties().size()) + " remote properties set, not 4");
  for (const PX7000_RemoteProperty& property : kp_remoteProperties) {
    const auto found = standard.properties().find(property.key);
    require(found != standard.properties().end() && found->second == property.value,
            "remote property " + hex(property.key) + " is not set to " +
                std::to_string(property.value));
  }
  const auto& functions = standard.userFunctions();
  require(functions.size() == std::size_t(kUserFunctionCount),
          std::to_string(functions.size()) + " user functions registered, not 12");
  // The session's host is at major version 5, so F1 takes that version's category.
  for (int i = 0; i < kUserFunctionCount; ++i) {
    const PX7000_UserFunction& want = kp_userFunctions[i];
    const std::array<std::string, 3> expected = {kp_ctrlNames[std::size_t(want.key)],
                                                 want.categoryTessera5, want.command};
    require(functions[std::size_t(i)] == expected, "user function " + std::to_string(i) + " is " +
                                                       tripleText(functions[std::size_t(i)]) +
                                                       ", not " + tripleText(expected));
  }
}

// What control `index` should be bound to in the layer "Default".
Binding expectedBinding(int index) {
  for (const PX7000_Assignment& a : kp_fixedAssignments)
    if (a.control == index) {
      const bool command = a.kind == PX7000_Assignment::command;
      return {command ? Binding::Kind::command : Binding::Kind::value,
              kp_bank_default,
              a.categoryOrSection,
              a.target,
              "",
              command ? 0 : a.selector,
              a.flags};
    }
  for (const PX7000_UserFunction& f : kp_userFunctions)
    if (f.key == index)
      return {Binding::Kind::userFunction,
              kp_bank_default,
              f.categoryTessera5,
              f.command,
              kp_ctrlNames[std::size_t(index)],
              0,
              0};
  return {};  // the data dial: handled by the component itself
}

std::string bindingText(const Binding& b) {
  static const char* kinds[] = {"nothing", "command", "value", "user function"};
  if (b.kind == Binding::Kind::none) return "nothing";
  return std::string(kinds[int(b.kind)]) + " " + b.bank + "/" + b.category + "/" + b.target +
         (b.function.empty() ? "" : " as " + b.function) + " selector " +
         std::to_string(b.selector) + " flags " + std::to_string(b.flags);
}

void checkBindings(const simhost::RemoteStandard& standard) {
  const simhost::RemoteBank* bank = standard.bank(kp_bank_default);
  require(bank != nullptr, "the bank \"Mixer\" was not created");
  const auto& layers = bank->layers();
  require(std::find(layers.begin(), layers.end(), kp_layer_default) != layers.end(),
          "the bank \"Mixer\" has no layer \"Default\"");
  for (int i = 0; i < kCtrlCount; ++i) {
    const std::string got = bindingText(standard.bindingOf(i, kp_layer_default));
    const std::string want = bindingText(expectedBinding(i));
    require(got == want, "control " + quoted(kp_ctrlNames[std::size_t(i)]) + " is bound to " + got +
                             ", not " + want);
  }
}

// Writes down what the host does for the remote device, in order.
class EventRecorder : public simhost::HostObserver {
 public:
  void valueHandled(int32 index, int32 value) override {
    events.push_back("standard handling of " + std::to_string(index) + " = " +
                     std::to_string(value));
  }
  void commandExecuted(const char* category, const char* command) override {
    events.push_back("action manager runs " + text(category) + "/" + text(command));
  }
  void commandPerformed(const char* category, const char* command) override {
    events.push_back("host performs " + text(category) + "/" + text(command));
  }
  // The events since the last call.
  std::vector<std::string> take() { return std::exchange(events, {}); }

 private:
  static std::string text(const char* value) { return value != nullptr ? value : "(null)"; }
  std::vector<std::string> events;
};

void checkMessage(HostSession& session, EventRecorder& recorder, uint8 status, uint8 number,
                  uint8 value, int32 control, const std::vector<std::string>& expected) {
  const std::string message =
      "MIDI " + hex(status) + " " + std::to_string(number) + " " + std::to_string(value);
  const int32 matched = session.host().receiveMidi(session.moduleInput(), status, number, value);
  require(matched == control, message + " reached control " + std::to_string(matched) + ", not " +
                                  std::to_string(control));
  const std::vector<std::string> happened = recorder.take();
  require(happened == expected, message + " made the host do " +
                                    (happened.empty() ? "nothing" : joined(happened)) + ", not " +
                                    (expected.empty() ? "nothing" : joined(expected)));
}

}  // namespace

CheckOutcome surfaceCheck(const std::string& path) {
  HostSession session({path, {}, PortLayout::pair});
  startSession(session);
  const simhost::RemoteStandard& standard = *remoteDevice(session).standard();
  checkControls(standard);
  checkPropertiesAndFunctions(standard);
  checkBindings(standard);
  return passed("26 controls, 4 properties, 12 user functions, 25 keys bound in Mixer/Default");
}

CheckOutcome dialCheck(const std::string& path) {
  EventRecorder recorder;
  HostSession session({path, {}, PortLayout::pair});
  startSession(session);
  remoteDevice(session);
  require(session.moduleInput() != nullptr, "the session has no input port of the module");
  session.host().setObserver(&recorder);
  const std::string transport = std::string("action manager runs ") + kp_category_transport + "/";
  checkMessage(session, recorder, kControlChange, 60, kDialStepForward, kCtrlDataDial,
               {transport + kp_command_stepBar});
  checkMessage(session, recorder, kControlChange, 60, kDialStepBack, kCtrlDataDial,
               {transport + kp_command_stepBackBar});
  // Only single steps move: a turn of two steps or more in one message does nothing.
  for (const uint8 value : {0, 2, 64, 66, 127})
    checkMessage(session, recorder, kControlChange, 60, value, kCtrlDataDial, {});
  checkMessage(session, recorder, kNoteOn, 94, 127, kCtrlPlayStop,
               {"standard handling of 4 = 127", "host performs Transport/StartStop"});
  session.host().setObserver(nullptr);
  const int32 kept = session.host().actions().outstandingReferences();
  require(kept == 0, "the module kept " + std::to_string(kept) +
                         " references on the host's action manager after the dial turns");
  return passed("1 steps a bar, 65 a bar back, others nothing; Play/Stop performs StartStop");
}

CheckOutcome shutdownCheck(const std::string& path) {
  HostSession session({path, {}, PortLayout::pair});
  startSession(session);
  const std::size_t devices = session.remoteDevices().size();
  const std::vector<std::string> problems = session.stop();
  require(problems.empty(), joined(problems));
  return passed("3 components and " + std::to_string(devices) +
                " remote device ended, factory at 0, no host reference kept, unloaded");
}

}  // namespace px7000host::checks
