// dlopen-handle bundle references: the loaded file is found through the handle's link map.
#include "platform/bundle_ref.h"

#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace Quillon::platform {
namespace {

// The file name the dynamic loader recorded for `bundle`, or null.
const char* loadedFileName(BundleRef bundle) {
  if (bundle == nullptr) return nullptr;
  struct link_map* map = nullptr;
  if (dlinfo(bundle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
  if (map->l_name == nullptr || map->l_name[0] == '\0') return nullptr;
  return map->l_name;
}

// Copies `text` into `out` when it fits with its terminator; false (out untouched) otherwise.
bool copyText(const char* text, char* out, std::size_t size) {
  const std::size_t length = std::strlen(text);
  if (length >= size) return false;
  std::memcpy(out, text, length + 1);
  return true;
}

}  // namespace

bool retainBundle(BundleRef bundle) {
  const char* file = loadedFileName(bundle);
  if (file == nullptr) return false;
  // RTLD_NOLOAD never maps anything new: it only counts one more user of the loaded library.
  return dlopen(file, RTLD_NOW | RTLD_NOLOAD) != nullptr;
}

void releaseBundle(BundleRef bundle) {
  if (bundle != nullptr) dlclose(bundle);
}

bool copyBundlePath(BundleRef bundle, char* out, std::size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  const char* file = loadedFileName(bundle);
  if (file == nullptr) return false;
  // The loader keeps the name it was given; only a relative one needs the file system's help
  // (realpath costs a system call per path component, at every load).
  if (file[0] == '/') return copyText(file, out, size);
  char* absolute = realpath(file, nullptr);
  if (absolute == nullptr) return false;
  const bool fits = copyText(absolute, out, size);
  std::free(absolute);
  return fits;
}

}  // namespace Quillon::platform
