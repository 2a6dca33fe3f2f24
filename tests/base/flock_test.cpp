// Tests for FLock, FCondition, FSemaphore, FRwSemaphore and FRwLock.
#include "base/source/flock.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/source/fthread.h"

namespace Quillon {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Yields until `object` reports `count` waiting threads; they are then queued in the order
// in which the test let them come.
template <class Waitable>
void awaitWaiters(const Waitable& object, int32 count) {
  while (object.waiters() < count) sched_yield();
}

// How long a test watches a blocked thread to see that it stays blocked.
constexpr int32 kBlockedWindow = 30;

TEST(FLock, IsRecursiveAndExcludesOtherThreads) {
  FLock lock("test");
  lock.lock();
  EXPECT_TRUE(lock.trylock());
  bool takenElsewhere = true;
  std::thread([&] { takenElsewhere = lock.trylock(); }).join();
  EXPECT_FALSE(takenElsewhere);
  lock.unlock();
  lock.unlock();
  std::thread([&] {
    takenElsewhere = lock.trylock();
    if (takenElsewhere) lock.unlock();
  }).join();
  EXPECT_TRUE(takenElsewhere);
}

TEST(FCondition, SignalStaysPendingUntilTaken) {
  FCondition condition;
  condition.signal();
  condition.wait();
  EXPECT_FALSE(condition.waitTimeout(0));
  condition.signal();
  condition.signal();
  EXPECT_TRUE(condition.waitTimeout(0));
  EXPECT_FALSE(condition.waitTimeout(0));
}

TEST(FCondition, SignalAllReleasesEveryWaiter) {
  FCondition condition;
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) waiters.emplace_back([&] { condition.wait(); });
  awaitWaiters(condition, 3);
  condition.signalAll();
  for (std::thread& waiter : waiters) waiter.join();
  // The last to leave dropped what was left over.
  EXPECT_FALSE(condition.waitTimeout(0));
}

TEST(FCondition, TimedWaitRunsOutWithoutTakingASignal) {
  FCondition condition;
  const auto begin = Clock::now();
  EXPECT_FALSE(condition.waitTimeout(50));
  EXPECT_GE(Clock::now() - begin, milliseconds(50));

  // A time-out beside another waiter must not drive the count below zero, where the next
  // wait would read it as a signal.
  std::thread other([&] { condition.wait(); });
  awaitWaiters(condition, 1);
  EXPECT_FALSE(condition.waitTimeout(10));
  EXPECT_FALSE(condition.waitTimeout(0));
  condition.signal();
  other.join();
  EXPECT_FALSE(condition.waitTimeout(0));
}

TEST(FCondition, ResetDropsAPendingSignal) {
  FCondition condition;
  condition.signal();
  condition.reset();
  EXPECT_FALSE(condition.waitTimeout(0));

  // Resetting while other threads signal and wait: the thread sanitizer run reports a write
  // made outside the condition's mutex.
  std::thread resetter([&] {
    for (int i = 0; i < 2000; ++i) condition.reset();
  });
  for (int i = 0; i < 2000; ++i) {
    condition.signal();
    condition.waitTimeout(0);
  }
  resetter.join();
}

TEST(FSemaphore, CountsUnits) {
  FSemaphore semaphore(2, "units");
  EXPECT_TRUE(semaphore.verify());
  EXPECT_TRUE(semaphore.acquire(0));
  EXPECT_TRUE(semaphore.acquire(0));
  EXPECT_FALSE(semaphore.acquire(0));
  semaphore.release(3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(semaphore.acquire(0));
  EXPECT_FALSE(semaphore.acquire(0));
}

TEST(FSemaphore, TimedOutWaiterLeavesTheQueue) {
  FSemaphore semaphore;
  const auto begin = Clock::now();
  EXPECT_FALSE(semaphore.acquire(40));
  EXPECT_GE(Clock::now() - begin, milliseconds(40));
  EXPECT_EQ(semaphore.waiters(), 0);
  // The unit goes to the next caller, not to the waiter that gave up.
  semaphore.release(1);
  EXPECT_TRUE(semaphore.acquire(0));
}

TEST(FSemaphore, ServesWaitersInTheOrderTheyCame) {
  FSemaphore semaphore;
  FSemaphore served;
  FLock orderLock;
  std::vector<int> order;
  std::vector<std::thread> waiters;
  for (int id = 0; id < 3; ++id) {
    // A negative time other than -1 waits without limit too.
    waiters.emplace_back([&, id] {
      EXPECT_TRUE(semaphore.acquire(id == 1 ? -5 : -1));
      orderLock.lock();
      order.push_back(id);
      orderLock.unlock();
      served.release(1);
    });
    awaitWaiters(semaphore, id + 1);
  }
  for (int i = 0; i < 3; ++i) {
    semaphore.release(1);
    EXPECT_TRUE(served.acquire(-1));
  }
  for (std::thread& waiter : waiters) waiter.join();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(FSemaphore, WakeAllLeavesNoUnitBehind) {
  FSemaphore semaphore;
  semaphore.release(0);
  EXPECT_FALSE(semaphore.acquire(0));

  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (semaphore.acquire(-1)) ++woken;
    });
  awaitWaiters(semaphore, 3);
  semaphore.release(-1);
  for (std::thread& waiter : waiters) waiter.join();
  EXPECT_EQ(woken, 3);
  EXPECT_FALSE(semaphore.acquire(0));
}

