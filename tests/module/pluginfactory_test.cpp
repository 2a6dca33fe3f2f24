// Tests of CPluginFactory with test-only classes: lookups, growth, records and creation.
#include "module/pluginfactory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "interfaces/idetector.h"
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

  // Creates the class and hands back its IPluginBase; null on failure.
  IPluginBase* create(const FUID& classId) {
    void* obj = nullptr;
    factory->createInstance(classId.tuid(), IPluginBase::iid.tuid(), &obj);
    return static_cast<IPluginBase*>(obj);
  }

  CPluginFactory* factory = new CPluginFactory(PFactoryInfo("Vendor", "", "", 0));
};

TEST_F(CPluginFactoryTest, KeepsEachRecordFormInRegistrationOrder) {
  const PClassInfo first = classInfo(1);
  const PClassInfo2 second(classIdOf(2).tuid(), 2, "Test", "Widget 2", 4, "", "", "2.0", "");
  ASSERT_TRUE(factory->registerClass(&first, Widget::create, nullptr));
  ASSERT_TRUE(factory->registerClass(&second, Widget::create, nullptr));
  EXPECT_FALSE(factory->registerClass(&first, nullptr, nullptr));
  EXPECT_FALSE(
      factory->registerClass(static_cast<const PClassInfo2*>(nullptr), Widget::create, nullptr));
  EXPECT_EQ(factory->countClasses(), 2);
  EXPECT_TRUE(factory->isClassRegistered(classIdOf(2)));
  EXPECT_FALSE(factory->isClassRegistered(classIdOf(3)));

  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kOk);
  EXPECT_EQ(std::memcmp(&info, &first, sizeof info), 0);
  PClassInfo2 info2;
  ASSERT_EQ(factory->getClassInfo2(1, &info2), kOk);
  EXPECT_EQ(std::memcmp(&info2, &second, sizeof info2), 0);
  // Registered from PClassInfo, a class reads back as PClassInfo2 with zero further fields.
  ASSERT_EQ(factory->getClassInfo2(0, &info2), kOk);
  EXPECT_STREQ(info2.name, "Widget 1");
  EXPECT_EQ(info2.classFlags, 0u);
  EXPECT_EQ(info2.version[0], 0);
  PClassInfoW infoW;
  ASSERT_EQ(factory->getClassInfoUnicode(1, &infoW), kOk);
  EXPECT_EQ(std::u16string(infoW.version), u"2.0");
}

TEST_F(CPluginFactoryTest, BadIndexOrNullRecordWritesNothing) {
  const PClassInfo first = classInfo(1);
  factory->registerClass(&first, Widget::create, nullptr);
  PClassInfoW info;  // large enough for every form
  std::memset(static_cast<void*>(&info), 0x5A, sizeof info);
  const PClassInfoW before = info;
  for (int32 index : {-1, 1, 1000}) {
    EXPECT_EQ(factory->getClassInfo(index, reinterpret_cast<PClassInfo*>(&info)), kBadArgument);
    EXPECT_EQ(factory->getClassInfo2(index, reinterpret_cast<PClassInfo2*>(&info)), kBadArgument);
    EXPECT_EQ(factory->getClassInfoUnicode(index, &info), kBadArgument);
  }
  EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
  EXPECT_EQ(factory->getClassInfo(0, nullptr) + factory->getClassInfo2(0, nullptr) +
                factory->getClassInfoUnicode(0, nullptr),
            3 * kBadArgument);
}

TEST_F(CPluginFactoryTest, WideOnlyClassHasNo8BitRecord) {
  PClassInfoW wide;
  wide.fromAscii(PClassInfo2(classIdOf(5).tuid(), 1, "Test", "Wide", 0, "", "", "1", ""));
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
  IPluginBase* instance = create(classIdOf(5));
  ASSERT_NE(instance, nullptr);
  instance->release();
}

TEST_F(CPluginFactoryTest, GrowsByTenKeepingEarlierEntries) {
  std::vector<PClassInfo> infos;
  for (int n = 0; n < 21; ++n) {
    infos.push_back(classInfo(n));
    ASSERT_TRUE(factory->registerClass(&infos.back(), Widget::create, nullptr));
    EXPECT_EQ(factory->capacity(), n < 10 ? 10 : n < 20 ? 20 : 30);
  }
  for (int n = 0; n < 21; ++n) {
    PClassInfo info;
    ASSERT_EQ(factory->getClassInfo(n, &info), kOk);
    EXPECT_EQ(std::memcmp(&info, &infos[n], sizeof info), 0) << "entry " << n;
  }
}

TEST_F(CPluginFactoryTest, CreatesTheFirstMatchWithItsContextAndReleasesWhatItKeeps) {
  int firstCalls = 0, secondCalls = 0;
  const PClassInfo widget = classInfo(1), nothing = classInfo(2), outOfMemory = classInfo(3);
  factory->registerClass(&widget, Widget::create, &firstCalls);
  factory->registerClass(&widget, Widget::create, &secondCalls);  // same identifier, shadowed
  factory->registerClass(&nothing, Widget::createNothing, nullptr);
  factory->registerClass(&outOfMemory, Widget::createOutOfMemory, nullptr);

  const FUID id1 = classIdOf(1), id2 = classIdOf(2), id3 = classIdOf(3), id9 = classIdOf(9);
  const struct {
    const char* classId;
    const char* iid;
  } failures[] = {
      {id1.tuid(), IDetector::iid.tuid()},    // interface not offered
      {id9.tuid(), IPluginBase::iid.tuid()},  // unknown class
      {id2.tuid(), IPluginBase::iid.tuid()},  // creation gives null
      {id3.tuid(), IPluginBase::iid.tuid()},  // creation runs out of memory
      {id1.tuid(), nullptr},
      {nullptr, IPluginBase::iid.tuid()},
  };
  for (const auto& failure : failures) {
    void* obj = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->createInstance(failure.classId, failure.iid, &obj), kNotFound);
    EXPECT_EQ(obj, nullptr);
  }
  // Nowhere to store the instance: nothing is created.
  EXPECT_EQ(factory->createInstance(id1.tuid(), IPluginBase::iid.tuid(), nullptr), kNotFound);
  EXPECT_EQ(Widget::destroyed, 1) << "only the instance without the interface was made";

  IPluginBase* instance = create(id1);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(firstCalls, 2);
  EXPECT_EQ(secondCalls, 0);
  EXPECT_EQ(instance->release(), 0u) << "the caller holds the only reference";
}

TEST(CPluginFactory, CountsFromFourThreadsAndIsDestroyedOnce) {
  // The destructor clearing gPluginFactory shows when (and that) the factory was destroyed.
  auto* factory = new CPluginFactory(PFactoryInfo());
  gPluginFactory = factory;
  constexpr int kThreads = 4;
  constexpr int kRounds = 50000;
  auto inParallel = [](auto&& step) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&step] {
        for (int i = 0; i < kRounds; ++i) step();
      });
    for (auto& thread : threads) thread.join();
  };
  inParallel([factory] { factory->addRef(); });
  EXPECT_EQ(factory->addRef(), uint32(2 + kThreads * kRounds));
  EXPECT_EQ(factory->release(), uint32(1 + kThreads * kRounds));
  inParallel([factory] { factory->release(); });
  ASSERT_EQ(gPluginFactory, factory) << "destroyed before its last reference went";
  EXPECT_EQ(factory->release(), 0u);
  EXPECT_EQ(gPluginFactory, nullptr);
}

}  // namespace
}  // namespace Quillon
