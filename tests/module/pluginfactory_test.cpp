// Tests of CPluginFactory with test-only classes: lookups, growth, records and creation.
#include "module/pluginfactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "interfaces/idetector.h"
#include "interfaces/ipluginbase.h"
#include "tests/support/test_component.h"

namespace Quillon {
namespace {

using Widget = testing_support::TestComponent;

FUID classIdOf(int n) { return FUID(0xC1A55000u + uint32(n), 0x1, 0x2, 0x3); }

PClassInfo classInfo(int n) {
  const std::string name = "Widget " + std::to_string(n);
  return PClassInfo(classIdOf(n).tuid(), n, "Test", name.c_str());
}

class CPluginFactoryTest : public testing::Test {
 protected:
  void SetUp() override { Widget::resetCounts(); }
  void TearDown() override {
    factory->release();
    EXPECT_EQ(Widget::live, 0) << "an instance was left behind";
  }

  CPluginFactory* factory = new CPluginFactory(PFactoryInfo("Vendor", "", "", 0));
};

TEST_F(CPluginFactoryTest, ListsClassesInRegistrationOrder) {
  const PClassInfo first = classInfo(1);
  const PClassInfo2 second(classIdOf(2).tuid(), 2, "Test", "Widget 2", 4, "", "", "2.0", "");
  ASSERT_TRUE(factory->registerClass(&first, Widget::create, nullptr));
  ASSERT_TRUE(factory->registerClass(&second, Widget::create, nullptr));
  EXPECT_EQ(factory->countClasses(), 2);
  EXPECT_TRUE(factory->isClassRegistered(classIdOf(2)));
  EXPECT_FALSE(factory->isClassRegistered(classIdOf(3)));

  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kOk);
  EXPECT_EQ(std::memcmp(&info, &first, sizeof info), 0);
  PClassInfo2 info2;
  ASSERT_EQ(factory->getClassInfo2(1, &info2), kOk);
  EXPECT_EQ(std::memcmp(&info2, &second, sizeof info2), 0);
  // A class registered from PClassInfo reads back as PClassInfo2 with zero further fields.
  ASSERT_EQ(factory->getClassInfo2(0, &info2), kOk);
  EXPECT_STREQ(info2.name, "Widget 1");
  EXPECT_EQ(info2.classFlags, 0u);
  EXPECT_EQ(info2.version[0], 0);
  PClassInfoW infoW;
  ASSERT_EQ(factory->getClassInfoUnicode(1, &infoW), kOk);
  EXPECT_EQ(std::u16string(infoW.name), u"Widget 2");
  EXPECT_EQ(std::u16string(infoW.version), u"2.0");
  EXPECT_EQ(infoW.classFlags, 4u);
}

TEST_F(CPluginFactoryTest, RefusesNullRecordsAndFunctions) {
  const PClassInfo info = classInfo(1);
  EXPECT_FALSE(
      factory->registerClass(static_cast<const PClassInfo*>(nullptr), Widget::create, nullptr));
  EXPECT_FALSE(
      factory->registerClass(static_cast<const PClassInfo2*>(nullptr), Widget::create, nullptr));
  EXPECT_FALSE(
      factory->registerClass(static_cast<const PClassInfoW*>(nullptr), Widget::create, nullptr));
  EXPECT_FALSE(factory->registerClass(&info, nullptr, nullptr));
  EXPECT_EQ(factory->countClasses(), 0);
}

TEST_F(CPluginFactoryTest, BadIndexOrNullRecordWritesNothing) {
  const PClassInfo first = classInfo(1);
  factory->registerClass(&first, Widget::create, nullptr);
  PClassInfo info;
  std::memset(static_cast<void*>(&info), 0x5A, sizeof info);
  const PClassInfo before = info;
  PClassInfo2 info2;
  PClassInfoW infoW;
  for (int32 index : {-1, 1, 1000}) {
    EXPECT_EQ(factory->getClassInfo(index, &info), kBadArgument);
    EXPECT_EQ(factory->getClassInfo2(index, &info2), kBadArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(index, &infoW), kBadArgument);
  }
  EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
  EXPECT_EQ(factory->getClassInfo(0, nullptr), kBadArgument);
  EXPECT_EQ(factory->getClassInfo2(0, nullptr), kBadArgument);
  EXPECT_EQ(factory->getClassInfoUnicode(0, nullptr), kBadArgument);
}

TEST_F(CPluginFactoryTest, WideOnlyClassHasNo8BitRecord) {
  PClassInfo2 source(classIdOf(5).tuid(), 1, "Test", "Wide", 0, "", "", "1", "");
  PClassInfoW wide;
  wide.fromAscii(source);
  ASSERT_TRUE(factory->registerClass(&wide, Widget::create, nullptr));
  PClassInfo info;
  std::memset(static_cast<void*>(&info), 0x5A, sizeof info);
  EXPECT_EQ(factory->getClassInfo(0, &info), kFalse);
  const PClassInfo zero;
  EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0) << "zero-filled";
  PClassInfo2 info2;
  EXPECT_EQ(factory->getClassInfo2(0, &info2), kFalse);
  PClassInfoW back;
  ASSERT_EQ(factory->getClassInfoUnicode(0, &back), kOk);
  EXPECT_EQ(std::memcmp(&back, &wide, sizeof back), 0);
  // The wide record's identifier is the one lookups compare.
  void* obj = nullptr;
  EXPECT_EQ(factory->createInstance(classIdOf(5).tuid(), IPluginBase::iid.tuid(), &obj), kOk);
  static_cast<IPluginBase*>(obj)->release();
}

