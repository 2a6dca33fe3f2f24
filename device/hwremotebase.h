// HWRemoteBase: the base class of remote-surface components.
//
// It implements IHWRemote for the host and hands nearly every operation on to the host's
// standard remote (IHWRemoteStandard), which arrives with `init`. A device class overrides only
// what differs from the standard behaviour and declares its surface through the forwarders,
// each of which calls the standard remote's operation of the same name.
#pragma once

#include "device/componentrefcount.h"
#include "interfaces/ihwremotestandard.h"

namespace Quillon {

// Does not own the standard remote: it is borrowed from `init`, without a reference, until the
// next `init` or the object's end (`term` keeps it). Counted by `addRef`/`release`; starts at 1.
class HWRemoteBase : public IHWRemote {
 public:
  HWRemoteBase() = default;
  HWRemoteBase(const HWRemoteBase&) = delete;
  HWRemoteBase& operator=(const HWRemoteBase&) = delete;

  // Answers FUnknown, IPluginBase and IHWRemote with the object itself.
  ResultCode queryInterface(const char* iid, void** obj) override;
  uint32 addRef() override;
  uint32 release() override;
  // Both kOk; the context is not used.
  ResultCode initialize(FUnknown* context) override;
  ResultCode terminate() override;

  // Keeps `standard` (null returns the object to having none); true.
  bool init(IHWRemoteStandard* standard) override;
  // True; the standard remote stays.
  bool term() override;
  // Without a standard remote, `open` and `close` report false and the others do nothing.
  bool open() override;
  bool close() override;
  void resetAll() override;
  void changeValue(int32 index, int32 value) override;
  void doMidiEvent(void* event) override;
  void sendController(PHWRemoteControl* control, int32 a, int32 b) override;
  // Do nothing.
  void sendText(const char* text, int32 a, int32 b) override;
  void activateBank(const char* bank) override;
  void deactivateBank(const char* bank) override;
  void activateLayer(const char* layer) override;
  void onIdle() override;

 protected:
  // Destroyed only by the last `release`.
  virtual ~HWRemoteBase() = default;
  template <class Component>
  friend uint32(::detail::releaseComponentReference)(Component*, Quillon::int32&);

  // The forwarders: each calls the standard remote's operation of the same name
  // (`changeValueStandard` calls `changeValue`) and returns its result unchanged. Without a
  // standard remote they call nothing and return false, null or nothing.
  virtual bool setRemoteProperty(uint32 key, int32 value);
  virtual bool setRemoteName(const char* name);
  virtual bool setRemoteFamilyID(const char* family);
  virtual bool addUserFunctions(const char** triples, int32 count);
  // The bank is the host's; no reference is taken on it.
  virtual IHWRemoteBank* createBank(const char* name);
  virtual IHWRemoteBank* getBank(const char* name);
  virtual void getMIDISysexData(void* event);
  virtual bool getMIDIData(void* event, char& status, char& data1, char& data2);
  virtual void changeValueStandard(int32 index, int32 value);
  virtual void sendEventStandard(int32 status, int32 data1, int32 data2);
  virtual void sendStandard(void* event);
  virtual void setBankStandard(const char* bank);
  virtual void setLayerStandard(const char* layer);
  virtual void requestReset();
  // The record is read during the call only.
  virtual bool addRemoteControl(PHWRemoteControl* control);
  virtual bool getRemoteControl(int32 index, PHWRemoteControl& control);
  virtual void getRemoteControlAddr(const char* name);
  virtual void forceRemoteControlUpdate(int32 index);
  virtual bool getValueProperties(int32 index, PHWRemoteValue& value);
  virtual bool getValueText(int32 index, char* text, int32 size);
  virtual bool getValueName(int32 index, char* text, int32 size);
  virtual void addTextDisplay(int32 id, int32 rows, int32 columns, int32 flags, bool visible,
                              int32 style);
  virtual bool getTextDisplayData(int32 id, int32 row, int32 column, char* text, int32 size);
  virtual bool setTextDisplayData(int32 id, int32 row, int32 column, char* text);
  virtual bool getTextDisplayRow(int32 id, int32 row, char* text, int32 size);
  virtual bool setTextDisplayRow(int32 id, int32 row, char* text);
  virtual void requestDisplaySwitch(int32 id, int32 mode);

 private:
  // Calls `operation` on the standard remote, or returns R() without one.
  template <class R, class... Parameters, class... Arguments>
  R forward(R (IHWRemoteStandard::*operation)(Parameters...), Arguments&&... arguments) const;

  int32 refCount = 1;
  IHWRemoteStandard* standard = nullptr;
};

}  // namespace Quillon
