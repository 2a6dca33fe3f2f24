// Tests for FThread and FThreadSleep: start gate, names, priority levels, pinning, spy, ending.
#include "base/source/fthread.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/source/flock.h"

namespace Quillon {
namespace {

// A thread's policy with its round-robin priority or its nice value.
struct Scheduling {
  int policy = -1, priority = -1, nice = 0;
  bool operator==(const Scheduling& other) const {
    return policy == other.policy && priority == other.priority && nice == other.nice;
  }
};

Scheduling schedulingOf(pthread_t thread, int kernelId) {
  Scheduling seen;
  sched_param parameters{};
  pthread_getschedparam(thread, &seen.policy, &parameters);
  seen.priority = parameters.sched_priority;
  seen.nice = getpriority(PRIO_PROCESS, id_t(kernelId));
  return seen;
}

// Whether the system refuses this process any round-robin priority, up to the highest; asked on
// a scratch thread.
bool realTimeRefused() {
  int result = 0;
  std::thread([&] {
    const sched_param highest{sched_get_priority_max(SCHED_RR)};
    result = pthread_setschedparam(pthread_self(), SCHED_RR, &highest);
  }).join();
  return result == EPERM;
}

// Records what it sees of itself as the first thing its entry does, then waits to be let go.
class ParkedThread : public FThread {
 public:
  using FThread::FThread;

  // Slow to put a level in force before the entry begins, so an entry that does not wait for
  // the level shows; notes whether it began by the end of the call from `run`.
  bool setPriority(int32 level) override {
    if (!entered) FThreadSleep(20);
    const bool result = FThread::setPriority(level);
    if (result && ++applied == 1) enteredEarly = entered.load();
    return result;
  }

  int32 entry() override {
    entered = true;
    kernelId = gettid();
    atStart = schedulingOf(pthread_self(), kernelId);
    char buffer[32] = {};
    pthread_getname_np(pthread_self(), buffer, sizeof buffer);
    nameSeen = buffer;
    inContext = isInThreadContext();
    started.signal();
    finish.wait();
    return 0;
  }

  // Lets the thread end and joins it.
  bool finishAndJoin() {
    finish.signal();
    return waitDead();
  }

  Scheduling now() const { return schedulingOf(getThreadReference(), kernelId); }

