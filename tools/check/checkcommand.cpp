// px7000-host check: runs the contract checks on a bundle and reports them.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "tools/check/checkoptions.h"
#include "tools/check/checkreport.h"
#include "tools/check/checkrunner.h"
#include "tools/commands.h"
#include "tools/loadedbundle.h"

namespace px7000host {
namespace {

constexpr char kUsage[] =
    "usage: px7000-host check [BUNDLE] [--list] [--only NAME...] [--skip NAME...] [--json FILE]\n"
    "                         [--timeout SECONDS] [--in-process]\n";

int usageError(std::ostream& err, const std::string& message) {
  err << "px7000-host check: " << message << "\n" << kUsage;
  return kExitUsage;
}

// Why `path` cannot be a bundle, or empty when it names a file. Nothing here loads it: the
// checks do that, each in its own process.
std::string notABundle(const std::string& path) {
  if (path.empty()) return "no bundle named: the path is empty";
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return "no bundle at " + path + ": " + std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return "no bundle at " + path + ": not a file";
  return {};
}

}  // namespace

int runCheck(const Arguments& args, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  std::string error;
  if (!parseCheckOptions(args, options, error)) return usageError(err, error);
  const std::vector<const Check*> checks = selectedChecks(options);
  if (checks.empty()) return usageError(err, "every check was skipped; nothing to run");
  if (options.list) {
    printCheckList(checks, out);
    return kExitSuccess;
  }
  const std::string bundle = options.bundleNamed ? options.bundle : bundleBesideProgram();
  if (const std::string why = notABundle(bundle); !why.empty()) return usageError(err, why);
  std::ofstream json;
  if (!options.jsonPath.empty()) {
    json.open(options.jsonPath, std::ios::trunc);
    if (!json) return usageError(err, "cannot write the JSON report to " + options.jsonPath);
  }

  out << "px7000-host check: " << bundle << "\n";
  const RunSettings settings{options.timeoutSeconds, options.inProcess};
  std::vector<CheckResult> results;
  for (const Check* check : checks) {
    results.push_back(runCheckIsolated(*check, bundle, settings));
    printResultLine(results.back(), out);
    out.flush();
  }
  const CheckTally tally = tallyResults(results);
  printSummary(tally, out);
  if (json.is_open()) {
    // Reasons may quote a broken bundle's bytes; those must not make the report unreadable.
    json << checkReportJson(bundle, results)
                .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
         << "\n";
    if (!json.flush()) {
      err << "px7000-host check: the JSON report could not be written to " << options.jsonPath
          << "\n";
      return kExitUsage;
    }
  }
  return tally.success() ? kExitSuccess : kExitFailure;
}

}  // namespace px7000host
