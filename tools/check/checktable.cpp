// The table of checks, in the order a host meets each part of the bundle.
#include "tools/check/checktable.h"

#include "tools/check/checkfunctions.h"
#include "tools/check/checksupport.h"

namespace px7000host {

const char* statusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::pass:
      return "PASS";
    case CheckStatus::fail:
      return "FAIL";
    case CheckStatus::skip:
      return "SKIP";
    case CheckStatus::crash:
      return "CRASH";
    case CheckStatus::timeout:
      return "TIMEOUT";
  }
  return "FAIL";
}

const std::vector<Check>& allChecks() {
  using namespace checks;
  static const std::vector<Check> table = {
      {"exports", "exports exactly bundleEntry, bundleExit and GetPluginFactory, found by dlsym",
       exportsCheck},
      {"entry-exit", "bundleEntry and bundleExit answer true; dlclose then unloads the bundle",
       entryExitCheck},
      {"factory-record",
       "factory record (vendor, flags, zero-filled fields); one factory, counted 1 to 0 exactly",
       factoryRecordCheck},
      {"class-records",
       "three class records in order: identifiers, names, categories, cardinalities, versions",
       classRecordsCheck},
      {"class-forms", "getClassInfo, getClassInfo2 and getClassInfoUnicode agree on every class",
       classFormsCheck},
      {"create-instance",
       "each class creates; unknown classes and null arguments get kNotFound and null",
       createInstanceCheck},
      {"query-interface",
       "each component answers its interfaces with a reference, refuses others, counts to 0",
       queryInterfaceCheck},
      {"startup-order",
       "detection and remote surface start only once the service has accepted the host",
       startupOrderCheck},
      {"host-acceptance", "supported hosts are accepted; refused hosts get kFalse, nothing kept",
       hostAcceptanceCheck},
      {"detection",
       "the module's ports give one remote device, connected input then output; else none",
       detectionCheck},
      {"surface", "26 controls, 4 properties, 12 user functions, bank Mixer with every key bound",
       surfaceCheck},
      {"dial", "the data dial steps bars through the action manager; keys go to the host",
       dialCheck},
      {"shutdown", "every component, the factory and every host reference given back; unloads",
       shutdownCheck},
  };
  return table;
}

const Check* findCheck(const std::string& name) {
  for (const Check& check : allChecks())
    if (name == check.name) return &check;
  return nullptr;
}

CheckOutcome runCheckHere(const Check& check, const std::string& bundlePath) {
  try {
    return check.run(bundlePath);
  } catch (const checks::CheckFailed& failure) {
    return {CheckStatus::fail, failure.reason};
  } catch (const checks::CheckSkipped& skipped) {
    return {CheckStatus::skip, skipped.reason};
  } catch (const std::exception& error) {
    return {CheckStatus::fail, std::string("unexpected exception: ") + error.what()};
  } catch (...) {
    return {CheckStatus::fail, "unexpected exception of an unknown type"};
  }
}

}  // namespace px7000host
