// Writing the report of px7000-host check, as text and as JSON.
#include "tools/check/checkreport.h"

#include <algorithm>
#include <cstring>
#include <iomanip>
#include <ostream>

namespace px7000host {
namespace {

// Wide enough for "TIMEOUT" and a space.
constexpr int kStatusWidth = 8;

int nameWidth() {
  std::size_t widest = 0;
  for (const Check& check : allChecks()) widest = std::max(widest, std::strlen(check.name));
  return int(widest) + 2;
}

// A reason may quote a broken bundle's texts; control characters must not break the line.
std::string printable(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out;
}

}  // namespace

CheckTally tallyResults(const std::vector<CheckResult>& results) {
  CheckTally tally;
  for (const CheckResult& result : results) {
    switch (result.outcome.status) {
      case CheckStatus::pass:
        ++tally.passed;
        break;
      case CheckStatus::skip:
        ++tally.skipped;
        break;
      default:
        ++tally.failed;
        break;
    }
  }
  return tally;
}

void printResultLine(const CheckResult& result, std::ostream& out) {
  out << std::left << std::setw(kStatusWidth) << statusName(result.outcome.status)
      << std::setw(nameWidth()) << result.check->name << printable(result.outcome.reason)
      << std::right << "\n";
}

void printSummary(const CheckTally& tally, std::ostream& out) {
  out << tally.passed << " passed, " << tally.failed << " failed";
  if (tally.skipped > 0) out << ", " << tally.skipped << " skipped";
  out << "\n" << (tally.success() ? "SUCCESS" : "FAILURE") << "\n";
}

void printCheckList(const std::vector<const Check*>& checks, std::ostream& out) {
  for (const Check* check : checks)
    out << std::left << std::setw(nameWidth()) << check->name << check->description << std::right
        << "\n";
}

nlohmann::json checkReportJson(const std::string& bundlePath,
                               const std::vector<CheckResult>& results) {
  nlohmann::json checks = nlohmann::json::array();
  for (const CheckResult& result : results)
    checks.push_back({{"name", result.check->name},
                      {"status", statusName(result.outcome.status)},
                      {"reason", result.outcome.reason},
                      {"milliseconds", result.milliseconds}});
  const CheckTally tally = tallyResults(results);
  return {{"schemaVersion", 1},       {"tool", "px7000-host check"},
          {"bundle", bundlePath},     {"checks", checks},
          {"passed", tally.passed},   {"failed", tally.failed},
          {"skipped", tally.skipped}, {"result", tally.success() ? "SUCCESS" : "FAILURE"}};
}

}  // namespace px7000host
