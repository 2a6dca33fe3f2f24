// Tests for FObject and Singleton: counting, interfaces, class names, change notices, exit.
#include "base/source/fobject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace Quillon {
namespace {

// Tells its destruction through `*destroyedAt` (the count it found there) and, when named, on
// standard error with whether the singleton registry had ended by then.
class Probe : public FObject {
 public:
  explicit Probe(int32* destroyedAt = nullptr, const char* name = nullptr)
      : destroyedAt(destroyedAt), name(name) {}
  ~Probe() override {
    if (destroyedAt != nullptr) *destroyedAt = refCount;
    if (name != nullptr)
      std::fprintf(stderr, "%s%s;", name, Singleton::isTerminated() ? " after exit" : "");
  }
  const char* isA() const override { return "Probe"; }
  using FObject::isA;
  bool isTypeOf(const char* name, bool askBaseClass = true) const override {
    if (name != nullptr && std::strcmp(name, "Probe") == 0) return true;
    return askBaseClass && FObject::isTypeOf(name, true);
  }
  void updateDone() override { ++updatesDone; }

  int updatesDone = 0;
  int32* destroyedAt;
  const char* name;
};

TEST(FObject, CountsReferencesAndAnswersItsIdentifiersAndClassNames) {
  EXPECT_TRUE(FObject::iid.isValid());
  EXPECT_NE(FObject::iid, FUnknown::iid);
  EXPECT_NE(FObject::iid, IDependent::iid);

  int32 destroyedAt = 0;
  FObject* object = new Probe(&destroyedAt);
  EXPECT_STREQ(object->isA(), "Probe");
  EXPECT_TRUE(object->isA("Probe"));
  EXPECT_FALSE(object->isA("FObject"));
  EXPECT_TRUE(object->isTypeOf("FObject", true));
  EXPECT_FALSE(object->isTypeOf("FObject", false));
  EXPECT_FALSE(object->isTypeOf("fobject", true));
  EXPECT_FALSE(object->isTypeOf(nullptr, true));
  const FObject plain;
  EXPECT_TRUE(plain.isA("FObject"));
  EXPECT_FALSE(plain.isA("FOBJECT"));
  EXPECT_FALSE(plain.isA(nullptr));

  for (const FUID* id : {&FUnknown::iid, &IDependent::iid, &FObject::iid}) {
    void* answer = nullptr;
    EXPECT_EQ(object->queryInterface(id->tuid(), &answer), kOk);
    EXPECT_EQ(answer, static_cast<void*>(object));
  }
  void* answer = object;
  EXPECT_EQ(object->queryInterface(IUpdateHandler::iid.tuid(), &answer), kNotFound);
  EXPECT_EQ(answer, nullptr);
  EXPECT_EQ(object->queryInterface(FObject::iid.tuid(), nullptr), kNotFound);
  // Each answer added a reference; the refusals did not.
  EXPECT_EQ(object->addRef(), 5u);
  for (uint32 left = 4; left > 0; --left) EXPECT_EQ(object->release(), left);
  EXPECT_EQ(destroyedAt, 0);
  EXPECT_EQ(object->release(), 0u);
  EXPECT_EQ(destroyedAt, -1000);
}

// Records what the objects tell it: the call, the object, the dependent and the message.
class RecordingHandler : public IUpdateHandler {
 public:
  using Notice = std::tuple<std::string, FUnknown*, IDependent*, int32>;
  ResultCode queryInterface(const char*, void**) override { return kNotFound; }
  uint32 addRef() override { return 1; }
  uint32 release() override { return 1; }
  ResultCode addDependent(FUnknown* object, IDependent* dependent) override {
    return record("add", object, dependent, 0);
  }
  ResultCode removeDependent(FUnknown* object, IDependent* dependent) override {
    return record("remove", object, dependent, 0);
  }
  ResultCode notifyChanged(FUnknown* object, int32 message) override {
    return record("changed", object, nullptr, message);
  }
  ResultCode notifyDeferred(FUnknown* object, int32 message) override {
    return record("deferred", object, nullptr, message);
  }
  ResultCode record(const char* what, FUnknown* object, IDependent* dependent, int32 message) {
    log.emplace_back(what, object, dependent, message);
    return kOk;
  }

  std::vector<Notice> log;
};

TEST(FObject, ChangesGoToTheUpdateHandler) {
  Probe object;
  Probe dependent;
  object.addDependent(&dependent);
  object.changed(5);
  object.deferUpdate(6);
  EXPECT_EQ(object.updatesDone, 2);

  RecordingHandler handler;
  FObject::gUpdateHandler = &handler;
  object.addDependent(&dependent);
  object.changed(5);
  object.deferUpdate(6);
  object.removeDependent(&dependent);
  FObject::gUpdateHandler = nullptr;
  EXPECT_EQ(object.updatesDone, 2);
  const std::vector<RecordingHandler::Notice> expected = {{"add", &object, &dependent, 0},
                                                          {"changed", &object, nullptr, 5},
                                                          {"deferred", &object, nullptr, 6},
                                                          {"remove", &object, &dependent, 0}};
  EXPECT_EQ(handler.log, expected);
}

// Eight threads drop the last eight references at once: one destroys the object, and no
// release reads it after its own step (ThreadSanitizer and ASan see any access that races
// the destruction).
TEST(FObject, ConcurrentReleasesDestroyOnceAndNeverTouchTheObjectAfterTheirStep) {
  constexpr int kThreads = 8;
  for (int round = 0; round < 20; ++round) {
    std::atomic<int> destroyed{0}, zeros{0}, waiting{kThreads};
    class Counted : public FObject {
     public:
      explicit Counted(std::atomic<int>& destroyed) : destroyed(destroyed) {}
      ~Counted() override { ++destroyed; }
      std::atomic<int>& destroyed;
    };
    FObject* object = new Counted(destroyed);
    for (int i = 1; i < kThreads; ++i) object->addRef();
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&] {
        --waiting;
        while (waiting.load() > 0) std::this_thread::yield();
        const uint32 left = object->release();
        EXPECT_LT(left, uint32(kThreads));
        if (left == 0) ++zeros;
      });
    }
    for (std::thread& thread : threads) thread.join();
    ASSERT_EQ(destroyed.load(), 1);
    ASSERT_EQ(zeros.load(), 1);
  }
}

TEST(Singleton, ReleasesRegisteredObjectsAtExitInOrder) {
  EXPECT_FALSE(Singleton::isTerminated());
  // The child runs this test alone, so no thread of another test is copied into it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static FObject* first = new Probe(nullptr, "first");
        static FObject* second = new Probe(nullptr, "second");
        static FObject* cleared = new Probe(nullptr, "cleared");
        Singleton::registerInstance(&first);
        Singleton::registerInstance(&second);
        Singleton::registerInstance(&first);  // twice: released once
        Singleton::registerInstance(&cleared);
        Singleton::registerInstance(nullptr);
        cleared->release();  // its owner gave it up before exit
        cleared = nullptr;
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "^cleared;first after exit;second after exit;$");
}

}  // namespace
}  // namespace Quillon
