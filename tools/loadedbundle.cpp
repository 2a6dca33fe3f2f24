// Opening a bundle with dlopen and finding the one built beside px7000-host.
#include "tools/loadedbundle.h"

#include <dlfcn.h>
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

}  // namespace

bool LoadedBundle::open(const std::string& path) {
  close();
  filePath = path;
  struct stat info {};
  if (path.empty()) {
    lastError = "no bundle named";
    return false;
  }
  if (stat(path.c_str(), &info) != 0) {
    lastError = "no bundle at " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    lastError = "no bundle at " + path + ": not a file";
    return false;
  }
  handle = dlopen(asFilePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    lastError = why != nullptr ? why : "dlopen failed";
    return false;
  }
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
  return !isBundleLoaded(filePath);
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