TEST_F(CPluginFactoryTest, GrowsByTenKeepingEarlierEntries) {
  EXPECT_EQ(factory->capacity(), 0);
  std::vector<PClassInfo> infos;
  for (int n = 0; n < 21; ++n) infos.push_back(classInfo(n));
  for (int n = 0; n < 10; ++n)
    ASSERT_TRUE(factory->registerClass(&infos[n], Widget::create, nullptr));
  EXPECT_EQ(factory->capacity(), 10);
  ASSERT_TRUE(factory->registerClass(&infos[10], Widget::create, nullptr));
  EXPECT_EQ(factory->capacity(), 20);
  for (int n = 11; n < 21; ++n)
    ASSERT_TRUE(factory->registerClass(&infos[n], Widget::create, nullptr));
  EXPECT_EQ(factory->capacity(), 30);
  ASSERT_EQ(factory->countClasses(), 21);
  for (int n = 0; n < 21; ++n) {
    PClassInfo info;
    ASSERT_EQ(factory->getClassInfo(n, &info), kOk);
    EXPECT_EQ(std::memcmp(&info, &infos[n], sizeof info), 0) << "entry " << n;
  }
}

TEST_F(CPluginFactoryTest, CreatesTheFirstMatchingClassWithItsContext) {
  int firstCalls = 0, secondCalls = 0;
  const PClassInfo info = classInfo(1);
  factory->registerClass(&info, Widget::create, &firstCalls);
  factory->registerClass(&info, Widget::create, &secondCalls);  // same identifier, shadowed
  void* obj = nullptr;
  ASSERT_EQ(factory->createInstance(classIdOf(1).tuid(), IPluginBase::iid.tuid(), &obj), kOk);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(firstCalls, 1);
  EXPECT_EQ(secondCalls, 0);
  EXPECT_EQ(Widget::live, 1);
  // The caller holds the only reference.
  EXPECT_EQ(static_cast<IPluginBase*>(obj)->release(), 0u);
  EXPECT_EQ(Widget::live, 0);
}

