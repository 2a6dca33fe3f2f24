// Speed of the runtime's hot paths against the least code that does the same work.
//
// Targets: FObject's addRef/release pair at most 1.5 x an atomic count behind virtual calls;
// FLock's lock/unlock at most 1.5 x std::recursive_mutex; appending to a doubling TArray at
// most 3 x std::vector (its slots start as null elements and every operation is virtual); an
// uncontended FSemaphore release/acquire at most 3 x a POSIX sem_t (it queues waiters in
// order under a mutex, which sem_t does not).
#include <semaphore.h>

#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "base/source/flock.h"
#include "base/source/fobject.h"
#include "base/source/tarray.h"
#include "bench/ratio_reporter.h"

namespace Quillon {
namespace {

// Keeps a second thread alive, so that neither side may count on a single-threaded program
// (the C++ library drops the atomic steps of shared_ptr when it knows of no other thread).
class SecondThread {
 public:
  SecondThread() : thread([this] { stopped.wait(); }) {}
  ~SecondThread() {
    stop.set_value();
    thread.join();
  }

 private:
  std::promise<void> stop;
  std::shared_future<void> stopped = stop.get_future().share();
  std::thread thread;
};

void BM_FObject_addRefRelease(benchmark::State& state) {
  const SecondThread other;
  FUnknown* object = new FObject;
  benchmark::DoNotOptimize(object);  // a call through the interface, as callers make it
  for (auto _ : state) {
    object->addRef();
    benchmark::DoNotOptimize(object->release());
  }
  object->release();
}
BENCHMARK(BM_FObject_addRefRelease);

// The least a shared object's count can cost: one atomic step up and one down on a heap
// counter, each behind a virtual call that is not inlined.
class CountedReference {
 public:
  virtual ~CountedReference() = default;
  __attribute__((noinline)) virtual uint32 addRef() {
    return uint32(__atomic_add_fetch(&count, 1, __ATOMIC_SEQ_CST));
  }
  __attribute__((noinline)) virtual uint32 release() {
    return uint32(__atomic_sub_fetch(&count, 1, __ATOMIC_SEQ_CST));
  }

 private:
  int32 count = 1;
};

void BM_FObject_addRefRelease_reference(benchmark::State& state) {
  const SecondThread other;
  auto* object = new CountedReference;
  benchmark::DoNotOptimize(object);
  for (auto _ : state) {
    object->addRef();
    benchmark::DoNotOptimize(object->release());
  }
  delete object;
}
BENCHMARK(BM_FObject_addRefRelease_reference)->Name("BM_FObject_addRefRelease/reference");

void BM_FLock_lockUnlock(benchmark::State& state) {
  FLock lock;
  for (auto _ : state) {
    lock.lock();
    lock.unlock();
  }
}
BENCHMARK(BM_FLock_lockUnlock);

void BM_FLock_lockUnlock_reference(benchmark::State& state) {
  std::recursive_mutex mutex;
  for (auto _ : state) {
    mutex.lock();
    mutex.unlock();
  }
}
BENCHMARK(BM_FLock_lockUnlock_reference)->Name("BM_FLock_lockUnlock/reference");

constexpr int kAppends = 1000;
int target;

void BM_TArray_append(benchmark::State& state) {
  for (auto _ : state) {
    TArray<int*> array(0, -1);
    for (int i = 0; i < kAppends; ++i) array.add(&target);
    benchmark::DoNotOptimize(array.at(kAppends - 1));
  }
}
BENCHMARK(BM_TArray_append);

void BM_TArray_append_reference(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<int*> vector;
    for (int i = 0; i < kAppends; ++i) vector.push_back(&target);
    benchmark::DoNotOptimize(vector.back());
  }
}
BENCHMARK(BM_TArray_append_reference)->Name("BM_TArray_append/reference");

void BM_FSemaphore_releaseAcquire(benchmark::State& state) {
  FSemaphore semaphore;
  for (auto _ : state) {
    semaphore.release(1);
    benchmark::DoNotOptimize(semaphore.acquire(-1));
  }
}
BENCHMARK(BM_FSemaphore_releaseAcquire);

void BM_FSemaphore_releaseAcquire_reference(benchmark::State& state) {
  sem_t semaphore;
  sem_init(&semaphore, 0, 0);
  for (auto _ : state) {
    sem_post(&semaphore);
    benchmark::DoNotOptimize(sem_wait(&semaphore));
  }
  sem_destroy(&semaphore);
}
BENCHMARK(BM_FSemaphore_releaseAcquire_reference)->Name("BM_FSemaphore_releaseAcquire/reference");

}  // namespace
}  // namespace Quillon

int main(int argc, char** argv) { return px7000::bench::runWithRatios(argc, argv); }
