// A console reporter that closes a benchmark run with ratios against reference benchmarks.
//
// A benchmark named "X" is compared with the benchmark named "X/reference" when both ran, so
// every figure is relative to a reference measured in the same process on the same machine.
// With --benchmark_repetitions each side counts with its median repetition, so one disturbed
// repetition on a shared machine moves neither.
#pragma once

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <map>
#include <string>
#include <vector>

namespace px7000::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so logs stay plain text.
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        nanoseconds[run.benchmark_name()].push_back(run.GetAdjustedRealTime());
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::string suffix = "/reference";
    for (const auto& [name, times] : nanoseconds) {
      const auto reference = nanoseconds.find(name + suffix);
      if (reference == nanoseconds.end()) continue;
      const double referenceTime = median(reference->second);
      if (referenceTime <= 0) continue;
      char line[128];
      std::snprintf(line, sizeof line, "ratio %-40s %6.2f x reference\n", name.c_str(),
                    median(times) / referenceTime);
      GetOutputStream() << line;
    }
  }

 private:
  // The middle value; the mean of the two middle ones for an even count.
  static double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
  }

  std::map<std::string, std::vector<double>> nanoseconds;
};

// Runs every registered benchmark with the ratio reporter; use as the program's main.
inline int runWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace px7000::bench
