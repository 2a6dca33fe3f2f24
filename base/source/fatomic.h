// Atomic integer operations with full barriers, for reference counts and lock-free counters.
//
// Defines `FAtomicIncrement`, `FAtomicDecrement`, `FAtomicAdd` and `FAtomicCompareAndSwap`.
// Each is one sequentially consistent read-modify-write step on a 32-bit integer, so every
// memory access before it is visible to a thread that observes its result.
#pragma once

#include "interfaces/ftypes.h"

namespace Quillon {

// Adds 1 to `v`; returns the value before the step.
inline int32 FAtomicIncrement(int32 volatile& v) {
  return __atomic_fetch_add(&v, 1, __ATOMIC_SEQ_CST);
}

// Subtracts 1 from `v`; returns the value before the step.
inline int32 FAtomicDecrement(int32 volatile& v) {
  return __atomic_fetch_sub(&v, 1, __ATOMIC_SEQ_CST);
}

// Adds `delta` to `v`; returns the value before the step.
inline int32 FAtomicAdd(int32 volatile& v, int32 delta) {
  return __atomic_fetch_add(&v, delta, __ATOMIC_SEQ_CST);
}

// Stores `newValue` in `v` if `v` equals `oldValue`; true when it stored.
inline bool FAtomicCompareAndSwap(int32 volatile& v, int32 oldValue, int32 newValue) {
  return __atomic_compare_exchange_n(&v, &oldValue, newValue, false, __ATOMIC_SEQ_CST,
                                     __ATOMIC_SEQ_CST);
}

// Reads `v` as one atomic load; for counters that other threads change.
inline int32 FAtomicLoad(const int32 volatile& v) { return __atomic_load_n(&v, __ATOMIC_SEQ_CST); }

}  // namespace Quillon
