// FLock, FCondition, FSemaphore, FRwSemaphore and FRwLock on POSIX mutexes and conditions.
#include "base/source/flock.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <new>

#include "base/source/fatomic.h"

namespace Quillon {
namespace detail {
namespace {

// Holds a mutex for a scope and gives it back on every way out. A cancelled thread leaves a
// condition wait holding the mutex and glibc unwinds its stack, so this also frees the mutex
// of a thread cancelled while it waits.
class MutexHold {
 public:
  explicit MutexHold(pthread_mutex_t& mutex) : mutex(mutex) { pthread_mutex_lock(&mutex); }
  ~MutexHold() { pthread_mutex_unlock(&mutex); }
  MutexHold(const MutexHold&) = delete;
  MutexHold& operator=(const MutexHold&) = delete;

 private:
  pthread_mutex_t& mutex;
};

// A condition variable whose timed waits read the monotonic clock, so that setting the
// system time neither shortens nor stretches them.
void initMonotonicCondition(pthread_cond_t& condition) {
  pthread_condattr_t attributes;
  pthread_condattr_init(&attributes);
  pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC);
  pthread_cond_init(&condition, &attributes);
  pthread_condattr_destroy(&attributes);
}

// The moment `milliseconds` from now on the monotonic clock. Computed once per wait, so a
// wake-up that finds nothing to take does not restart the time limit.
timespec deadlineAfter(int32 milliseconds) {
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += milliseconds / 1000;
  deadline.tv_nsec += long(milliseconds % 1000) * 1000000L;
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000L;
  }
  return deadline;
}

// Waits on `condition` until `deadline`, or without limit when it is null; the wait's result.
int waitOn(pthread_cond_t& condition, pthread_mutex_t& mutex, const timespec* deadline) {
  return deadline == nullptr ? pthread_cond_wait(&condition, &mutex)
                             : pthread_cond_timedwait(&condition, &mutex, deadline);
}

}  // namespace

// The semaphore behind an FSemaphore handle: a unit count and a queue of waiters, oldest
// first. Each waiter has its own condition, so a release wakes exactly the waiter it serves.
class SemaphoreState {
 public:
  explicit SemaphoreState(int32 count) : count(count) {}
  ~SemaphoreState() { pthread_mutex_destroy(&mutex); }
  SemaphoreState(const SemaphoreState&) = delete;
  SemaphoreState& operator=(const SemaphoreState&) = delete;

  bool acquire(int32 milliseconds) {
    MutexHold hold(mutex);
    // Units are handed to queued waiters first, so a free unit means nobody is queued.
    if (count > 0) {
      --count;
      return true;
    }
    if (milliseconds == 0) return false;
    timespec deadline{};
    if (milliseconds > 0) deadline = deadlineAfter(milliseconds);
    Waiter waiter(*this);
    while (!waiter.served) {
      const int result = waitOn(waiter.wake, mutex, milliseconds > 0 ? &deadline : nullptr);
      if (result == ETIMEDOUT && !waiter.served) return false;
    }
    return true;
  }

  void release(int32 units) {
    MutexHold hold(mutex);
    if (units < 1) {
      while (head != nullptr) serve(*head);
      return;
    }
    for (; units > 0 && head != nullptr; --units) serve(*head);
    count = units > INT32_MAX - count ? INT32_MAX : count + units;
  }

  int32 waiters() {
    MutexHold hold(mutex);
    return queued;
  }

 private:
  // One thread in the queue, living on its stack for the length of its wait. It leaves the
  // queue when served, or by itself on time-out or cancellation.
  struct Waiter {
    explicit Waiter(SemaphoreState& state) : state(state) {
      initMonotonicCondition(wake);
      previous = state.tail;
      (previous != nullptr ? previous->next : state.head) = this;
      state.tail = this;
      ++state.queued;
    }
    ~Waiter() {
      if (!served) state.unlink(*this);
      pthread_cond_destroy(&wake);
    }
    Waiter(const Waiter&) = delete;
    Waiter& operator=(const Waiter&) = delete;

    SemaphoreState& state;
    Waiter* previous = nullptr;
    Waiter* next = nullptr;
    pthread_cond_t wake;
    bool served = false;
  };

  // Takes `waiter` out of the queue and wakes it with one unit.
  void serve(Waiter& waiter) {
    unlink(waiter);
    waiter.served = true;
    pthread_cond_signal(&waiter.wake);
  }

  void unlink(Waiter& waiter) {
    (waiter.previous != nullptr ? waiter.previous->next : head) = waiter.next;
    (waiter.next != nullptr ? waiter.next->previous : tail) = waiter.previous;
    --queued;
  }

  pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
  int32 count;
  Waiter* head = nullptr;
  Waiter* tail = nullptr;
  int32 queued = 0;
};

}  // namespace detail

using detail::MutexHold;

//------------------------------------------------------------------------------------------------
// FLock
//------------------------------------------------------------------------------------------------

