// CPluginFactory, the module's class factory, and gPluginFactory, the one live factory.
#pragma once

#include "interfaces/ipluginfactory.h"

namespace Quillon {

// Creates one component; `context` is the value given at registration. Returns the new object
// with one reference owned by the caller, or null.
using CreateFunc = FUnknown* (*)(void* context);

// The class factory: keeps the registered class records in registration order and creates
// instances on request. Owns its class array; the records are copied in at registration.
// Reference-counted: starts at 1, destroyed by the last `release`.
class CPluginFactory : public IPluginFactory3 {
 public:
  // Entries the class array grows by.
  static constexpr int32 kGrowDelta = 10;

  explicit CPluginFactory(const PFactoryInfo& info);
  virtual ~CPluginFactory();
  CPluginFactory(const CPluginFactory&) = delete;
  CPluginFactory& operator=(const CPluginFactory&) = delete;

  // Registers a class; false (nothing added) for a null record or function, or when the class
  // array cannot grow. The record is copied.
  bool registerClass(const PClassInfo* info, CreateFunc createFunc, void* context);
  bool registerClass(const PClassInfo2* info, CreateFunc createFunc, void* context);
  // A class known only by its 16-bit record: its 8-bit queries answer kFalse.
  bool registerClass(const PClassInfoW* info, CreateFunc createFunc, void* context);

  // Whether a class with the identifier `classId` is registered.
  bool isClassRegistered(const FUID& classId) const;

  // Entries allocated in the class array.
  int32 capacity() const { return maxClassCount; }

  // FUnknown
  ResultCode queryInterface(const char* iid, void** obj) override;
  uint32 addRef() override;
  uint32 release() override;

  // IPluginFactory
  ResultCode getFactoryInfo(PFactoryInfo* info) override;
  int32 countClasses() override;
  ResultCode getClassInfo(int32 index, PClassInfo* info) override;
  ResultCode createInstance(const char* classId, const char* iid, void** obj) override;

  // IPluginFactory2
  ResultCode getClassInfo2(int32 index, PClassInfo2* info) override;

  // IPluginFactory3
  ResultCode getClassInfoUnicode(int32 index, PClassInfoW* info) override;
  ResultCode setHostContext(FUnknown* context) override;

 private:
  struct ClassEntry {
    PClassInfo2 info2;  // not valid when wideOnly
    PClassInfoW infoW;  // its classId is the one lookups compare
    CreateFunc createFunc;
    void* context;
    bool wideOnly;
  };

  // Makes room for one more entry; false, with nothing changed, when allocation fails.
  bool growClasses();
  // The entry at `index`, or null when `index` is out of range.
  const ClassEntry* entryAt(int32 index) const;

  int32 refCount = 1;
  PFactoryInfo factoryInfo;
  ClassEntry* classes = nullptr;
  int32 classCount = 0;
  int32 maxClassCount = 0;
};

// The one live factory handed out by GetPluginFactory, or null. Cleared by its destructor.
extern CPluginFactory* gPluginFactory;

}  // namespace Quillon
