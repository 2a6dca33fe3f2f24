// px7000-host check end to end: the real bundle passes every check, each broken bundle is caught
// by the right check, a crash or hang ends only its own check, and the options and exit
// statuses hold.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const std::vector<std::string> kAllChecks = {"exports",         "entry-exit",    "factory-record",
                                             "class-records",   "class-forms",   "create-instance",
                                             "query-interface", "startup-order", "host-acceptance",
                                             "detection",       "surface",       "dial",
                                             "shutdown"};

struct ReportLine {
  std::string status, reason;
};

// One run of px7000-host check, with its report lines by check name.
struct CheckRun {
  int exitStatus = -1;
  std::string out, err;
  std::vector<std::string> order;
  std::map<std::string, ReportLine> lines;

  std::string statusOf(const std::string& name) const {
    const auto found = lines.find(name);
    return found == lines.end() ? "(not run)" : found->second.status;
  }
};

CheckRun runChecker(std::vector<std::string> args) {
  args.insert(args.begin(), "check");
  const testsupport::ProgramRun program = testsupport::runProgram(PX7000_HOST_PATH, args);
  CheckRun run{program.exitStatus, program.out, program.err, {}, {}};
  std::istringstream text(program.out);
  for (std::string line; std::getline(text, line);) {
    std::istringstream words(line);
    std::string status, name, reason;
    words >> status >> name >> std::ws;
    std::getline(words, reason);
    static const char* const statuses[] = {"PASS", "FAIL", "SKIP", "CRASH", "TIMEOUT"};
    if (std::find(std::begin(statuses), std::end(statuses), status) == std::end(statuses)) continue;
    run.order.push_back(name);
    run.lines[name] = {status, reason};
  }
  return run;
}

std::string temporaryPath(const std::string& name) {
  return testing::TempDir() + "check_test_" + std::to_string(getpid()) + "_" + name;
}

TEST(CheckTheBuiltBundle, PassesEveryCheckInOrder) {
  const CheckRun run = runChecker({PX7000_BUNDLE_PATH});
  EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_THAT(run.order, ElementsAreArray(kAllChecks));
  for (const auto& [name, line] : run.lines)
    EXPECT_EQ(line.status, "PASS") << name << ": " << line.reason;
  EXPECT_THAT(run.out, HasSubstr("13 passed, 0 failed\nSUCCESS\n"));
}

TEST(CheckTheBuiltBundle, PassesInProcessToo) {
  const CheckRun run = runChecker({PX7000_BUNDLE_PATH, "--in-process"});
  EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("13 passed, 0 failed\nSUCCESS\n"));
}

TEST(CheckTheBuiltBundle, ChecksTheBundleBesideTheProgramWhenNoneIsNamed) {
  const CheckRun run = runChecker({"--only", "exports"});
  EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
  EXPECT_THAT(run.out, StartsWith(std::string("px7000-host check: ") + PX7000_BUNDLE_PATH + "\n"));
  EXPECT_EQ(run.statusOf("exports"), "PASS");
}

// A broken bundle: the checks that must catch it, with a part of their reason; every other
// check gets `others`.
struct BrokenBundle {
  const char* label;
  const char* path;
  std::map<std::string, ReportLine> caughtBy;
  std::string others = "PASS";
};

void PrintTo(const BrokenBundle& bundle, std::ostream* out) { *out << bundle.label; }

class CheckABrokenBundle : public testing::TestWithParam<BrokenBundle> {};

TEST_P(CheckABrokenBundle, IsCaughtByTheRightChecksAndTheRunGoesOn) {
  const BrokenBundle& bundle = GetParam();
  const CheckRun run = runChecker({bundle.path, "--timeout", "2"});
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  EXPECT_THAT(run.order, ElementsAreArray(kAllChecks)) << run.out;
  for (const std::string& name : kAllChecks) {
    const auto caught = bundle.caughtBy.find(name);
    const std::string expected =
        caught != bundle.caughtBy.end() ? caught->second.status : bundle.others;
    EXPECT_EQ(run.statusOf(name), expected) << name << "\n" << run.out;
    if (caught != bundle.caughtBy.end() && run.lines.count(name) != 0) {
      EXPECT_THAT(run.lines.at(name).reason, HasSubstr(caught->second.reason)) << name;
    }
  }
  EXPECT_THAT(run.out, HasSubstr("\nFAILURE\n"));
}

