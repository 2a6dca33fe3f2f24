// Runs a check in a child process of its own, within a time limit, so that a bundle that
// crashes or hangs ends only that check and the run goes on.
#pragma once

#include <cstdint>
#include <string>

#include "tools/check/checktable.h"

namespace px7000host {

struct RunSettings {
  double timeoutSeconds = 10;
  // Runs the check in this process instead, for a debugger; no time limit, and a crash ends
  // the whole run.
  bool inProcess = false;
};

struct CheckResult {
  const Check* check = nullptr;
  CheckOutcome outcome;
  std::int64_t milliseconds = 0;
};

// Runs `check` on the bundle at `bundlePath` as `settings` say. In a child process: PASS, FAIL
// or SKIP as the check answered; TIMEOUT when it gave no answer within the limit (the child is
// killed); CRASH when the child died of a signal or ended without an answer. Never throws.
CheckResult runCheckIsolated(const Check& check, const std::string& bundlePath,
                             const RunSettings& settings);

// The abbreviated name of signal `number` ("SIGSEGV"), or "signal N".
std::string signalName(int number);

}  // namespace px7000host