FLock::FLock(const char8*) {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&mutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

FLock::~FLock() { pthread_mutex_destroy(&mutex); }

void FLock::lock() { pthread_mutex_lock(&mutex); }

void FLock::unlock() { pthread_mutex_unlock(&mutex); }

bool FLock::trylock() { return pthread_mutex_trylock(&mutex) == 0; }

//------------------------------------------------------------------------------------------------
// FCondition
//------------------------------------------------------------------------------------------------

FCondition::FCondition(const char8*) {
  pthread_mutex_init(&mutex, nullptr);
  detail::initMonotonicCondition(condition);
}

FCondition::~FCondition() {
  pthread_cond_destroy(&condition);
  pthread_mutex_destroy(&mutex);
}

void FCondition::signal() {
  MutexHold hold(mutex);
  signalCount = 1;
  pthread_cond_signal(&condition);
}

void FCondition::signalAll() {
  MutexHold hold(mutex);
  signalCount = waiterCount + 1;
  pthread_cond_broadcast(&condition);
}

void FCondition::wait() { waitUntil(nullptr); }

bool FCondition::waitTimeout(int32 milliseconds) {
  if (milliseconds < 0) return waitUntil(nullptr);
  const timespec deadline = detail::deadlineAfter(milliseconds);
  return waitUntil(&deadline);
}

void FCondition::reset() {
  // Under the mutex: a waiter reads and changes the count under it too.
  MutexHold hold(mutex);
  signalCount = 0;
}

int32 FCondition::waiters() const {
  MutexHold hold(mutex);
  return waiterCount;
}

bool FCondition::waitUntil(const timespec* deadline) {
  MutexHold hold(mutex);
  // Counts this thread among the waiters until it leaves, however it leaves.
  struct Registration {
    explicit Registration(int32& waiters) : waiters(waiters) { ++waiters; }
    ~Registration() { --waiters; }
    int32& waiters;
  } registration(waiterCount);

  while (signalCount == 0) {
    // A time-out takes no signal, so the count stays as it is (and never goes below zero).
    if (detail::waitOn(condition, mutex, deadline) == ETIMEDOUT && signalCount == 0) return false;
  }
  // The last waiter to leave drops what is left; the others leave it for those behind them.
  signalCount = waiterCount > 1 ? signalCount - 1 : 0;
  return true;
}

//------------------------------------------------------------------------------------------------
// FSemaphore
//------------------------------------------------------------------------------------------------

FSemaphore::FSemaphore(int32 initialCount, const char8*)
    : semaphore(initialCount < 0 ? nullptr
                                 : new (std::nothrow) detail::SemaphoreState(initialCount)) {}

FSemaphore::~FSemaphore() { delete semaphore; }

bool FSemaphore::acquire(int32 milliseconds) {
  return semaphore != nullptr && semaphore->acquire(milliseconds);
}

void FSemaphore::release(int32 count) {
  if (semaphore != nullptr) semaphore->release(count);
}

int32 FSemaphore::waiters() const { return semaphore != nullptr ? semaphore->waiters() : 0; }

//------------------------------------------------------------------------------------------------
// FRwSemaphore
//------------------------------------------------------------------------------------------------

FRwSemaphore::FRwSemaphore() : semaphore(1) {}

FRwSemaphore::~FRwSemaphore() { pthread_mutex_destroy(&readerEntry); }

bool FRwSemaphore::waitToRead() {
  // While the first reader waits for a writer to leave, the readers behind it wait here:
  // letting them in at once would put readers and the writer inside together.
  MutexHold hold(readerEntry);
  if (FAtomicIncrement(readerCount) != 0) return true;
  if (semaphore.acquire(-1)) return true;
  FAtomicDecrement(readerCount);
  return false;
}

void FRwSemaphore::doneReading() {
  if (FAtomicDecrement(readerCount) == 1) semaphore.release(1);
}

bool FRwSemaphore::waitToWrite() { return semaphore.acquire(-1); }

void FRwSemaphore::doneWriting() { semaphore.release(1); }

//------------------------------------------------------------------------------------------------
// FRwLock
//------------------------------------------------------------------------------------------------

FRwLock::FRwLock(const char8*) {}

FRwLock::~FRwLock() {
  pthread_cond_destroy(&writeCondition);
  pthread_cond_destroy(&readCondition);
  pthread_mutex_destroy(&stateLock);
}

void FRwLock::waitToRead() {
  MutexHold hold(stateLock);
  const pthread_t self = pthread_self();
  while (writeDepth > 0 && !pthread_equal(writerThread, self)) {
    ++waitingReaders;
    pthread_cond_wait(&readCondition, &stateLock);
    --waitingReaders;
  }
  ++activeReaders;
}

void FRwLock::doneReading() {
  MutexHold hold(stateLock);
  --activeReaders;
  if (waitingWriters > 0) pthread_cond_broadcast(&writeCondition);
}

void FRwLock::waitToWrite() {
  MutexHold hold(stateLock);
  const pthread_t self = pthread_self();
  // The writing thread enters again even while it reads itself; others wait until nobody
  // reads or writes.
  while (!(writeDepth > 0 ? pthread_equal(writerThread, self) : activeReaders < 1)) {
    ++waitingWriters;
    pthread_cond_wait(&writeCondition, &stateLock);
    --waitingWriters;
  }
  writerThread = self;
  ++writeDepth;
}

void FRwLock::doneWriting() {
  MutexHold hold(stateLock);
  --writeDepth;
  if (waitingWriters > 0) pthread_cond_broadcast(&writeCondition);
  if (waitingReaders > 0) pthread_cond_broadcast(&readCondition);
}

}  // namespace Quillon
