// LoadedBundle: a bundle opened with dlopen as a host opens it, with its three entry points;
// and where px7000-host finds a bundle when none is named.
#pragma once

#include <string>

#include "interfaces/ipluginfactory.h"

namespace px7000host {

// Owns one dlopen handle on a bundle; closes it when destroyed. Copying is deleted, so the
// handle is closed exactly once.
class LoadedBundle {
 public:
  using EntryFunc = bool (*)(void*);
  using ExitFunc = bool (*)();
  using FactoryFunc = Quillon::IPluginFactory* (*)();

  LoadedBundle() = default;
  ~LoadedBundle() { close(); }
  LoadedBundle(const LoadedBundle&) = delete;
  LoadedBundle& operator=(const LoadedBundle&) = delete;

  // Opens the file `path` with dlopen(RTLD_NOW | RTLD_LOCAL) and looks up the entry points (a
  // missing one stays null). False, with error() set, when there is no such file or dlopen
  // refuses it. A path without a slash means a file in the working directory, never a search
  // of the library path.
  bool open(const std::string& path);
  // Closes the handle; true when the bundle is then no longer mapped (nothing else holds it).
  bool close();

  bool isOpen() const { return handle != nullptr; }
  // Whether the last open failed because no file lies at the path (or the path is empty),
  // rather than because the loader refused the file.
  bool wasMissing() const { return missing; }
  void* nativeHandle() const { return handle; }
  const std::string& path() const { return filePath; }
  const std::string& error() const { return lastError; }

  EntryFunc entry = nullptr;
  ExitFunc exit = nullptr;
  FactoryFunc getFactory = nullptr;

 private:
  void* handle = nullptr;
  std::string filePath;
  std::string loadedName;  // the name the loader keeps for it
  bool missing = false;
  std::string lastError;
};

// Whether the bundle at `path` is mapped in this process.
bool isBundleLoaded(const std::string& path);

// The path of the bundle built beside this program ("<program's folder>/px7000.so").
std::string bundleBesideProgram();

}  // namespace px7000host
