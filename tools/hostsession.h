// HostSession: the module's whole start-up path in a simulated host, and its shutdown.
//
// Defines the choices a run of px7000-host makes about its host (`HostIdentity`, `PortLayout`,
// `SessionOptions`) and `HostSession`, which loads the bundle, starts the service, runs the
// detection among the chosen ports, lets the host make the remote device that detection
// installs, and at the end shuts everything down and unloads the bundle, listing whatever was
// not given back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/simulatedhost.h"
#include "interfaces/idetector.h"
#include "interfaces/ipluginbase.h"
#include "tools/loadedbundle.h"

namespace px7000host {

// The texts the host application hands out; the default is a supported host.
struct HostIdentity {
  std::u16string name = u"Tessera Crafter 5";
  std::u16string version = u"5.0.2";
  std::u16string build = u"Build 210";
};

// The name under which the host lists the drum module's MIDI ports.
inline constexpr Quillon::char16 kModulePortName[] = u"Orvella PX7000 Port3";

// "kOk", "kFalse", "kBadArgument", "kNotFound", or the number.
std::string resultName(Quillon::ResultCode code);

// Which of the drum module's MIDI ports the host has.
enum class PortLayout { pair, none, input, output, twoPairs };

// Parses "pair", "none", "input", "output" or "two-pairs"; false for anything else.
bool parsePortLayout(const std::string& text, PortLayout& layout);

struct SessionOptions {
  std::string bundlePath;
  HostIdentity identity;
  PortLayout ports = PortLayout::pair;
};

// Runs one module's life in one simulated host. Not copyable; stop() (or the destructor) ends
// it. Every component reference the session takes it gives back in stop(). The host has its
// identity from construction, so that it can be changed before start(); start() adds the
// ports after any the caller added.
class HostSession {
 public:
  explicit HostSession(SessionOptions options);
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Loads the bundle and runs the start-up path: bundleEntry, the factory, the service's
  // initialize, the detection's initialize and detect. False, with error() set, only when the
  // bundle cannot be loaded or offers no factory or classes; a host that the module refuses, or
  // ports it does not find, are results of the run (see notes()). An exception thrown by a host
  // operation passes; stop() then still gives back what was taken.
  bool start();
  // Asks the service component to terminate, as a host does before it quits: its answer, or
  // kNotFound when there is no service or it has already ended. After kOk, stop() only
  // releases it; after a refusal the host may ask again.
  Quillon::ResultCode terminateService();
  // Shuts down: remote devices' components, detection, service, factory, bundleExit, dlclose.
  // Returns one line per problem: a component that refused to terminate or kept references, a
  // reference the module took from the host and kept, a bundle that stayed loaded. Empty when
  // all went back.
  std::vector<std::string> stop();

  simhost::SimulatedHost& host() { return *simulated; }
  const SessionOptions& options() const { return settings; }
  const std::string& error() const { return failure; }
  // After a failed start: kExitUsage when no bundle lies at the path, kExitFailure when the
  // bundle is there but could not be loaded or started.
  int failureStatus() const;
  // What happened on the way that a user should know ("the service refused the host", ...).
  const std::vector<std::string>& notes() const { return remarks; }

  // The answers of the start-up calls.
  Quillon::ResultCode serviceAnswer() const { return serviceResult; }
  Quillon::ResultCode detectionAnswer() const { return detectionResult; }
  Quillon::ResultCode detectAnswer() const { return detectResult; }

  // The remote devices the host made for the module, in index order (may be empty).
  std::vector<simhost::Device*> remoteDevices() const;
  // The first remote device, or null.
  simhost::Device* remoteDevice() const;
  // The input port the drum module sends on (the first one of its name), or null.
  const Quillon::IPort* moduleInput() const { return input; }

 private:
  SessionOptions settings;
  std::unique_ptr<simhost::SimulatedHost> simulated;
  LoadedBundle bundle;
  Quillon::IPluginFactory* factory = nullptr;
  Quillon::IPluginBase* service = nullptr;
  bool serviceEnded = false;
  Quillon::IPluginBase* detection = nullptr;
  std::string remoteClassName;
  const Quillon::IPort* input = nullptr;
  bool entered = false;
  Quillon::ResultCode serviceResult = Quillon::kNotFound;
  Quillon::ResultCode detectionResult = Quillon::kNotFound;
  Quillon::ResultCode detectResult = Quillon::kNotFound;
  std::string failure;
  std::vector<std::string> remarks;

  void addPorts();
  // Copies the record of the first class of `category` into `info`; false when there is none.
  bool findClass(const char* category, Quillon::PClassInfo& info) const;
  // Creates the first class of `category` as IPluginBase; null when there is none or refused.
  Quillon::IPluginBase* createComponent(const char* category);
  void runDetection();
};

}  // namespace px7000host
