// Threads: a thread class with a name, a priority level and an observer, and a sleep.
//
// Defines `FThread`, whose subclasses put their work in `entry`, the observer interface
// `IThreadSpy`, and `FThreadSleep`. Priority levels 0 to 2 share the processor with the
// ordinary threads (0 the least), 3 to 5 are round-robin real-time (5 the most). A new thread
// runs none of its subclass's code before its level is in force.
#pragma once

#include <pthread.h>

#include <atomic>
#include <memory>

#include "base/source/fstring.h"
#include "interfaces/ftypes.h"

namespace Quillon {

class FThread;

namespace detail {
class ThreadControl;
}

// Observes the creation and destruction of every FThread; owned by whoever installs it,
// which keeps it alive while threads are made or destroyed.
class IThreadSpy {
 public:
  virtual void threadCreated(FThread* thread) = 0;
  virtual void threadDestroyed(FThread* thread) = 0;

 protected:
  ~IThreadSpy() = default;
};

// One thread of execution, owned by its creator; the thread itself borrows the object while
// `entry` runs, so the creator keeps it alive until `waitDead` returns (or the thread
// destroys it itself, as the last thing it does). Never copied.
class FThread {
 public:
  enum PriorityLevel : int32 {
    kLowestPriority = 0,
    kLowPriority = 1,
    kNormalPriority = 2,  // the level of a new FThread
    kHighPriority = 3,
    kHigherPriority = 4,
    kHighestPriority = 5,
  };

  // A thread that is not yet running, named with a copy of `name` (none for null).
  explicit FThread(const char8* name = nullptr);
  // Does not wait for the thread: a running thread is detached, and cancelled when the
  // destructor runs on it.
  virtual ~FThread();
  FThread(const FThread&) = delete;
  FThread& operator=(const FThread&) = delete;

  // Keeps `level` for the thread and, when it runs, puts it in force: 0 to 2 as time-sharing
  // at decreasing nice values, 3 to 5 as round-robin real-time at increasing priorities, any
  // other level as 0. A refusal by the system (no privilege) is ignored. True when a thread
  // was there to take the level; false before `run`, which then applies it.
  virtual bool setPriority(int32 level);
  // For subclasses; nothing in the library calls it.
  virtual void cleanup() {}
  // The thread's work; its result is the thread's exit value.
  virtual int32 entry() { return 0; }

  // Starts the thread. Returns 0, or the system's error code when no thread could be
  // created (EBUSY while a previous thread has not been joined).
  int32 run();
  // Asks the thread to stop at its next cancellation point; does not wait.
  void terminate();
  // Waits, without a time limit whatever `timeout` says, until the thread has ended. True
  // when it has ended or never started; false when it cannot be joined (from itself).
  bool waitDead(int32 timeout = -1);
  // True when called on this object's thread.
  bool isInThreadContext() const;
  // The thread's handle; zero when there is no thread.
  pthread_t getThreadReference() const { return thread; }
  // The level last given to setPriority (2 for a new thread).
  int32 getPriority() const { return priority; }
  // Pins the calling thread (not necessarily this object's) to processor `cpu`. True when
  // the system accepted it; false for a processor it does not offer.
  bool setCpuAffinity(int32 cpu);

  // Installs `spy` (null removes it) for every FThread made or destroyed from now on.
  static void setSpy(IThreadSpy* spy);

 private:
  static void* start(void* thread);
  bool hasThread() const { return thread != pthread_t{}; }

  int32 priority = kNormalPriority;
  int32 cpuAffinity = -1;
  bool started = false;
  pthread_t thread{};
  String name;
  // Shared with the running thread, which may outlive this object.
  std::shared_ptr<detail::ThreadControl> control;

  static std::atomic<IThreadSpy*> gSpy;
};

// Sleeps `milliseconds` (for ever when negative) on a semaphore nobody signals; returns
// false.
bool FThreadSleep(int32 milliseconds);

}  // namespace Quillon
