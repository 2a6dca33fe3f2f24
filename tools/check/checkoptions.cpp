// Reading the options of px7000-host check.
#include "tools/check/checkoptions.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace px7000host {
namespace {

// A day; a longer limit is surely a mistake.
constexpr double kLongestTimeout = 86400;

bool isOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

bool parseSeconds(const std::string& text, double& seconds) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size()) return false;
  if (!std::isfinite(value) || value <= 0 || value > kLongestTimeout) return false;
  seconds = value;
  return true;
}

// Takes the check names after --only or --skip at `i`, leaving `i` on the last one.
bool takeNames(const Arguments& args, std::size_t& i, std::vector<std::string>& names,
               std::string& error) {
  const std::string option = args[i];
  const std::size_t first = i + 1;
  while (i + 1 < args.size() && !isOption(args[i + 1]) && !looksLikeBundle(args[i + 1])) {
    const std::string& name = args[++i];
    if (findCheck(name) == nullptr) {
      error = "unknown check '" + name + "' (--list shows them)";
      return false;
    }
    names.push_back(name);
  }
  if (i < first) {
    error = option + " needs at least one check name";
    return false;
  }
  return true;
}

}  // namespace

bool parseCheckOptions(const Arguments& args, CheckOptions& options, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool hasValue = i + 1 < args.size();
    if (word == "--list") {
      options.list = true;
    } else if (word == "--in-process") {
      options.inProcess = true;
    } else if (word == "--only") {
      options.onlyGiven = true;
      if (!takeNames(args, i, options.only, error)) return false;
    } else if (word == "--skip") {
      if (!takeNames(args, i, options.skip, error)) return false;
    } else if (word == "--json") {
      if (!hasValue || args[i + 1].empty()) {
        error = "--json needs a file name";
        return false;
      }
      options.jsonPath = args[++i];
    } else if (word == "--timeout") {
      if (!hasValue || !parseSeconds(args[i + 1], options.timeoutSeconds)) {
        error = "--timeout needs a number of seconds above 0 and at most 86400";
        return false;
      }
      ++i;
    } else if (isOption(word)) {
      error = "unknown option " + word;
      return false;
    } else if (options.bundleNamed) {
      error = "more than one bundle named: '" + options.bundle + "' and '" + word + "'";
      return false;
    } else {
      options.bundle = word;
      options.bundleNamed = true;
    }
  }
  return true;
}

std::vector<const Check*> selectedChecks(const CheckOptions& options) {
  const auto named = [](const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  std::vector<const Check*> chosen;
  for (const Check& check : allChecks())
    if ((!options.onlyGiven || named(options.only, check.name)) && !named(options.skip, check.name))
      chosen.push_back(&check);
  return chosen;
}

}  // namespace px7000host
