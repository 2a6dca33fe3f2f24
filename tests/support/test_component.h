// A test-only component: answers FUnknown and IPluginBase and counts its instances.
#pragma once

#include <new>

#include "interfaces/ipluginbase.h"

namespace Quillon::testing_support {

// Reference-counted like the module's components; counts live and destroyed instances so tests
// can tell that nothing was left behind and nothing destroyed twice.
class TestComponent : public IPluginBase {
 public:
  static inline int live = 0;
  static inline int destroyed = 0;

  static void resetCounts() { live = destroyed = 0; }

  TestComponent() { ++live; }
  virtual ~TestComponent() {
    --live;
    ++destroyed;
  }
  TestComponent(const TestComponent&) = delete;
  TestComponent& operator=(const TestComponent&) = delete;

  ResultCode queryInterface(const char* iid, void** obj) override {
    return answerQueryInterface(*this, iid, obj, {{FUnknown::iid, this}, {IPluginBase::iid, this}});
  }
  uint32 addRef() override { return uint32(atomicAdd(refCount, 1)); }
  uint32 release() override {
    const int32 remaining = atomicAdd(refCount, -1);
    if (remaining == 0) {
      delete this;
      return 0;
    }
    return uint32(remaining);
  }
  ResultCode initialize(FUnknown*) override { return kOk; }
  ResultCode terminate() override { return kOk; }

  int32 count() const { return refCount; }

  // Creation functions for the class factory. `create` counts its calls in `*context` (an int)
  // when one is given.
  static FUnknown* create(void* context) {
    if (context != nullptr) ++*static_cast<int*>(context);
    return static_cast<IPluginBase*>(new TestComponent);
  }
  static FUnknown* createNothing(void*) { return nullptr; }
  static FUnknown* createOutOfMemory(void*) { throw std::bad_alloc(); }

 private:
  int32 refCount = 1;
};

}  // namespace Quillon::testing_support
