// Tests for FObject and Singleton: counting, interfaces, class names, change notices, exit.
#include "base/source/fobject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace Quillon {
namespace {

// Tells its destruction through `*destroyedAt`: the count it found there.
class Probe : public FObject {
 public:
  explicit Probe(int32* destroyedAt = nullptr) : destroyedAt(destroyedAt) {}
  ~Probe() override {
    if (destroyedAt != nullptr) *destroyedAt = refCount;
  }
  const char* isA() const override { return "Probe"; }
  using FObject::isA;
  bool isTypeOf(const char* name, bool askBaseClass = true) const override {
    if (name != nullptr && std::strcmp(name, "Probe") == 0) return true;
    return askBaseClass && FObject::isTypeOf(name, true);
  }
  void updateDone() override { ++updatesDone; }

  int updatesDone = 0;

 private:
  int32* destroyedAt;
};

class SubProbe : public Probe {
 public:
  const char* isA() const override { return "SubProbe"; }
  using Probe::isA;
  bool isTypeOf(const char* name, bool askBaseClass = true) const override {
    if (name != nullptr && std::strcmp(name, "SubProbe") == 0) return true;
    return askBaseClass && Probe::isTypeOf(name, true);
  }
};

TEST(FObject, LastReleaseDestroys) {
  int32 destroyedAt = 0;
  auto* object = new Probe(&destroyedAt);
  EXPECT_EQ(object->addRef(), 2u);
  EXPECT_EQ(object->release(), 1u);
  EXPECT_EQ(destroyedAt, 0);
  EXPECT_EQ(object->release(), 0u);
  EXPECT_EQ(destroyedAt, -1000);
}

TEST(FObject, AnswersItsThreeIdentifiers) {
  EXPECT_TRUE(FObject::iid.isValid());
  EXPECT_NE(FObject::iid, FUnknown::iid);
  EXPECT_NE(FObject::iid, IDependent::iid);

  auto* object = new Probe;
  for (const FUID* id : {&FUnknown::iid, &IDependent::iid, &FObject::iid}) {
    void* answer = nullptr;
    EXPECT_EQ(object->queryInterface(id->tuid(), &answer), kOk);
    EXPECT_EQ(answer, static_cast<void*>(object));
  }
  void* answer = object;
  EXPECT_EQ(object->queryInterface(IUpdateHandler::iid.tuid(), &answer), kNotFound);
  EXPECT_EQ(answer, nullptr);
  EXPECT_EQ(object->queryInterface(FObject::iid.tuid(), nullptr), kNotFound);
  EXPECT_EQ(object->release(), 3u);
  for (int i = 0; i < 3; ++i) object->release();
}

TEST(FObject, ClassNamesFollowTheClassChain) {
  FObject* object = new SubProbe;
  EXPECT_STREQ(object->isA(), "SubProbe");
  EXPECT_TRUE(object->isA("SubProbe"));
  EXPECT_FALSE(object->isA("Probe"));
  EXPECT_TRUE(object->isTypeOf("Probe", true));
  EXPECT_TRUE(object->isTypeOf("FObject", true));
  EXPECT_FALSE(object->isTypeOf("FObject", false));
  EXPECT_FALSE(object->isTypeOf("fobject", true));
  EXPECT_FALSE(object->isTypeOf(nullptr, true));
  object->release();

  object = new FObject;
  EXPECT_TRUE(object->isA("FObject"));
  EXPECT_FALSE(object->isA("FOBJECT"));
  EXPECT_FALSE(object->isA(nullptr));
  object->release();
}

// Records what the objects tell it.
class RecordingHandler : public IUpdateHandler {
 public:
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

  std::string log;

 private:
  ResultCode record(const char* what, FUnknown* object, IDependent* dependent, int32 message) {
    char line[128];
    std::snprintf(line, sizeof line, "%s %p %p %d;", what, static_cast<void*>(object),
                  static_cast<void*>(dependent), message);
    log += line;
    return kOk;
  }
};

TEST(FObject, ChangesGoToTheUpdateHandler) {
  auto* object = new Probe;
  auto* dependent = new Probe;
  object->addDependent(dependent);
  object->changed(5);
  object->deferUpdate(6);
  EXPECT_EQ(object->updatesDone, 2);

  RecordingHandler handler;
  FObject::gUpdateHandler = &handler;
  object->addDependent(dependent);
  object->changed(5);
  object->deferUpdate(6);
  object->removeDependent(dependent);
  FObject::gUpdateHandler = nullptr;
  EXPECT_EQ(object->updatesDone, 2);

  char expected[512];
  const void* o = static_cast<FUnknown*>(object);
  const void* d = static_cast<IDependent*>(dependent);
  const void* none = nullptr;
  std::snprintf(expected, sizeof expected,
                "add %p %p 0;changed %p %p 5;deferred %p %p 6;remove %p %p 0;", o, d, o, none, o,
                none, o, d);
  EXPECT_EQ(handler.log, expected);
  object->release();
  dependent->release();
}

// Says on standard error when it is destroyed, and whether the registry had ended by then.
class Named : public FObject {
 public:
  explicit Named(const char* name) : name(name) {}
  ~Named() override {
    std::fprintf(stderr, "%s%s;", name, Singleton::isTerminated() ? " after exit" : "");
  }

 private:
  const char* name;
};

TEST(Singleton, ReleasesRegisteredObjectsAtExitInOrder) {
  EXPECT_FALSE(Singleton::isTerminated());
  // The child runs this test alone, so no thread of another test is copied into it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        static FObject* first = new Named("first");
        static FObject* second = new Named("second");
        static FObject* cleared = new Named("cleared");
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
