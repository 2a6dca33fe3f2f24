// The reference counting that every component of the module shares: one atomic add with a full
// barrier per change, destruction at zero.
#pragma once

#include "interfaces/funknown.h"

namespace detail {

// Adds a reference to `count`; returns the new count.
inline Quillon::uint32 addComponentReference(Quillon::int32& count) {
  return Quillon::uint32(Quillon::FUnknown::atomicAdd(count, 1));
}

// Drops a reference from `count` and destroys `component` at zero; returns the count left.
template <class Component>
Quillon::uint32 releaseComponentReference(Component* component, Quillon::int32& count) {
  const Quillon::int32 left = Quillon::FUnknown::atomicAdd(count, -1);
  if (left == 0) delete component;
  return Quillon::uint32(left);
}

}  // namespace detail
