// The replacement `operator new` behind FailingAllocations.
#include "tests/support/failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "host/hostobject.h"

namespace {

// Negative while no guard is alive.
long remaining = -1;
bool refused = false;
std::atomic<long> moduleAllocations{0};
std::atomic<const void*> watched{nullptr};
std::atomic<int> watchedDeletions{0};

}  // namespace

namespace testing_support {

FailingAllocations::FailingAllocations(long allowed) {
  remaining = allowed;
  refused = false;
}

FailingAllocations::~FailingAllocations() { remaining = -1; }

bool FailingAllocations::refusedAny() const { return refused; }

DeletionWatch::DeletionWatch(const void* address) {
  watchedDeletions = 0;
  watched = address;
}

DeletionWatch::~DeletionWatch() { watched = nullptr; }

int DeletionWatch::deletions() const { return watchedDeletions.load(); }

long moduleAllocationCount() { return moduleAllocations.load(std::memory_order_relaxed); }

bool FailingAllocations::inForce() {
  const FailingAllocations failing(0);
  // Called through a volatile pointer: neither left out as a new-expression may be, nor
  // inlined past a tool that redirects the function.
  void* (*volatile nothrowNew)(std::size_t, const std::nothrow_t&) noexcept = &::operator new;
  void (*volatile plainDelete)(void*) noexcept = &::operator delete;
  void* probe = nothrowNew(1, std::nothrow);
  plainDelete(probe);
  return probe == nullptr;
}

}  // namespace testing_support

namespace {

// Null when the guard refuses the allocation or memory runs out.
void* allocate(std::size_t size) noexcept {
  // Only the module's own allocations fail; the simulated host's go through.
  const bool byModule = !simhost::HostCall::inside();
  if (byModule) moduleAllocations.fetch_add(1, std::memory_order_relaxed);
  const bool counted = remaining >= 0 && byModule;
  if (counted && remaining == 0) {
    refused = true;
    return nullptr;
  }
  if (counted) --remaining;
  return std::malloc(size == 0 ? 1 : size);
}

void deallocate(void* block) noexcept {
  if (block != nullptr && block == watched.load(std::memory_order_relaxed)) ++watchedDeletions;
  std::free(block);
}

void* allocateOrThrow(std::size_t size) {
  if (void* block = allocate(size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { deallocate(block); }
void operator delete[](void* block) noexcept { deallocate(block); }
void operator delete(void* block, std::size_t) noexcept { deallocate(block); }
void operator delete[](void* block, std::size_t) noexcept { deallocate(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { deallocate(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { deallocate(block); }