TEST(FSemaphore, FailedCreationRefusesEverything) {
  FSemaphore failed(-1);
  EXPECT_FALSE(failed.verify());
  EXPECT_FALSE(failed.acquire(-1));
  failed.release(1);
  EXPECT_FALSE(failed.acquire(0));
  EXPECT_EQ(failed.waiters(), 0);
}

// Readers and writers of `Lock` (through `enter*`/`leave*`) check that a writer is alone
// inside and that readers see a consistent pair of values.
template <class Lock, class EnterRead, class LeaveRead, class EnterWrite, class LeaveWrite>
void checkExclusion(Lock& lock, EnterRead enterRead, LeaveRead leaveRead, EnterWrite enterWrite,
                    LeaveWrite leaveWrite) {
  std::atomic<int> readersInside{0};
  std::atomic<int> writersInside{0};
  std::atomic<int> faults{0};
  int first = 0;
  int second = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    const bool writer = t % 2 == 0;
    threads.emplace_back([&, writer] {
      for (int i = 0; i < 300; ++i) {
        if (writer) {
          enterWrite(lock);
          if (++writersInside != 1 || readersInside != 0) ++faults;
          ++first;
          ++second;
          --writersInside;
          leaveWrite(lock);
        } else {
          enterRead(lock);
          ++readersInside;
          if (writersInside != 0 || first != second) ++faults;
          --readersInside;
          leaveRead(lock);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(faults, 0);
  EXPECT_EQ(first, 2 * 300);
}

TEST(FRwSemaphore, ReadersShareAndWritersExclude) {
  FRwSemaphore semaphore;
  ASSERT_TRUE(semaphore.waitToRead());
  bool secondReader = false;
  std::thread([&] {
    secondReader = semaphore.waitToRead();
    semaphore.doneReading();
  }).join();
  EXPECT_TRUE(secondReader);

  std::atomic<bool> wrote{false};
  std::thread writer([&] {
    if (semaphore.waitToWrite()) wrote = true;
    semaphore.doneWriting();
  });
  FThreadSleep(kBlockedWindow);
  EXPECT_FALSE(wrote);
  semaphore.doneReading();
  writer.join();
  EXPECT_TRUE(wrote);

  checkExclusion(
      semaphore, [](FRwSemaphore& s) { s.waitToRead(); }, [](FRwSemaphore& s) { s.doneReading(); },
      [](FRwSemaphore& s) { s.waitToWrite(); }, [](FRwSemaphore& s) { s.doneWriting(); });
}

TEST(FRwSemaphore, LaterReadersWaitWhileTheFirstWaitsForTheWriter) {
  FRwSemaphore semaphore;
  ASSERT_TRUE(semaphore.waitToWrite());
  std::atomic<int> entered{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 2; ++i)
    readers.emplace_back([&] {
      if (semaphore.waitToRead()) ++entered;
      semaphore.doneReading();
    });
  FThreadSleep(kBlockedWindow);
  EXPECT_EQ(entered, 0);
  semaphore.doneWriting();
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(entered, 2);
}

TEST(FRwLock, WriterMayReadAndWriteAgain) {
  FRwLock lock("rw");
  EXPECT_TRUE(lock.verify());
  lock.waitToWrite();
  lock.waitToWrite();
  lock.waitToRead();
  lock.waitToWrite();  // while it also reads

  std::atomic<bool> read{false};
  std::thread reader([&] {
    lock.waitToRead();
    read = true;
    lock.doneReading();
  });
  FThreadSleep(kBlockedWindow);
  EXPECT_FALSE(read);
  lock.doneWriting();
  lock.doneReading();
  lock.doneWriting();
  FThreadSleep(kBlockedWindow);
  EXPECT_FALSE(read);
  lock.doneWriting();
  reader.join();
  EXPECT_TRUE(read);
}

TEST(FRwLock, ReadersShareAndWritersExclude) {
  FRwLock lock;
  lock.waitToRead();
  std::thread([&] {
    lock.waitToRead();
    lock.doneReading();
  }).join();

  std::atomic<bool> wrote{false};
  std::thread writer([&] {
    lock.waitToWrite();
    wrote = true;
    lock.doneWriting();
  });
  FThreadSleep(kBlockedWindow);
  EXPECT_FALSE(wrote);
  lock.doneReading();
  writer.join();
  EXPECT_TRUE(wrote);

  checkExclusion(
      lock, [](FRwLock& l) { l.waitToRead(); }, [](FRwLock& l) { l.doneReading(); },
      [](FRwLock& l) { l.waitToWrite(); }, [](FRwLock& l) { l.doneWriting(); });
}

}  // namespace
}  // namespace Quillon
