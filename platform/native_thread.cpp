// Thread ids, names, nice values and pinning through glibc and the Linux system calls.
#include "platform/native_thread.h"

#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Quillon::platform {
namespace {

using SetNameFunction = int (*)(pthread_t, const char*);

// Looked up rather than called directly so a C library without it still runs, unnamed.
SetNameFunction setNameFunction() {
  static const auto function =
      reinterpret_cast<SetNameFunction>(dlsym(RTLD_DEFAULT, "pthread_setname_np"));
  return function;
}

// The longest prefix of `name` within the limit that does not end inside a UTF-8 character.
size_t cutLength(const char* name) {
  size_t length = strnlen(name, kThreadNameLimit + 1);
  if (length <= kThreadNameLimit) return length;
  length = kThreadNameLimit;
  // Step back over continuation bytes (10xxxxxx) to the lead byte, then drop the lead too.
  size_t lead = length;
  while (lead > 0 && (static_cast<unsigned char>(name[lead]) & 0xC0) == 0x80) --lead;
  return lead;
}

}  // namespace

int currentKernelThreadId() { return gettid(); }

bool nameCurrentThread(const char* name) {
  const SetNameFunction setName = setNameFunction();
  if (setName == nullptr || name == nullptr || name[0] == '\0') return false;
  char cut[kThreadNameLimit + 1];
  const size_t length = cutLength(name);
  memcpy(cut, name, length);
  cut[length] = '\0';
  return setName(pthread_self(), cut) == 0;
}

bool threadNice(int tid, int& nice) {
  // -1 is also a valid nice value, so only errno tells a failure apart.
  errno = 0;
  const int value = getpriority(PRIO_PROCESS, id_t(tid));
  if (value == -1 && errno != 0) return false;
  nice = value;
  return true;
}

bool setThreadNice(int tid, int nice) { return setpriority(PRIO_PROCESS, id_t(tid), nice) == 0; }

bool pinCurrentThread(int cpu) {
  if (cpu < 0 || cpu >= CPU_SETSIZE) return false;
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  return pthread_setaffinity_np(pthread_self(), sizeof set, &set) == 0;
}

}  // namespace Quillon::platform