#if defined(PX7000_SANITIZED)
constexpr const char* kCrashReason = "without an answer";
#else
constexpr const char* kCrashReason = "killed by SIGSEGV";
#endif

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckABrokenBundle,
    testing::Values(
        BrokenBundle{
            "WrongRecord",
            PX7000_BROKEN_WRONG_RECORD,
            {{"class-records", {"FAIL", "(Remote Devices) cardinality is 1, not 2147483647"}}}},
        BrokenBundle{"MissingExport",
                     PX7000_BROKEN_MISSING_EXPORT,
                     {{"exports", {"FAIL", "does not export GetPluginFactory"}},
                      {"entry-exit", {"PASS", "both answered true"}},
                      {"class-records", {"SKIP", "exports no GetPluginFactory"}},
                      {"shutdown", {"SKIP", "exports no GetPluginFactory"}}},
                     "SKIP"},
        BrokenBundle{"LeakedReference",
                     PX7000_BROKEN_LEAKED_REFERENCE,
                     {{"shutdown", {"FAIL", "host object context: 1 references not released"}}}},
        BrokenBundle{"Crash", PX7000_BROKEN_CRASH, {{"create-instance", {"CRASH", kCrashReason}}}},
        BrokenBundle{
            "Hang", PX7000_BROKEN_HANG, {{"class-forms", {"TIMEOUT", "no answer within 2 s"}}}}),
    [](const testing::TestParamInfo<BrokenBundle>& info) { return std::string(info.param.label); });

// A fault of the bundle whose fault each run chooses, and the check that must fail on it.
struct ChosenFault {
  const char* fault;
  const char* check;
  const char* reason;
};

void PrintTo(const ChosenFault& fault, std::ostream* out) { *out << fault.fault; }

class CheckAChosenFault : public testing::TestWithParam<ChosenFault> {};