TEST_F(CPluginFactoryTest, CreateInstanceReleasesWhatItDoesNotHandOut) {
  const PClassInfo widget = classInfo(1);
  const PClassInfo nothing = classInfo(2);
  const PClassInfo outOfMemory = classInfo(3);
  factory->registerClass(&widget, Widget::create, nullptr);
  factory->registerClass(&nothing, Widget::createNothing, nullptr);
  factory->registerClass(&outOfMemory, Widget::createOutOfMemory, nullptr);

  const struct {
    const char* what;
    FUID classId;
    const char* iid;
  } failures[] = {
      {"interface not offered", classIdOf(1), IDetector::iid.tuid()},
      {"unknown class", classIdOf(9), IPluginBase::iid.tuid()},
      {"creation gives null", classIdOf(2), IPluginBase::iid.tuid()},
      {"creation runs out of memory", classIdOf(3), IPluginBase::iid.tuid()},
      {"null interface identifier", classIdOf(1), nullptr},
  };
  for (const auto& failure : failures) {
    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->createInstance(failure.classId.tuid(), failure.iid, &obj), kNotFound)
        << failure.what;
    EXPECT_EQ(obj, nullptr) << failure.what;
    EXPECT_EQ(Widget::live, 0) << failure.what;
  }
  void* obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->createInstance(nullptr, IPluginBase::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
  // Nowhere to store the instance: nothing is created.
  EXPECT_EQ(factory->createInstance(classIdOf(1).tuid(), IPluginBase::iid.tuid(), nullptr),
            kNotFound);
  EXPECT_EQ(Widget::live, 0);
}

TEST_F(CPluginFactoryTest, FactoryRecordAndHostContext) {
  PFactoryInfo info;
  EXPECT_EQ(factory->getFactoryInfo(&info), kOk);
  EXPECT_STREQ(info.vendor, "Vendor");
  EXPECT_EQ(info.flags, 0x10);
  EXPECT_EQ(factory->getFactoryInfo(nullptr), kOk);
  EXPECT_EQ(factory->setHostContext(nullptr), kOk);
}

TEST_F(CPluginFactoryTest, AnswersEachFactoryInterfaceWithItself) {
  for (const FUID* iid :
       {&IPluginFactory::iid, &IPluginFactory2::iid, &IPluginFactory3::iid, &FUnknown::iid}) {
    void* obj = nullptr;
    ASSERT_EQ(factory->queryInterface(iid->tuid(), &obj), kOk);
    EXPECT_EQ(obj, static_cast<IPluginFactory*>(factory));
    EXPECT_EQ(factory->release(), 1u);
  }
  void* obj = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->queryInterface(IPluginBase::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
}

TEST(CPluginFactory, DestructionClearsTheLiveFactory) {
  auto* factory = new CPluginFactory(PFactoryInfo());
  gPluginFactory = factory;
  auto* other = new CPluginFactory(PFactoryInfo());
  EXPECT_EQ(other->release(), 0u);
  EXPECT_EQ(gPluginFactory, factory) << "only the live factory clears it";
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_EQ(gPluginFactory, nullptr);
}

TEST(CPluginFactory, CountsFromFourThreadsAndIsDestroyedOnce) {
  // The destructor clearing gPluginFactory shows when (and that) the factory was destroyed.
  auto* factory = new CPluginFactory(PFactoryInfo());
  gPluginFactory = factory;
  constexpr int kThreads = 4;
  constexpr int kRounds = 50000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([factory] {
      for (int i = 0; i < kRounds; ++i) factory->addRef();
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(factory->addRef(), uint32(2 + kThreads * kRounds));
  EXPECT_EQ(factory->release(), uint32(1 + kThreads * kRounds));

  threads.clear();
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([factory] {
      for (int i = 0; i < kRounds; ++i) factory->release();
    });
  for (auto& thread : threads) thread.join();
  ASSERT_EQ(gPluginFactory, factory) << "destroyed before its last reference went";
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_EQ(gPluginFactory, nullptr);
}

}  // namespace
}  // namespace Quillon
