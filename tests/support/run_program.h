// Runs a program to its end and collects what it printed, for end-to-end tests of tools.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct ProgramRun {
  int exitStatus = -1;  // the exit code, or 128 + signal number when killed
  std::string out, err;
};

// Runs `program` with `args`, `input` on its standard input, and waits for it.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& input = {});

}  // namespace testsupport
