// The drum module's remote surface: its declaration to the host and the data dial.
#include "device/px7000_hwremote.h"

#include <cstring>
#include <new>

#include "device/hostglobals.h"
#include "device/px7000_surface.h"
#include "interfaces/iactionmanager.h"

using namespace Quillon;

FUnknown* PX7000_HWRemote::createInstance(void*) {
  return static_cast<IHWRemote*>(new (std::nothrow) PX7000_HWRemote);
}

bool PX7000_HWRemote::init(IHWRemoteStandard* standard) {
  if (gp_hostClasses == nullptr) return false;
  // A surface declared to nobody is not a success; the object is left without a remote.
  if (standard == nullptr) {
    HWRemoteBase::init(nullptr);
    return false;
  }
  PHWRemoteControl controls[kCtrlCount];
  for (int32 i = 0; i < kCtrlCount; ++i) {
    const PX7000_ControlRow& row = kp_controls[i];
    std::memset(static_cast<void*>(&controls[i]), 0, sizeof controls[i]);
    controls[i].name = kp_ctrlNames[std::size_t(i)];
    controls[i].midiStatus = row.midiStatus;
    controls[i].midiNumber = row.midiNumber;
    controls[i].maxValue = row.maxValue;
    controls[i].controlFlags = row.controlFlags;
  }
  HWRemoteBase::init(standard);

  for (const PX7000_RemoteProperty& property : kp_remoteProperties)
    setRemoteProperty(property.key, property.value);
  SetUserCommands();
  for (PHWRemoteControl& control : controls) addRemoteControl(&control);

  IHWRemoteBank* bank = createBank(kp_bank_default);
  if (bank == nullptr) return true;
  AssignControls(bank);
  AssignUserCommands(bank);
  return true;
}

bool PX7000_HWRemote::term() { return true; }

void PX7000_HWRemote::changeValue(int32 index, int32 value) {
  if (index != kCtrlDataDial) {
    HWRemoteBase::changeValue(index, value);
    return;
  }
  FInstancePtr<IActionManager> actions(gp_hostClasses);
  if (!actions) return;
  if (value == kDialStepForward) {
    actions->executeCommand(kp_category_transport, kp_command_stepBar);
  } else if (value == kDialStepBack) {
    actions->executeCommand(kp_category_transport, kp_command_stepBackBar);
  }
}

void PX7000_HWRemote::SetUserCommands() {
  // Built afresh each time, so a change of host identity takes effect at the next `init`.
  const char* triples[3 * kUserFunctionCount];
  for (int i = 0; i < kUserFunctionCount; ++i) {
    const PX7000_UserFunction& function = kp_userFunctions[i];
    triples[3 * i] = kp_ctrlNames[std::size_t(function.key)];
    triples[3 * i + 1] = g_isTessera5 ? function.categoryTessera5 : function.category;
    triples[3 * i + 2] = function.command;
  }
  addUserFunctions(triples, kUserFunctionCount);
}

void PX7000_HWRemote::AssignControls(IHWRemoteBank* bank) const {
  if (bank == nullptr) return;
  bank->addLayer(kp_layer_default);
  for (const PX7000_Assignment& row : kp_fixedAssignments) {
    const char* control = kp_ctrlNames[std::size_t(row.control)];
    if (row.kind == PX7000_Assignment::command) {
      bank->assignCommand(kp_layer_default, control, row.categoryOrSection, row.target, row.flags);
    } else {
      bank->assignValue(kp_layer_default, control, row.categoryOrSection, row.selector, row.target,
                        row.flags);
    }
  }
}

void PX7000_HWRemote::AssignUserCommands(IHWRemoteBank* bank) const {
  if (bank == nullptr) return;
  IHWRemoteFunctionGroup* group =
      bank->addFunctionGroup(kp_userFunctionSection, kp_userFunctionGroup, 0, -1, 0);
  if (group == nullptr) return;
  for (const PX7000_UserFunction& function : kp_userFunctions) {
    const char* key = kp_ctrlNames[std::size_t(function.key)];
    group->assignFunction(kp_layer_default, key, key, 0);
  }
}
