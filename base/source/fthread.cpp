// FThread on POSIX threads: start gate, names, priority levels, and FThreadSleep.
#include "base/source/fthread.h"

#include <sched.h>

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>

#include "base/source/flock.h"
#include "platform/native_thread.h"

namespace Quillon {
namespace detail {

// What a thread shares with its FThread: the start gate and the thread's kernel id. Owned
// jointly by both, because a thread may outlive its object.
class ThreadControl {
 public:
  // On the new thread: publish its kernel id, then wait until the creator opens the gate.
  void reportAndWait(int id) {
    std::unique_lock<std::mutex> hold(mutex);
    kernelId = id;
    reported = true;
    changed.notify_all();
    changed.wait(hold, [this] { return open; });
  }

  // On the creator: wait until the new thread has published its kernel id.
  void awaitReport() {
    std::unique_lock<std::mutex> hold(mutex);
    changed.wait(hold, [this] { return reported; });
  }

  void openGate() {
    std::lock_guard<std::mutex> hold(mutex);
    open = true;
    changed.notify_all();
  }

  // On the thread, as it ends: its kernel id may name another thread from now on.
  void ended() {
    std::lock_guard<std::mutex> hold(mutex);
    kernelId = 0;
  }

  // Calls `use(kernelId)` while the thread cannot end, unless it has ended already.
  template <typename Use>
  void withLiveThread(Use use) {
    std::lock_guard<std::mutex> hold(mutex);
    if (kernelId != 0) use(kernelId);
  }

 private:
  std::mutex mutex;
  std::condition_variable changed;
  int kernelId = 0;
  bool reported = false;
  bool open = false;
};

namespace {

// A level's policy and its value: the nice value for time-sharing, the scheduling priority
// for round-robin.
struct Scheduling {
  int policy;
  int value;
};

Scheduling schedulingFor(int32 level) {
  // Compared unsigned, so negative levels take the default row with the large ones.
  switch (uint32(level)) {
    case 1:
      return {SCHED_OTHER, 5};
    case 2:
      return {SCHED_OTHER, 0};
    case 3:
    case 4:
    case 5: {
      // Quarter steps through the system's range: ordered, and clear of both ends.
      const int lowest = sched_get_priority_min(SCHED_RR);
      const int highest = sched_get_priority_max(SCHED_RR);
      return {SCHED_RR, lowest + (highest - lowest) * (level - 2) / 4};
    }
    default:
      return {SCHED_OTHER, 10};
  }
}

// Puts `level` in force on `thread` (kernel id `kernelId`); the system may refuse, which is
// ignored. Changes nothing that is already as wanted.
void applyLevel(pthread_t thread, int kernelId, int32 level) {
  const Scheduling wanted = schedulingFor(level);
  int policy = 0;
  sched_param parameters{};
  if (pthread_getschedparam(thread, &policy, &parameters) != 0) return;
  if (wanted.policy == SCHED_RR) {
    if (policy == SCHED_RR && parameters.sched_priority == wanted.value) return;
    parameters.sched_priority = wanted.value;
    pthread_setschedparam(thread, SCHED_RR, &parameters);
    return;
  }
  if (policy != SCHED_OTHER) {
    parameters.sched_priority = 0;
    pthread_setschedparam(thread, SCHED_OTHER, &parameters);
  }
  int nice = 0;
  if (platform::threadNice(kernelId, nice) && nice == wanted.value) return;
  platform::setThreadNice(kernelId, wanted.value);
}

// Tells the control that the thread ends, on every way out of `entry`: a return, an exit or
// a cancellation (glibc unwinds the stack of a cancelled thread).
class EndNotice {
 public:
  explicit EndNotice(ThreadControl& control) : control(control) {}
  ~EndNotice() { control.ended(); }
  EndNotice(const EndNotice&) = delete;
  EndNotice& operator=(const EndNotice&) = delete;

 private:
  ThreadControl& control;
};

}  // namespace
}  // namespace detail

std::atomic<IThreadSpy*> FThread::gSpy{nullptr};

FThread::FThread(const char8* name) : name(name) {
  if (IThreadSpy* spy = gSpy.load(std::memory_order_acquire)) spy->threadCreated(this);
}

FThread::~FThread() {
  if (IThreadSpy* spy = gSpy.load(std::memory_order_acquire)) spy->threadDestroyed(this);
  if (hasThread()) {
    if (isInThreadContext()) pthread_cancel(thread);
    pthread_detach(thread);
    thread = pthread_t{};
  }
}

void FThread::setSpy(IThreadSpy* spy) { gSpy.store(spy, std::memory_order_release); }

int32 FThread::run() {
  // A second thread would lose the first one's handle, and with it the only way to join it.
  if (hasThread()) return EBUSY;
  started = true;
  int error = ENOMEM;
  try {
    control = std::make_shared<detail::ThreadControl>();
    error = pthread_create(&thread, nullptr, &FThread::start, this);
  } catch (const std::bad_alloc&) {
  }
  if (error != 0) {
    started = false;
    thread = pthread_t{};
    control.reset();
    return error;
  }
  // Linux cannot create a thread suspended: it waits at a gate until its level is in force.
  control->awaitReport();
  setPriority(priority);
  control->openGate();
  return 0;
}

void* FThread::start(void* argument) {
  auto* self = static_cast<FThread*>(argument);
  // The object may be destroyed by `entry`; after it, only this reference is used.
  const std::shared_ptr<detail::ThreadControl> control = self->control;
  // Copied while `run` still waits, so the name is safe even if the creator destroys the
  // object right after `run`; one byte beyond the limit tells where a cut falls.
  char name[platform::kThreadNameLimit + 2] = {};
  strncpy(name, self->name.text8(), sizeof name - 1);
  // A cancellation must not strand the gate half-way.
  int cancelState = 0;
  pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &cancelState);
  control->reportAndWait(platform::currentKernelThreadId());
  platform::nameCurrentThread(name);
  pthread_setcancelstate(cancelState, nullptr);

  const detail::EndNotice notice(*control);
  return reinterpret_cast<void*>(std::intptr_t(self->entry()));
}

bool FThread::setPriority(int32 level) {
  priority = level;
  if (!hasThread()) return false;
  const pthread_t target = thread;
  control->withLiveThread(
      [target, level](int kernelId) { detail::applyLevel(target, kernelId, level); });
  return true;
}

void FThread::terminate() {
  if (hasThread()) pthread_cancel(thread);
}

bool FThread::waitDead(int32) {
  if (!started || !hasThread()) return true;
  // A failed join (the thread joining itself) keeps the handle, so the destructor detaches it.
  if (pthread_join(thread, nullptr) != 0) return false;
  thread = pthread_t{};
  return true;
}

bool FThread::isInThreadContext() const {
  return hasThread() && pthread_equal(pthread_self(), thread) != 0;
}

bool FThread::setCpuAffinity(int32 cpu) {
  cpuAffinity = cpu;
  return platform::pinCurrentThread(cpu);
}

bool FThreadSleep(int32 milliseconds) {
  // Created once, by whichever caller comes first; destroyed at exit.
  static FSemaphore neverSignalled(0, "FThreadSleep");
  return neverSignalled.acquire(milliseconds);
}

}  // namespace Quillon
