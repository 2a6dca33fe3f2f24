// The contract checks of px7000-host check: their outcomes and the table that lists them.
//
// Each check loads the bundle afresh, plays one part of what a host does with it, and answers
// PASS, FAIL or SKIP with a reason; SKIP means that something the check needs is missing (a
// failure that another check reports). The runner (checkrunner.h) adds CRASH and TIMEOUT for a
// check that never answers.
#pragma once

#include <string>
#include <vector>

namespace px7000host {

enum class CheckStatus { pass, fail, skip, crash, timeout };

// "PASS", "FAIL", "SKIP", "CRASH" or "TIMEOUT".
const char* statusName(CheckStatus status);

struct CheckOutcome {
  CheckStatus status = CheckStatus::fail;
  std::string reason;
};

// Runs one check on the bundle at the path given; may throw (see runCheckHere).
using CheckFunction = CheckOutcome (*)(const std::string& bundlePath);

struct Check {
  const char* name;         // kebab-case, as given to --only and --skip
  const char* description;  // one line, for --list
  CheckFunction run;
};

// Every check, in the order they run.
const std::vector<Check>& allChecks();

// The check called `name`, or null.
const Check* findCheck(const std::string& name);

// Makes a check's failure or skip go to `handler` at the point where the check finds it,
// instead of unwinding through what a broken bundle made, which could crash and hide the
// reason. For a child process that ends with its answer: `handler` must not return. Null (the
// default) restores unwinding.
void answerVerdictsWith(void (*handler)(const CheckOutcome& outcome));

// Runs `check` on the bundle in this process. A check's failure or skip thrown from deep inside
// it, and any other exception, become its outcome; nothing escapes.
CheckOutcome runCheckHere(const Check& check, const std::string& bundlePath);

}  // namespace px7000host
