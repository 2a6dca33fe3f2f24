// The report of px7000-host check: one line per check, the totals and the verdict, and the same
// as a JSON document.
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/check/checkrunner.h"

namespace px7000host {

struct CheckTally {
  int passed = 0;
  int failed = 0;  // FAIL, CRASH and TIMEOUT
  int skipped = 0;
  // A run succeeds when nothing failed and something passed: a run that only skipped has
  // proved nothing about the bundle.
  bool success() const { return failed == 0 && passed > 0; }
};

// Counts the results by status.
CheckTally tallyResults(const std::vector<CheckResult>& results);

// "PASS    class-records    3 records: ..." for one result.
void printResultLine(const CheckResult& result, std::ostream& out);
// "N passed, N failed[, N skipped]" and then "SUCCESS" or "FAILURE".
void printSummary(const CheckTally& tally, std::ostream& out);
// One line per check: its name and description.
void printCheckList(const std::vector<const Check*>& checks, std::ostream& out);

// The report as JSON: schemaVersion 1, the tool, the bundle, the checks with their status,
// reason and milliseconds, the totals and the result.
nlohmann::json checkReportJson(const std::string& bundlePath,
                               const std::vector<CheckResult>& results);

}  // namespace px7000host
