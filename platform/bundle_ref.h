// Bundle references on Linux, standing in for the Mac's CFBundleRef calls.
//
// A bundle reference is the handle that the host's `dlopen` returned for the module. Retaining
// it takes one more reference on the loaded library, so the library stays mapped until the
// matching release, whatever order the host closes things in.
#pragma once

#include <cstddef>

namespace Quillon::platform {

// The handle the host's dlopen returned for the module; null means "no bundle".
using BundleRef = void*;

// Takes one more reference on the library behind `bundle`. False for null or an unknown handle.
bool retainBundle(BundleRef bundle);

// Gives back one reference taken by `retainBundle`. Null does nothing.
void releaseBundle(BundleRef bundle);

// Writes the absolute path of the library file behind `bundle` into `out` (`size` bytes,
// terminated) and returns true. A null bundle, an unknown handle or a path that does not fit
// leaves `out` empty (when `size` > 0) and returns false.
bool copyBundlePath(BundleRef bundle, char* out, std::size_t size);

}  // namespace Quillon::platform
