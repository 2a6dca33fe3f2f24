// Opening a bundle with dlopen and finding the one built beside px7000-host.
#include "tools/loadedbundle.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace px7000host {
namespace {

// dlopen searches the library path for a name without a slash; a host names a file.
std::string asFilePath(const std::string& path) {
  return path.find('/') == std::string::npos ? "./" + path : path;
}

template <class F>
F lookUp(void* handle, const char* name) {
  return reinterpret_cast<F>(dlsym(handle, name));
}

// Whether a loaded object bears the loader's name `name`: an unload check that, unlike
// dlopen(RTLD_NOLOAD), never touches the file system.
bool isMapped(const std::string& name) {
  if (name.empty()) return false;
  return dl_iterate_phdr(
             [](dl_phdr_info* info, std::size_t, void* wanted) {
               const char* loaded = info->dlpi_name;
               return loaded != nullptr && *static_cast<const std::string*>(wanted) == loaded ? 1
                                                                                              : 0;
             },
             const_cast<std::string*>(&name)) != 0;
}

}  // namespace

bool LoadedBundle::open(const std::string& path) {
  close();
  filePath = path;
  missing = false;
  if (path.empty()) {
    missing = true;
    lastError = "no bundle named";
    return false;
  }
  handle = dlopen(asFilePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    lastError = why != nullptr ? why : "dlopen failed";
    // Only now ask the file system, for a plainer message than the loader's.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
      lastError = "no bundle at " + path + ": " + std::strerror(errno);
      missing = true;
    } else if (!S_ISREG(info.st_mode)) {
      lastError = "no bundle at " + path + ": not a file";
      missing = true;
    }
    return false;
  }
  struct link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr)
    loadedName = map->l_name;
  entry = lookUp<EntryFunc>(handle, "bundleEntry");
  exit = lookUp<ExitFunc>(handle, "bundleExit");
  getFactory = lookUp<FactoryFunc>(handle, "GetPluginFactory");
  lastError.clear();
  return true;
}

bool LoadedBundle::close() {
  entry = nullptr;
  exit = nullptr;
  getFactory = nullptr;
  if (handle == nullptr) return true;
  dlclose(handle);
  handle = nullptr;
  return !isMapped(loadedName);
}

bool isBundleLoaded(const std::string& path) {
  void* probe = dlopen(asFilePath(path).c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (probe == nullptr) return false;
  dlclose(probe);
  return true;
}

std::string bundleBesideProgram() {
  char self[4096];
  const ssize_t size = readlink("/proc/self/exe", self, sizeof self - 1);
  if (size <= 0) return "px7000.so";
  const std::string program(self, std::size_t(size));
  const std::size_t slash = program.rfind('/');
  return program.substr(0, slash + 1) + "px7000.so";
}

}  // namespace px7000host
