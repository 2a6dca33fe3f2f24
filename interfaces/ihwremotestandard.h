// The host's remote-surface framework: its standard remote, banks and function groups.
//
// All three are host objects that the module only calls. Banks and function groups stay owned
// by the host: the module neither adds nor releases references on them. Texts passed in are
// valid for the call only.
#pragma once

#include "interfaces/ihwremote.h"

namespace Quillon {

class IHWRemoteBank;
class IHWRemoteFunctionGroup;

inline constexpr TUID IHWRemoteStandard_iid =
    QUILLON_UID(0xE2F29E17, 0xC12011D8, 0xAD3E000A, 0x959B31C6);
inline constexpr TUID IHWRemoteBank_iid =
    QUILLON_UID(0x0CC43156, 0xC12111D8, 0xBD2C000A, 0x959B31C6);
inline constexpr TUID IHWRemoteBank2_iid =
    QUILLON_UID(0x2D9172FF, 0x80C24C59, 0xBF23CB6F, 0x67415538);
inline constexpr TUID IHWRemoteChannelMap_iid =
    QUILLON_UID(0x284D3DE9, 0xC12111D8, 0x8836000A, 0x959B31C6);
inline constexpr TUID IHWRemoteGroup_iid =
    QUILLON_UID(0x411DED7C, 0xC12111D8, 0x99CD000A, 0x959B31C6);

// The host's standard remote implementation, handed to IHWRemote::init. Controls are numbered
// from 0 in the order `addRemoteControl` adds them; `changeValue` reports that number.
class IHWRemoteStandard : public FUnknown {
 public:
  // Sets a property named by a four-character code (first character most significant).
  virtual bool setRemoteProperty(uint32 key, int32 value) = 0;
  virtual bool setRemoteName(const char* name) = 0;
  virtual bool setRemoteFamilyID(const char* family) = 0;
  virtual bool open() = 0;
  virtual bool close() = 0;
  virtual void resetAll() = 0;
  // Registers `count` user functions, each a triple (key name, command category, command).
  virtual bool addUserFunctions(const char** triples, int32 count) = 0;
  // Creates the bank `name`; returns it (host-owned) or null.
  virtual IHWRemoteBank* createBank(const char* name) = 0;
  // Returns the bank `name` (host-owned) or null.
  virtual IHWRemoteBank* getBank(const char* name) = 0;
  virtual void doMidiEvent(void* event) = 0;
  virtual void getMIDISysexData(void* event) = 0;
  virtual bool getMIDIData(void* event, char& status, char& data1, char& data2) = 0;
  // The standard handling of the value `value` of control `index`.
  virtual void changeValue(int32 index, int32 value) = 0;
  virtual void sendController(PHWRemoteControl* control, int32 a, int32 b) = 0;
  virtual void sendEventStandard(int32 status, int32 data1, int32 data2) = 0;
  virtual void sendStandard(void* event) = 0;
  virtual void setBankStandard(const char* bank) = 0;
  virtual void setLayerStandard(const char* layer) = 0;
  virtual void requestReset() = 0;
  // Adds a control; the record is valid for the call only.
  virtual bool addRemoteControl(PHWRemoteControl* control) = 0;
  virtual bool getRemoteControl(int32 index, PHWRemoteControl& control) = 0;
  virtual void getRemoteControlAddr(const char* name) = 0;
  virtual void forceRemoteControlUpdate(int32 index) = 0;
  virtual bool getValueProperties(int32 index, PHWRemoteValue& value) = 0;
  virtual bool getValueText(int32 index, char* text, int32 size) = 0;
  virtual bool getValueName(int32 index, char* text, int32 size) = 0;
  virtual void addTextDisplay(int32 id, int32 rows, int32 columns, int32 flags, bool visible,
                              int32 style) = 0;
  virtual bool getTextDisplayData(int32 id, int32 row, int32 column, char* text, int32 size) = 0;
  virtual bool setTextDisplayData(int32 id, int32 row, int32 column, char* text) = 0;
  virtual bool getTextDisplayRow(int32 id, int32 row, char* text, int32 size) = 0;
  virtual bool setTextDisplayRow(int32 id, int32 row, char* text) = 0;
  virtual void requestDisplaySwitch(int32 id, int32 mode) = 0;

  static const FUID iid;
};

// A bank of layers binding controls (named by their PHWRemoteControl text) to host commands.
class IHWRemoteBank : public FUnknown {
 public:
  // Not called by the module.
  virtual void reserved1() = 0;
  virtual void reserved2() = 0;
  virtual bool addLayer(const char* layer) = 0;
  // Binds `control` in `layer` to the value `value` of `section`, selected by `selector`.
  virtual bool assignValue(const char* layer, const char* control, const char* section,
                           int32 selector, const char* value, int32 flags) = 0;
  // Binds `control` in `layer` to the host command `category`/`command`.
  virtual bool assignCommand(const char* layer, const char* control, const char* category,
                             const char* command, int32 flags) = 0;
  // Creates a function group; returns it (host-owned) or null.
  virtual IHWRemoteFunctionGroup* addFunctionGroup(const char* section, const char* name, int32 a,
                                                   int32 b, int32 c) = 0;

  static const FUID iid;
};

// A group binding controls to the user functions registered with addUserFunctions.
class IHWRemoteFunctionGroup : public FUnknown {
 public:
  // Not called by the module.
  virtual void reserved1() = 0;
  virtual void reserved2() = 0;
  virtual void reserved3() = 0;
  virtual bool assignFunction(const char* layer, const char* control, const char* function,
                              int32 flags) = 0;
};

// Known identifiers of the framework whose operations the module never calls.
class IHWRemoteBank2 : public FUnknown {
 public:
  static const FUID iid;
};
class IHWRemoteChannelMap : public FUnknown {
 public:
  static const FUID iid;
};
class IHWRemoteGroup : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