  FCondition started, finish;
  std::atomic<bool> entered{false};
  int applied = 0;
  bool enteredEarly = true;
  int kernelId = 0;
  Scheduling atStart;
  std::string nameSeen;
  bool inContext = false;
};

TEST(FThread, RunsNamedWithItsLevelInForceBeforeEntryAndEnds) {
  const struct {
    const char* name;
    const char* seen;
    int32 level;
  } cases[] = {
      {"px7000-worker-thread", "px7000-worker-t", FThread::kLowestPriority},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",  // 8 x é
       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", FThread::kHigherPriority}};
  for (const auto& given : cases) {
    ParkedThread thread(given.name);
    EXPECT_TRUE(thread.waitDead());
    EXPECT_FALSE(thread.setPriority(given.level));
    ASSERT_EQ(thread.run(), 0);
    thread.started.wait();
    EXPECT_FALSE(thread.enteredEarly);
    // Applying the level again finds it already in force since the first instruction; what
    // each level looks like is checked below.
    EXPECT_TRUE(thread.setPriority(given.level));
    EXPECT_EQ(thread.atStart, thread.now()) << "level " << given.level;
    EXPECT_EQ(thread.nameSeen, given.seen);
    EXPECT_TRUE(thread.inContext);
    EXPECT_FALSE(thread.isInThreadContext());
    EXPECT_EQ(thread.run(), EBUSY);
    EXPECT_TRUE(thread.finishAndJoin());
    EXPECT_TRUE(thread.waitDead());

    // Joined, the object runs a new thread, which a termination cancels where it waits.
    ASSERT_EQ(thread.run(), 0);
    thread.started.wait();
    thread.terminate();
    EXPECT_TRUE(thread.waitDead());
    // The cancelled waiter left the condition as a waiter leaves it: unlocked and uncounted.
    EXPECT_EQ(thread.finish.waiters(), 0);
    thread.finish.signal();
    EXPECT_TRUE(thread.finish.waitTimeout(0));
  }
}

TEST(FThread, PriorityLevelsKeepTheirOrderAndSplit) {
  ParkedThread thread("levels");
  ASSERT_EQ(thread.run(), 0);
  thread.started.wait();

  // Time-sharing, from the default level down: raising a nice value needs no privilege.
  Scheduling shared[3];
  for (int32 level = 2; level >= 0; --level) {
    EXPECT_TRUE(thread.setPriority(level));
    shared[level] = thread.now();
    EXPECT_EQ(shared[level].policy, SCHED_OTHER);
  }
  EXPECT_GT(shared[0].nice, shared[1].nice);
  EXPECT_GT(shared[1].nice, shared[2].nice);
  for (int32 other : {7, -1}) {
    EXPECT_TRUE(thread.setPriority(other));
    EXPECT_EQ(thread.now(), shared[0]) << "level " << other;
  }

  // Round-robin, unless the system refuses it to this process, which the thread survives.
  if (realTimeRefused()) {
    EXPECT_TRUE(thread.setPriority(5));
  } else {
    int previous = sched_get_priority_min(SCHED_RR) - 1;
    for (int32 level = 3; level <= 5; ++level) {
      EXPECT_TRUE(thread.setPriority(level));
      const Scheduling seen = thread.now();
      EXPECT_EQ(seen.policy, SCHED_RR);
      EXPECT_GT(seen.priority, previous);
      EXPECT_LE(seen.priority, sched_get_priority_max(SCHED_RR));
      previous = seen.priority;
    }
    EXPECT_TRUE(thread.setPriority(0));
    EXPECT_EQ(thread.now(), shared[0]);
  }
  EXPECT_TRUE(thread.finishAndJoin());
  EXPECT_FALSE(thread.setPriority(2));
}

TEST(FThread, PinsTheCallingThread) {
  std::thread pinned([] {
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    int cpu = CPU_SETSIZE - 1;
    while (cpu >= 0 && !CPU_ISSET(cpu, &allowed)) --cpu;

    FThread thread("pinned");
    EXPECT_TRUE(thread.setCpuAffinity(cpu));
    cpu_set_t now;
    ASSERT_EQ(pthread_getaffinity_np(pthread_self(), sizeof now, &now), 0);
    EXPECT_EQ(CPU_COUNT(&now), 1);
    EXPECT_TRUE(CPU_ISSET(cpu, &now));
    EXPECT_EQ(sched_getcpu(), cpu);
    EXPECT_FALSE(thread.setCpuAffinity(-1));
    EXPECT_FALSE(thread.setCpuAffinity(CPU_SETSIZE));
  });
  pinned.join();
}

// Records each thread it is told of, with true for its creation.
class RecordingSpy : public IThreadSpy {
 public:
  using Event = std::pair<bool, FThread*>;
  void threadCreated(FThread* thread) override { events.push_back({true, thread}); }
  void threadDestroyed(FThread* thread) override { events.push_back({false, thread}); }
  std::vector<Event> events;
};

TEST(FThread, SpySeesCreationAndDestruction) {
  RecordingSpy spy;
  FThread::setSpy(&spy);
  FThread* seen = new FThread("watched");
  delete seen;
  FThread::setSpy(nullptr);
  { FThread unwatched("unwatched"); }
  const std::vector<RecordingSpy::Event> expected = {{true, seen}, {false, seen}};
  EXPECT_EQ(spy.events, expected);
}

// Destroys itself as the last thing its entry does, then says so.
class SelfDestroyingThread : public FThread {
 public:
  explicit SelfDestroyingThread(FCondition& done) : FThread("self"), done(done) {}
  int32 entry() override {
    FCondition& finished = done;
    delete this;
    finished.signal();
    return 0;
  }
  FCondition& done;
};

TEST(FThread, ThreadMayDestroyItsOwnObject) {
  FCondition done;
  auto* thread = new SelfDestroyingThread(done);
  ASSERT_EQ(thread->run(), 0);
  done.wait();
}

TEST(FThreadSleep, SleepsAndReturnsFalse) {
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_FALSE(FThreadSleep(0));
  EXPECT_FALSE(FThreadSleep(40));
  EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(40));
}

}  // namespace
}  // namespace Quillon
