// Running the built px7000-host from a test, with files to hand it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace testsupport {

// Runs px7000-host with `args` (and `input` on its standard input).
inline ProgramRun runHost(const std::vector<std::string>& args, const std::string& input = {}) {
  return runProgram(PX7000_HOST_PATH, args, input);
}

// A file with the given content, removed when the object goes.
class TempFile {
 public:
  TempFile(const std::string& content, const std::string& suffix) {
    std::string pattern = "/tmp/px7000-test-XXXXXX" + suffix;
    const int fd = mkstemps(pattern.data(), int(suffix.size()));
    if (fd >= 0) close(fd);
    name = pattern;
    std::ofstream(name, std::ios::binary) << content;
  }
  ~TempFile() { std::remove(name.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return name; }

 private:
  std::string name;
};

}  // namespace testsupport
