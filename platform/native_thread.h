// Linux stand-ins for the Mac's per-thread facilities: kernel thread ids, thread names, nice
// values and processor pinning.
//
// POSIX threads leave these to the system: a thread's nice value and its kernel id are Linux
// notions, and naming a thread goes through a function that is looked up at run time.
#pragma once

namespace Quillon::platform {

// The most bytes a Linux thread name holds, terminator excluded.
inline constexpr int kThreadNameLimit = 15;

// The kernel's id of the calling thread; what the nice-value calls below take.
int currentKernelThreadId();

// Names the calling thread `name`, cut to kThreadNameLimit bytes without splitting a UTF-8
// character. The naming function is looked up by name once per process; false when the
// system has none, the name is null or empty, or the system refuses.
bool nameCurrentThread(const char* name);

// Reads the nice value of kernel thread `tid` into `nice`; false when the thread is gone.
bool threadNice(int tid, int& nice);

// Sets the nice value of kernel thread `tid`; false when the system refuses (lowering a nice
// value needs privilege) or the thread is gone.
bool setThreadNice(int tid, int nice);

// Pins the calling thread to processor `cpu` alone; false for a processor the system does
// not offer to this process.
bool pinCurrentThread(int cpu);

}  // namespace Quillon::platform
