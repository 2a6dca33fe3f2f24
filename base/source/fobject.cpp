// FObject's counting, class-name tests and change notices; the singleton registry.
#include "base/source/fobject.h"

#include <cstring>

#include "base/source/fatomic.h"
#include "base/source/tarray.h"

namespace Quillon {
namespace {

// An identifier that no other process shares; all zero only if the system has no random
// source.
FUID freshIdentifier() {
  FUID id;
  id.generate();
  return id;
}

}  // namespace

//------------------------------------------------------------------------------------------------
// Class-wide state, in the order it must be built: the identifier first, so that it is
// destroyed after the deleter has released the singletons.
//------------------------------------------------------------------------------------------------

IUpdateHandler* FObject::gUpdateHandler = nullptr;
const FUID FObject::iid = freshIdentifier();

bool Singleton::singletonsTerminated = false;
TArray<FObject**>* Singleton::singletonInstances = nullptr;
Singleton::Deleter Singleton::deleter;

//------------------------------------------------------------------------------------------------
// FObject
//------------------------------------------------------------------------------------------------

FObject::~FObject() = default;

ResultCode FObject::queryInterface(const char* iid, void** obj) {
  return answerQueryInterface(*this, iid, obj,
                              {{FUnknown::iid, static_cast<FUnknown*>(this)},
                               {IDependent::iid, static_cast<IDependent*>(this)},
                               {FObject::iid, this}});
}

// Both return the count their own atomic step produced. After a decrement that does not
// destroy the object, another thread's release may destroy it at once, so nothing may read
// the object again.
uint32 FObject::addRef() { return uint32(FAtomicIncrement(refCount) + 1); }

uint32 FObject::release() {
  const int32 before = FAtomicDecrement(refCount);
  if (before == 1) {
    refCount = kDestroyedCount;
    delete this;
    return 0;
  }
  return uint32(before - 1);
}

void FObject::update(FUnknown*, int32) {}

bool FObject::isTypeOf(const char* name, bool) const {
  return name != nullptr && std::strcmp(name, "FObject") == 0;
}

void FObject::changed(int32 message) {
  if (gUpdateHandler != nullptr)
    gUpdateHandler->notifyChanged(this, message);
  else
    updateDone();
}

void FObject::deferUpdate(int32 message) {
  if (gUpdateHandler != nullptr)
    gUpdateHandler->notifyDeferred(this, message);
  else
    updateDone();
}

void FObject::addDependent(IDependent* dependent) {
  if (gUpdateHandler != nullptr) gUpdateHandler->addDependent(this, dependent);
}

void FObject::removeDependent(IDependent* dependent) {
  if (gUpdateHandler != nullptr) gUpdateHandler->removeDependent(this, dependent);
}

//------------------------------------------------------------------------------------------------
// Singleton
//------------------------------------------------------------------------------------------------

void Singleton::registerInstance(FObject** instancePointer) {
  if (singletonsTerminated || instancePointer == nullptr) return;
  if (singletonInstances == nullptr) singletonInstances = new TArray<FObject**>(0, 10);
  singletonInstances->add(instancePointer);
}

Singleton::Deleter::~Deleter() {
  // From here on registrations are ignored, also those made by the destructors run below.
  singletonsTerminated = true;
  if (singletonInstances == nullptr) return;
  {
    const std::unique_ptr<TIterator<FObject**>> walk(singletonInstances->newIterator());
    while (!walk->done()) {
      FObject** instancePointer = walk->next();
      // The owner may have cleared it, or the address was registered twice.
      if (*instancePointer == nullptr) continue;
      (*instancePointer)->release();
      *instancePointer = nullptr;
    }
  }
  delete singletonInstances;
  singletonInstances = nullptr;
}

}  // namespace Quillon
