// The class factory: registration, record queries and instance creation.
#include "module/pluginfactory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace Quillon {

CPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {}

CPluginFactory::~CPluginFactory() {
  if (gPluginFactory == this) gPluginFactory = nullptr;
  std::free(classes);
}

bool CPluginFactory::growClasses() {
  // Entries are plain records and pointers, so realloc may move them.
  static_assert(std::is_trivially_copyable_v<ClassEntry>, "ClassEntry is moved by realloc");
  const int32 newCount = maxClassCount + kGrowDelta;
  void* grown = std::realloc(classes, sizeof(ClassEntry) * std::size_t(newCount));
  if (grown == nullptr) return false;
  classes = static_cast<ClassEntry*>(grown);
  maxClassCount = newCount;
  return true;
}

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunc createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  // PClassInfo is the leading part of PClassInfo2, field for field (asserted with the records).
  PClassInfo2 info2;
  std::memcpy(static_cast<void*>(&info2), info, sizeof(PClassInfo));
  return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunc createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  if (classCount == maxClassCount && !growClasses()) return false;
  ClassEntry* entry =
      ::new (&classes[classCount]) ClassEntry{*info, PClassInfoW(), createFunc, context, false};
  entry->infoW.fromAscii(*info);
  ++classCount;
  return true;
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunc createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  if (classCount == maxClassCount && !growClasses()) return false;
  ::new (&classes[classCount]) ClassEntry{PClassInfo2(), *info, createFunc, context, true};
  ++classCount;
  return true;
}

bool CPluginFactory::isClassRegistered(const FUID& classId) const {
  for (int32 i = 0; i < classCount; ++i)
    if (iidEqual(classes[i].infoW.classId, classId)) return true;
  return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
  if (index < 0 || index >= classCount) return nullptr;
  return &classes[index];
}

ResultCode CPluginFactory::queryInterface(const char* iid, void** obj) {
  return answerQueryInterface(*this, iid, obj,
                              {{IPluginFactory::iid, this},
                               {IPluginFactory2::iid, this},
                               {IPluginFactory3::iid, this},
                               {FUnknown::iid, this}});
}

uint32 CPluginFactory::addRef() { return uint32(atomicAdd(refCount, 1)); }

uint32 CPluginFactory::release() {
  // The count the atomic step produced is returned: reading it again could race with the
  // destruction by another thread's last release.
  const int32 remaining = atomicAdd(refCount, -1);
  if (remaining == 0) {
    delete this;
    return 0;
  }
  return uint32(remaining);
}

ResultCode CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (info != nullptr) *info = factoryInfo;
  return kOk;
}

int32 CPluginFactory::countClasses() { return classCount; }

ResultCode CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kBadArgument;
  if (entry->wideOnly) {
    *info = PClassInfo();
    return kFalse;
  }
  std::memcpy(static_cast<void*>(info), &entry->info2, sizeof(PClassInfo));
  return kOk;
}

ResultCode CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kBadArgument;
  if (entry->wideOnly) {
    *info = PClassInfo2();
    return kFalse;
  }
  *info = entry->info2;
  return kOk;
}

ResultCode CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kBadArgument;
  *info = entry->infoW;
  return kOk;
}

ResultCode CPluginFactory::createInstance(const char* classId, const char* iid, void** obj) {
  // Nowhere to hand an instance to: create nothing rather than leak it.
  if (obj == nullptr) return kNotFound;
  *obj = nullptr;
  if (classId == nullptr || iid == nullptr) return kNotFound;

  const ClassEntry* entry = nullptr;
  for (int32 i = 0; i < classCount && entry == nullptr; ++i)
    if (std::memcmp(classes[i].infoW.classId, classId, 16) == 0) entry = &classes[i];
  if (entry == nullptr) return kNotFound;

  FUnknown* instance = nullptr;
  try {
    instance = entry->createFunc(entry->context);
  } catch (const std::bad_alloc&) {
    // The module's own allocation failure becomes the operation's failure result.
    return kNotFound;
  }
  if (instance == nullptr) return kNotFound;

  // On success the instance lives on the reference queryInterface added for the caller.
  const ResultCode result = instance->queryInterface(iid, obj);
  instance->release();
  if (result == kOk) return kOk;
  *obj = nullptr;
  return kNotFound;
}

ResultCode CPluginFactory::setHostContext(FUnknown* /*context*/) { return kOk; }

}  // namespace Quillon
