// Loads, starts, plays, shuts down and unloads the built bundle many times in one process:
// memory, descriptors and mappings must not grow. PX7000_LOAD_CYCLES sets the number of
// cycles (default 1000), for slow runs such as valgrind's.
#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <valgrind/valgrind.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tools/hostsession.h"

namespace {

using ::testing::IsEmpty;

// What the process holds: resident memory, open descriptors and mappings of files.
struct Holdings {
  long residentKiB = 0;
  int descriptors = 0;
  int fileMappings = 0;
};

Holdings holdings() {
  Holdings now;
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  now.residentKiB = resident * (sysconf(_SC_PAGESIZE) / 1024);
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (readdir(fds) != nullptr) ++now.descriptors;
    closedir(fds);
  }
  std::ifstream maps("/proc/self/maps");
  // Anonymous mappings come and go with the allocator; a file stays mapped only if held.
  for (std::string line; std::getline(maps, line);)
    if (line.find(" /") != std::string::npos) ++now.fileMappings;
  return now;
}

int cycles() {
  const char* set = std::getenv("PX7000_LOAD_CYCLES");
  const int count = set != nullptr ? std::atoi(set) : 0;
  return count > 0 ? count : 1000;
}

// One module life: every reference and the bundle itself must go back at the end.
void runOneLife() {
  px7000host::HostSession session({PX7000_BUNDLE_PATH, {}, px7000host::PortLayout::pair});
  ASSERT_TRUE(session.start()) << session.error();
  ASSERT_NE(session.remoteDevice(), nullptr);
  session.host().setRecording(false);
  for (int note = 91; note <= 99; ++note)
    session.host().receiveMidi(session.moduleInput(), 0x90, Quillon::uint8(note), 127);
  session.host().receiveMidi(session.moduleInput(), 0xB0, 60, 1);
  session.host().receiveMidi(session.moduleInput(), 0xB0, 60, 65);
  ASSERT_THAT(session.stop(), IsEmpty());
}

TEST(LoadCycles, NothingGrowsOverManyModuleLives) {
  const int total = cycles();
  // The first lives fill the allocator's and the loader's caches.
  const int warmUp = total / 10;
  for (int i = 0; i < warmUp; ++i) ASSERT_NO_FATAL_FAILURE(runOneLife()) << "life " << i;
  const Holdings before = holdings();
  for (int i = warmUp; i < total; ++i) ASSERT_NO_FATAL_FAILURE(runOneLife()) << "life " << i;
  const Holdings after = holdings();

  EXPECT_EQ(after.descriptors, before.descriptors) << "descriptors left open";
  // Under valgrind, memory and mappings are the tool's, and its leak check judges memory.
  if (RUNNING_ON_VALGRIND) return;
  EXPECT_EQ(after.fileMappings, before.fileMappings) << "files left mapped";
#if !defined(PX7000_SANITIZED)
  // A leak of one small block per life adds some 40 KiB here, noise stays below 10.
  // AddressSanitizer's quarantine grows by design, so only plain builds judge memory.
  EXPECT_LE(after.residentKiB - before.residentKiB, 24)
      << "resident memory grew from " << before.residentKiB << " KiB over " << total - warmUp
      << " lives";
#endif
}

}  // namespace
