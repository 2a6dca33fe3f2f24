// The words of px7000-host check, read into the choices of one run.
#pragma once

#include <string>
#include <vector>

#include "tools/check/checktable.h"
#include "tools/commands.h"

namespace px7000host {

struct CheckOptions {
  std::string bundle;        // as named; empty when no bundle was named
  bool bundleNamed = false;  // so that an empty name is told apart from none
  bool list = false;
  bool inProcess = false;
  bool onlyGiven = false;
  std::vector<std::string> only, skip;
  std::string jsonPath;  // empty: no JSON report
  double timeoutSeconds = 10;
};

// Reads `args`: the bundle is the first word that looks like a bundle or is not an option;
// --only and --skip take the check names that follow them, up to the next option or bundle.
// False, with `error` set, for an unknown option or check name, a missing or bad value, or a
// second bundle.
bool parseCheckOptions(const Arguments& args, CheckOptions& options, std::string& error);

// The checks to run, in table order: those named by --only (all without it) less those named
// by --skip.
std::vector<const Check*> selectedChecks(const CheckOptions& options);

}  // namespace px7000host
