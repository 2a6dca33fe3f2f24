// The simulated host's remote-surface framework: the standard remote, its banks and their
// function groups. Each keeps copies of what the module declares, for tests to read back.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/hostobject.h"
#include "host/hostservices.h"
#include "interfaces/ihwremotestandard.h"

namespace simhost {

// A control as the module declared it.
struct DeclaredControl {
  std::string name;
  Quillon::uint8 midiStatus;
  Quillon::uint16 midiNumber;
  int32 maxValue;
  int32 controlFlags;
};

// One binding of a control in a layer: to a command, a value or a user function.
struct Assignment {
  std::string layer, control, category, target;
  int32 selector;
  int32 flags;
};

// What the host finds bound to a control: a command, a value or a user function.
struct Binding {
  enum class Kind { none, command, value, userFunction };
  Kind kind = Kind::none;
  std::string bank;
  std::string category;  // command category, value section, or the user function's category
  std::string target;    // command, value name, or the user function's command
  std::string function;  // the user function's name (userFunction only)
  int32 selector = 0;
  int32 flags = 0;
};

// Room for the bindings a remote declares at once, so that declaring them moves none.
inline constexpr std::size_t kTypicalBindings = 32;

// Binds controls to user functions by name.
class RemoteFunctionGroup : public HostInterfaces<Quillon::IHWRemoteFunctionGroup> {
 public:
  RemoteFunctionGroup(HostState& state, std::string label, std::string section, std::string name)
      : HostInterfaces(state, std::move(label)),
        section(std::move(section)),
        name(std::move(name)) {
    assigned.reserve(kTypicalBindings);
  }

  const std::vector<Assignment>& functions() const { return assigned; }

  void reserved1() override { const HostCall inHost = record("reserved1"); }
  void reserved2() override { const HostCall inHost = record("reserved2"); }
  void reserved3() override { const HostCall inHost = record("reserved3"); }
  bool assignFunction(const char* layer, const char* control, const char* function,
                      int32 flags) override;

  const std::string section, name;

 private:
  std::vector<Assignment> assigned;
};

// A bank: its layers, command and value bindings and function groups.
class RemoteBank : public HostInterfaces<Quillon::IHWRemoteBank> {
 public:
  RemoteBank(HostState& state, std::string name)
      : HostInterfaces(state, "bank:" + name), bankName(std::move(name)) {
    commandBindings.reserve(kTypicalBindings);
    valueBindings.reserve(kTypicalBindings);
  }

  const std::string& name() const { return bankName; }
  const std::vector<std::string>& layers() const { return layerNames; }
  const std::vector<Assignment>& commands() const { return commandBindings; }
  const std::vector<Assignment>& values() const { return valueBindings; }
  std::vector<RemoteFunctionGroup*> functionGroups() const;
  // Makes addFunctionGroup return null while set.
  void setRefuseFunctionGroups(bool refuse) { refuseGroups = refuse; }

  void reserved1() override { const HostCall inHost = record("reserved1"); }
  void reserved2() override { const HostCall inHost = record("reserved2"); }
  bool addLayer(const char* layer) override;
  bool assignValue(const char* layer, const char* control, const char* section, int32 selector,
                   const char* value, int32 flags) override;
  bool assignCommand(const char* layer, const char* control, const char* category,
                     const char* command, int32 flags) override;
  Quillon::IHWRemoteFunctionGroup* addFunctionGroup(const char* section, const char* name, int32 a,
                                                    int32 b, int32 c) override;

 private:
  std::vector<std::string> layerNames;
  std::vector<Assignment> commandBindings, valueBindings;
  std::string bankName;
  std::vector<std::unique_ptr<RemoteFunctionGroup>> groups;
  bool refuseGroups = false;
};

// The host's standard remote for one remote device. It numbers controls in the order added and
// records every other call with its arguments.
class RemoteStandard : public HostInterfaces<Quillon::IHWRemoteStandard> {
 public:
  explicit RemoteStandard(HostState& state, std::string label = "remote")
      : HostInterfaces(state, std::move(label)) {}

