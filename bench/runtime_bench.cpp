// Speed of the runtime's hot paths against the standard library doing the same work.
//
// Targets: FObject's addRef/release pair and FLock's lock/unlock at most 1.5 x std::shared_ptr
// copies and std::recursive_mutex; appending to a doubling TArray at most 3 x std::vector (its
// slots start as null elements and every operation is virtual); an uncontended FSemaphore
// release/acquire at most 3 x a POSIX sem_t (it queues waiters in order under a mutex, which
// sem_t does not).
#include <semaphore.h>

#include <memory>
#include <mutex>
#include <vector>

#include "base/source/flock.h"
#include "base/source/fobject.h"
#include "base/source/tarray.h"
#include "bench/ratio_reporter.h"

namespace Quillon {
namespace {

void BM_FObject_addRefRelease(benchmark::State& state) {
  auto* object = new FObject;
  for (auto _ : state) {
    object->addRef();
    benchmark::DoNotOptimize(object->release());
  }
  object->release();
}
BENCHMARK(BM_FObject_addRefRelease);

void BM_FObject_addRefRelease_reference(benchmark::State& state) {
  const auto shared = std::make_shared<int>(0);
  for (auto _ : state) {
    std::shared_ptr<int> copy = shared;
    benchmark::DoNotOptimize(copy);
  }
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