TEST_P(CheckAChosenFault, FailsItsCheck) {
  const ChosenFault& chosen = GetParam();
  ASSERT_EQ(setenv("PX7000_BROKEN_FAULT", chosen.fault, 1), 0);
  const CheckRun run = runChecker({PX7000_BROKEN_CHOSEN, "--only", chosen.check});
  unsetenv("PX7000_BROKEN_FAULT");
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  EXPECT_EQ(run.statusOf(chosen.check), "FAIL") << run.out;
  if (run.lines.count(chosen.check) != 0) {
    EXPECT_THAT(run.lines.at(chosen.check).reason, HasSubstr(chosen.reason));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckAChosenFault,
    testing::Values(
        ChosenFault{"none", "exports", "also exports 1 other symbols: brokenFault"},
        ChosenFault{"exit-false", "entry-exit", "bundleExit answered false"},
        ChosenFault{"extra-reference", "factory-record", "answered 2, not 1"},
        ChosenFault{"factory-spare", "factory-record", "spare2: byte 5 is 0x78, not zero"},
        ChosenFault{"wide-name", "class-forms", "class 0: getClassInfoUnicode's name differs"},
        ChosenFault{"create-garbage", "create-instance",
                    "unknown class answered kNotFound and stored an object"},
        ChosenFault{"query-no-reference", "query-interface",
                    "FUnknown did not add exactly one reference"},
        ChosenFault{"detection-starts-early", "startup-order", "answered kOk before the service"},
        ChosenFault{"accept-any-host", "host-acceptance", "answered kOk for Tessera MN 5"},
        ChosenFault{"remote-refused", "detection", "detect answered kFalse"},
        ChosenFault{"property-changed", "surface", "remote property 0x77726E67 is not set to 24"},
        ChosenFault{"reversed-dial", "dial", "action manager runs Transport/Step Back Bar, not"},
        ChosenFault{"exit-false", "shutdown", "bundleExit answered false"}),
    [](const testing::TestParamInfo<ChosenFault>& info) {
      std::string name = std::string(info.param.fault) + "_" + info.param.check;
      for (char& c : name)
        if (c == '-') c = '_';
      return name;
    });

TEST(CheckOptions, ListsEveryCheckWithItsDescription) {
  const CheckRun run = runChecker({"--list"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  std::istringstream text(run.out);
  std::vector<std::string> names;
  for (std::string line; std::getline(text, line);) {
    names.push_back(line.substr(0, line.find(' ')));
    EXPECT_GT(line.size(), names.back().size() + 10) << "no description: " << line;
  }
  EXPECT_THAT(names, ElementsAreArray(kAllChecks));
}

TEST(CheckOptions, OnlyAndSkipChooseTheChecksAndKeepTheirOrder) {
  const CheckRun only = runChecker({"--only", "shutdown", "exports", PX7000_BUNDLE_PATH});
  EXPECT_EQ(only.exitStatus, 0) << only.out << only.err;
  EXPECT_THAT(only.order, ElementsAre("exports", "shutdown"));
  EXPECT_THAT(only.out, HasSubstr("2 passed, 0 failed\nSUCCESS\n"));

  const CheckRun skip = runChecker({PX7000_BUNDLE_PATH, "--skip", "dial", "exports"});
  std::vector<std::string> rest = kAllChecks;
  rest.erase(std::find(rest.begin(), rest.end(), "dial"));
  rest.erase(rest.begin());
  EXPECT_EQ(skip.exitStatus, 0) << skip.out << skip.err;
  EXPECT_THAT(skip.order, ElementsAreArray(rest));
}

TEST(CheckOptions, ARunThatOnlySkippedIsNoSuccess) {
  const CheckRun run = runChecker({PX7000_BROKEN_MISSING_EXPORT, "--only", "class-records"});
  EXPECT_EQ(run.statusOf("class-records"), "SKIP");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_THAT(run.out, HasSubstr("0 passed, 0 failed, 1 skipped\nFAILURE\n"));
}

TEST(CheckOptions, JsonReportReadsBackWithEveryField) {
  const std::string path = temporaryPath("report.json");
  const CheckRun run =
      runChecker({PX7000_BROKEN_CRASH, "--only", "exports", "create-instance", "--json", path});
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  std::ifstream file(path);
  ASSERT_TRUE(file) << "no report at " << path;
  const nlohmann::json report = nlohmann::json::parse(file);
  std::remove(path.c_str());
  EXPECT_EQ(report.at("schemaVersion"), 1);
  EXPECT_EQ(report.at("tool"), "px7000-host check");
  EXPECT_EQ(report.at("bundle"), PX7000_BROKEN_CRASH);
  ASSERT_EQ(report.at("checks").size(), 2u);
  const nlohmann::json& exports = report.at("checks").at(0);
  EXPECT_EQ(exports.at("name"), "exports");
  EXPECT_EQ(exports.at("status"), "PASS");
  EXPECT_EQ(exports.at("reason"), run.lines.at("exports").reason);
  EXPECT_TRUE(exports.at("milliseconds").is_number_integer());
  EXPECT_GE(exports.at("milliseconds").get<long>(), 0);
  EXPECT_EQ(report.at("checks").at(1).at("status"), "CRASH");
  EXPECT_EQ(report.at("passed"), 1);
  EXPECT_EQ(report.at("failed"), 1);
  EXPECT_EQ(report.at("skipped"), 0);
  EXPECT_EQ(report.at("result"), "FAILURE");
}

TEST(CheckOptions, AFileThatIsNoBundleNeverPasses) {
  const std::string path = temporaryPath("not_a_bundle.so");
  std::ofstream(path) << "this is text\n";
  const CheckRun run = runChecker({path});
  std::remove(path.c_str());
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  EXPECT_EQ(run.statusOf("exports"), "FAIL");
  EXPECT_THAT(run.lines.at("exports").reason, HasSubstr("not an ELF file"));
  EXPECT_EQ(run.statusOf("entry-exit"), "FAIL");
  EXPECT_THAT(run.out, HasSubstr("\nFAILURE\n"));
}

// Usage errors and missing bundles: status 2, and nothing on standard output that could pass
// for a result.
class CheckUsageError : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CheckUsageError, ExitsWithStatus2) {
  const CheckRun run = runChecker(GetParam());
  EXPECT_EQ(run.exitStatus, 2) << run.out << run.err;
  EXPECT_THAT(run.out, AllOf(Not(HasSubstr("SUCCESS")), Not(HasSubstr("PASS"))));
  EXPECT_THAT(run.err, HasSubstr("usage: px7000-host check"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CheckUsageError,
    testing::Values(std::vector<std::string>{"/no/such/bundle.so"}, std::vector<std::string>{""},
                    std::vector<std::string>{"/tmp"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--frobnicate"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--only", "no-such-check"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--only"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--timeout", "0"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--timeout", "ten"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--json"},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, PX7000_BROKEN_HANG},
                    std::vector<std::string>{PX7000_BUNDLE_PATH, "--skip", "exports", "entry-exit",
                                             "factory-record", "class-records", "class-forms",
                                             "create-instance", "query-interface", "startup-order",
                                             "host-acceptance", "detection", "surface", "dial",
                                             "shutdown"}));

}  // namespace
