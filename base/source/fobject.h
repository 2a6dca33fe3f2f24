// The reference-counted object base and the registry of singletons released at exit.
//
// Defines `FObject`, the base of heap objects that implement FUnknown with an atomic count,
// answer class-name tests and tell their changes to dependents through the one process-wide
// update handler, and `Singleton`, which releases registered singletons when the module
// unloads.
#pragma once

#include "interfaces/funknown.h"
#include "interfaces/iupdatehandler.h"

namespace Quillon {

template <class T>
class TArray;

// A reference-counted object: its creator holds the first reference, and the last `release`
// destroys it. Derived classes name themselves by overriding `isA()` and `isTypeOf`, and
// answer their own interfaces in `queryInterface` before handing the rest to FObject's.
// Never copied.
class FObject : public IDependent {
 public:
  FObject() = default;
  FObject(const FObject&) = delete;
  FObject& operator=(const FObject&) = delete;

  // Answers FUnknown, IDependent and FObject::iid with this object and one more reference;
  // anything else stores null and returns kNotFound.
  ResultCode queryInterface(const char* iid, void** obj) override;
  // Adds a reference; returns the count this step produced.
  uint32 addRef() override;
  // Drops a reference; the last one destroys the object and returns 0. Otherwise returns the
  // count this step produced (other threads may have changed it since).
  uint32 release() override;
  // Told that `changedUnknown` changed; FObject ignores it.
  void update(FUnknown* changedUnknown, int32 message) override;

  virtual ~FObject();

  // The class's own name ("FObject"); static text.
  virtual const char* isA() const { return "FObject"; }
  // Whether `name` is this class's own name; same as isTypeOf(name, false).
  virtual bool isA(const char* name) const { return isTypeOf(name, false); }
  // Whether `name` is this class's name or, when `askBaseClass`, a base class's. Case
  // sensitive; false for null.
  virtual bool isTypeOf(const char* name, bool askBaseClass = true) const;
  // Tells the update handler that this object changed; without one, calls updateDone().
  virtual void changed(int32 message = 0);
  // Asks the update handler to tell the change later; without one, calls updateDone() now.
  virtual void deferUpdate(int32 message = 0);
  // Runs when a change was announced with no update handler installed; does nothing here.
  virtual void updateDone() {}

  // Registers (removes) `dependent` with the update handler; nothing without one.
  void addDependent(IDependent* dependent);
  void removeDependent(IDependent* dependent);

  // The process-wide update handler, borrowed; null unless its owner installs one.
  static IUpdateHandler* gUpdateHandler;
  // FObject's identifier: a fresh one, generated when the module loads.
  static const FUID iid;

 protected:
  // The value the count holds once destruction has begun.
  static constexpr int32 kDestroyedCount = -1000;

  // Changed only atomically.
  int32 volatile refCount = 1;
};

// Releases registered singletons when the module unloads, first registered first. Holds
// class-wide state only.
class Singleton {
 public:
  // Registers the caller's pointer variable `instancePointer` (a static that holds one
  // reference): at exit its object is released and the variable set to null. Ignored for null
  // and once exit has begun. Throws std::bad_alloc when the registry cannot grow.
  static void registerInstance(FObject** instancePointer);
  // True once the module's exit has begun.
  static bool isTerminated() { return singletonsTerminated; }

 private:
  // Its destructor, run at exit, releases the singletons.
  class Deleter {
   public:
    Deleter() = default;
    ~Deleter();
    Deleter(const Deleter&) = delete;
    Deleter& operator=(const Deleter&) = delete;
  };

  static bool singletonsTerminated;
  static TArray<FObject**>* singletonInstances;
  static Deleter deleter;
};

}  // namespace Quillon
