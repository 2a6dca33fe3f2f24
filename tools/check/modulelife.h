// ModuleLife: the module's life driven step by step, for checks that need finer control than
// HostSession gives: which calls come in which order, and what each answers.
#pragma once

#include <string>

#include "host/simulatedhost.h"
#include "interfaces/ipluginfactory.h"
#include "tools/check/checksupport.h"
#include "tools/hostsession.h"
#include "tools/loadedbundle.h"

namespace px7000host::checks {

// Skips the check unless the bundle at `path` loads and exports its three entry points; a
// failure there is the exports and entry-exit checks' to report. Unloads it again.
void requireEntryPoints(const std::string& path);

// Starts `session`, or ends the check: a skip when the bundle lacks what a session needs, a
// failure when the start-up path fails.
void startSession(HostSession& session);

// Loads a bundle and calls bundleEntry; when destroyed, lets go of the factory, calls
// bundleExit and closes the bundle. Objects made from it must be given back before it goes, so
// declare it before them. Not copyable.
class ModuleLife {
 public:
  // Skips the check when the bundle does not load or lacks an entry point.
  explicit ModuleLife(const std::string& path);
  ~ModuleLife();
  ModuleLife(const ModuleLife&) = delete;
  ModuleLife& operator=(const ModuleLife&) = delete;

  LoadedBundle& bundle() { return loaded; }
  // The factory, obtained from GetPluginFactory on first use and released at the end. Fails the
  // check when GetPluginFactory returns null.
  Quillon::IPluginFactory& factory();
  // Lets `host` make remote devices from this module's factory; the host gives back their
  // components at the end, so it must outlive this object.
  void serve(simhost::SimulatedHost& host);

  // The record of class `index`; fails the check when the factory refuses it.
  Quillon::PClassInfo classInfo(Quillon::int32 index);
  // The index of the first class of `category`; fails the check when there is none.
  Quillon::int32 classIndex(const std::string& category);
  // Creates the first class of `category` as interface I; fails the check when refused.
  template <class I>
  Held<I> create(const std::string& category) {
    const Quillon::PClassInfo info = classInfo(classIndex(category));
    void* made = nullptr;
    const Quillon::ResultCode answer = factory().createInstance(info.classId, I::iid.tuid(), &made);
    require(answer == Quillon::kOk && made != nullptr,
            "createInstance of the " + category + " class answered " + resultName(answer));
    return Held<I>(static_cast<I*>(made));
  }

 private:
  LoadedBundle loaded;
  Quillon::IPluginFactory* madeFactory = nullptr;
  simhost::SimulatedHost* servedHost = nullptr;
};

}  // namespace px7000host::checks
