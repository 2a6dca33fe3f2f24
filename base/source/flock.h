// Locks and waiting: a recursive lock, a condition with a sticky signal, a counting semaphore
// and two reader/writer locks.
//
// Defines `ILock` and its implementation `FLock` (recursive), `FCondition` (a signal that
// stays pending until a waiter takes it), `FSemaphore` (first-in-first-out, with a wake-all),
// `FRwSemaphore` (readers share, writers exclude, built on one semaphore unit) and `FRwLock`
// (readers share; the writing thread may read and write again). All are built on POSIX
// threads; waits with a time limit measure it on the monotonic clock. Name arguments are
// accepted for the callers' documentation and not stored.
#pragma once

#include <pthread.h>

#include "interfaces/ftypes.h"

namespace Quillon {

namespace detail {
class SemaphoreState;
}

// A lock that can be taken, given back and tried.
class ILock {
 public:
  virtual void lock() = 0;
  virtual void unlock() = 0;
  // True when the lock was taken without waiting.
  virtual bool trylock() = 0;

 protected:
  // Locks are owned by their creators, never deleted through this interface.
  ~ILock() = default;
};

// A recursive mutex, owned by its creator: the thread that holds it may take it again and
// must give it back as often. Never copied.
class FLock final : public ILock {
 public:
  explicit FLock(const char8* name = nullptr);
  ~FLock();
  FLock(const FLock&) = delete;
  FLock& operator=(const FLock&) = delete;

  // Takes the lock, waiting while another thread holds it.
  void lock() override;
  // Gives back one taking by the calling thread.
  void unlock() override;
  // Takes the lock only if no other thread holds it; true when taken.
  bool trylock() override;

 private:
  pthread_mutex_t mutex;
};

// A condition with a sticky signal count, owned by its creator: a signal given while nobody
// waits stays pending, and the next wait takes it at once. Never copied.
class FCondition {
 public:
  explicit FCondition(const char8* name = nullptr);
  ~FCondition();
  FCondition(const FCondition&) = delete;
  FCondition& operator=(const FCondition&) = delete;

  // Leaves one signal pending and wakes one waiter.
  void signal();
  // Leaves a signal for every current waiter and one more, and wakes them all.
  void signalAll();
  // Waits until a signal is pending and takes it.
  void wait();
  // Waits at most `milliseconds` (without limit when negative) for a signal and takes it;
  // false on time-out, which takes no signal. 0 only tests for a pending signal.
  bool waitTimeout(int32 milliseconds = -1);
  // Drops a pending signal.
  void reset();
  // The number of threads waiting now; a snapshot, for diagnostics.
  int32 waiters() const;

 private:
  // Waits for a signal until `deadline` on the monotonic clock, or without limit when null.
  bool waitUntil(const struct timespec* deadline);

  mutable pthread_mutex_t mutex;
  pthread_cond_t condition;
  int32 signalCount = 0;
  int32 waiterCount = 0;
};

// A counting semaphore, owned by its creator. Waiters are served in the order they came;
// `release` below 1 wakes every current waiter and leaves no unit behind. Never copied.
class FSemaphore {
 public:
  // A semaphore holding `initialCount` units; a negative count, or no memory, gives one that
  // fails `verify`.
  explicit FSemaphore(int32 initialCount = 0, const char8* name = nullptr);
  ~FSemaphore();
  FSemaphore(const FSemaphore&) = delete;
  FSemaphore& operator=(const FSemaphore&) = delete;

  // Takes one unit, waiting at most `milliseconds` (without limit when negative; 0 only
  // tests). True when a unit was taken; false on time-out or for a failed semaphore.
  bool acquire(int32 milliseconds = -1);
  // Adds `count` units, each to the longest waiter first; below 1 wakes every current waiter
  // without adding a unit. Does nothing for a failed semaphore.
  void release(int32 count = 1);
  // True when the semaphore was created.
  bool verify() const { return semaphore != nullptr; }
  // The number of threads waiting now; a snapshot, for diagnostics.
  int32 waiters() const;

 private:
  detail::SemaphoreState* semaphore;
};

// Readers share, a writer excludes everyone, owned by its creator: the first reader takes
// the writers' unit and the last gives it back. Readers that come while the first still waits
// for a writer wait as well. Not re-entrant for writers. Never copied.
class FRwSemaphore {
 public:
  FRwSemaphore();
  ~FRwSemaphore();
  FRwSemaphore(const FRwSemaphore&) = delete;
  FRwSemaphore& operator=(const FRwSemaphore&) = delete;

  // Enters as a reader, waiting while a writer is inside; false if the semaphore failed.
  bool waitToRead();
  // Leaves as a reader.
  void doneReading();
  // Enters as the writer, waiting until no reader or writer is inside; false if the
  // semaphore failed.
  bool waitToWrite();
  // Leaves as the writer.
  void doneWriting();

 private:
  FSemaphore semaphore;
  int32 volatile readerCount = 0;
  // Held by the first reader while it waits for the writers' unit.
  pthread_mutex_t readerEntry = PTHREAD_MUTEX_INITIALIZER;
};

// A reader/writer lock, owned by its creator. Readers wait only while another thread writes;
// the writing thread may read and write again (it gives back each entry). Waiting writers do
// not hold back new readers. A reader may not ask to write. Never copied.
class FRwLock {
 public:
  explicit FRwLock(const char8* name = nullptr);
  ~FRwLock();
  FRwLock(const FRwLock&) = delete;
  FRwLock& operator=(const FRwLock&) = delete;

  // Enters as a reader, waiting while another thread writes.
  void waitToRead();
  void doneReading();
  // Enters as the writer, waiting while other threads read or write.
  void waitToWrite();
  void doneWriting();
  // Always true: the lock cannot fail.
  bool verify() const { return true; }

 private:
  // Guards the counters; a waiter gives it up in the same step as it starts waiting, so no
  // wake-up is lost between the two.
  pthread_mutex_t stateLock = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t readCondition = PTHREAD_COND_INITIALIZER;
  pthread_cond_t writeCondition = PTHREAD_COND_INITIALIZER;
  pthread_t writerThread{};
  int32 activeReaders = 0;
  int32 writeDepth = 0;
  int32 waitingReaders = 0;
  int32 waitingWriters = 0;
};

}  // namespace Quillon
