// FailingAllocations: makes `operator new` throw std::bad_alloc on demand, so tests can drive
// the module's own allocation failures; `moduleAllocationCount` counts the module's
// allocations for benchmarks; `DeletionWatch` counts how often one object is deleted. Link
// tests/support/failing_allocator.cpp to use any of them.
#pragma once

namespace testing_support {

// While alive, the first `allowed` allocations through `operator new` outside the simulated
// host's operations succeed and every later one fails (std::bad_alloc, or null from the nothrow
// forms). Not for use from several
// threads at once.
class FailingAllocations {
 public:
  explicit FailingAllocations(long allowed);
  ~FailingAllocations();
  FailingAllocations(const FailingAllocations&) = delete;
  FailingAllocations& operator=(const FailingAllocations&) = delete;

  // Whether an allocation was refused while this guard was alive.
  bool refusedAny() const;

  // Whether the replacement allocator is in force; a tool such as valgrind replaces it with
  // its own, and tests that need it skip themselves.
  static bool inForce();
};

// Counts the `operator delete` calls, from any thread, that give back the block at `address`
// while the watch is alive; one watch at a time. Needs the replacement allocator in force.
class DeletionWatch {
 public:
  explicit DeletionWatch(const void* address);
  ~DeletionWatch();
  DeletionWatch(const DeletionWatch&) = delete;
  DeletionWatch& operator=(const DeletionWatch&) = delete;

  int deletions() const;
};

// Allocations through `operator new` made outside the simulated host's operations since the
// program started, refused ones included: what the module itself allocated.
long moduleAllocationCount();

}  // namespace testing_support