  // Makes the standard handling carry out what a control is bound to, as a host does: a value
  // other than 0 (a press) of a control bound to a command or a user function in the active
  // layer performs that command through `actions` (borrowed; null stops it). Value bindings
  // are only recorded. The active layer is the one last set through setLayerStandard, else the
  // first layer declared.
  void performBindingsWith(ActionManager* actions) { performer = actions; }

  const std::map<Quillon::uint32, int32>& properties() const { return remoteProperties; }
  const std::string& name() const { return remoteName; }
  const std::string& familyId() const { return remoteFamily; }
  const std::vector<std::array<std::string, 3>>& userFunctions() const { return functions; }
  const std::vector<DeclaredControl>& controls() const { return declared; }
  // Values handed to the standard handling, as (index, value), in order.
  const std::vector<std::pair<int32, int32>>& standardValues() const { return valuesHandled; }
  // The bank `name`, or null.
  RemoteBank* bank(const std::string& name) const;
  // The number of the first control declared with MIDI message `status`/`number`, or -1.
  int32 controlFor(Quillon::uint8 status, Quillon::uint16 number) const;
  // What control `index` is bound to in `layer` of the first bank that binds it; a binding to a
  // user function carries that function's category and command. Kind::none when the index is
  // unknown or nothing binds the control.
  Binding bindingOf(int32 index, const std::string& layer) const;
  // The layer whose bindings a press performs: the last set through setLayerStandard, else the
  // first declared (empty when none).
  std::string layerInForce() const;
  // Makes createBank return null while set.
  void setRefuseBanks(bool refuse) { refuseBanks = refuse; }
  // Makes the banks created later refuse function groups (see RemoteBank).
  void setRefuseFunctionGroups(bool refuse) { refuseGroups = refuse; }

  bool setRemoteProperty(Quillon::uint32 key, int32 value) override;
  bool setRemoteName(const char* name) override;
  bool setRemoteFamilyID(const char* family) override;
  bool open() override;
  bool close() override;
  void resetAll() override;
  bool addUserFunctions(const char** triples, int32 count) override;
  Quillon::IHWRemoteBank* createBank(const char* name) override;
  Quillon::IHWRemoteBank* getBank(const char* name) override;
  void doMidiEvent(void* event) override;
  void getMIDISysexData(void* event) override;
  bool getMIDIData(void* event, char& status, char& data1, char& data2) override;
  void changeValue(int32 index, int32 value) override;
  void sendController(Quillon::PHWRemoteControl* control, int32 a, int32 b) override;
  void sendEventStandard(int32 status, int32 data1, int32 data2) override;
  void sendStandard(void* event) override;
  void setBankStandard(const char* bank) override;
  void setLayerStandard(const char* layer) override;
  void requestReset() override;
  bool addRemoteControl(Quillon::PHWRemoteControl* control) override;
  bool getRemoteControl(int32 index, Quillon::PHWRemoteControl& control) override;
  void getRemoteControlAddr(const char* name) override;
  void forceRemoteControlUpdate(int32 index) override;
  bool getValueProperties(int32 index, Quillon::PHWRemoteValue& value) override;
  bool getValueText(int32 index, char* text, int32 size) override;
  bool getValueName(int32 index, char* text, int32 size) override;
  void addTextDisplay(int32 id, int32 rows, int32 columns, int32 flags, bool visible,
                      int32 style) override;
  bool getTextDisplayData(int32 id, int32 row, int32 column, char* text, int32 size) override;
  bool setTextDisplayData(int32 id, int32 row, int32 column, char* text) override;
  bool getTextDisplayRow(int32 id, int32 row, char* text, int32 size) override;
  bool setTextDisplayRow(int32 id, int32 row, char* text) override;
  void requestDisplaySwitch(int32 id, int32 mode) override;

 private:
  std::map<Quillon::uint32, int32> remoteProperties;
  std::string remoteName, remoteFamily;
  std::vector<std::array<std::string, 3>> functions;
  std::vector<DeclaredControl> declared;
  std::vector<std::pair<int32, int32>> valuesHandled;
  std::vector<std::unique_ptr<RemoteBank>> banks;
  bool refuseBanks = false;
  bool refuseGroups = false;
  ActionManager* performer = nullptr;
  std::string activeLayer;

  Binding bindingIn(const RemoteBank& bank, const std::string& control,
                    const std::string& layer) const;
};

}  // namespace simhost
