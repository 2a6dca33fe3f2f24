// Reference counting of the factory and of every component under eight threads at once: no
// count is lost and each object is destroyed exactly once, by its last release.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "interfaces/idetector.h"
#include "interfaces/ihwremote.h"
#include "module/componentclasses.h"
#include "tests/support/failing_allocator.h"

namespace Quillon {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 20000;

// Runs `work(thread)` on kThreads threads at once and waits for all.
void inParallel(const std::function<void(int)>& work) {
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(work, t);
  for (std::thread& thread : threads) thread.join();
}

// Drives one object through `faces`, interfaces that share its count (borrowed; the caller
// holds one reference, which this takes over).
void hammer(const std::vector<FUnknown*>& faces) {
  testing_support::DeletionWatch watch(dynamic_cast<void*>(faces.front()));
  const auto face = [&](int t, int i) { return faces[std::size_t(t + i) % faces.size()]; };

  // Every thread takes kRounds references; none is lost.
  inParallel([&](int t) {
    for (int i = 0; i < kRounds; ++i) face(t, i)->addRef();
  });
  const uint32 taken = 1 + kThreads * kRounds;
  EXPECT_EQ(faces.front()->addRef(), taken + 1);
  EXPECT_EQ(faces.back()->release(), taken);

  // The threads give them back while taking and dropping more; the caller's reference goes
  // first, so one of the threads destroys the object.
  faces.front()->release();
  std::atomic<int> zeros{0};
  inParallel([&](int t) {
    for (int i = 0; i < kRounds; ++i) {
      face(t, i + 1)->addRef();
      face(t, i)->release();
      if (face(t, i + 2)->release() == 0) ++zeros;
    }
  });
  EXPECT_EQ(zeros.load(), 1) << "release must answer 0 exactly once";
  EXPECT_EQ(watch.deletions(), 1) << "the object must be destroyed exactly once";
}

class ComponentThreads : public testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::FailingAllocations::inForce())
      GTEST_SKIP() << "deletions cannot be counted under a replaced allocator";
    registerComponentClasses(*factory);
  }
  void TearDown() override {
    if (factory != nullptr) factory->release();
  }

  template <class I>
  I* create(const char* classId) {
    void* obj = nullptr;
    EXPECT_EQ(factory->createInstance(classId, I::iid.tuid(), &obj), kOk);
    return static_cast<I*>(obj);
  }

  CPluginFactory* factory = new CPluginFactory(moduleFactoryInfo());
};

TEST_F(ComponentThreads, ServiceCountsEveryReference) {
  hammer({create<IPluginBase>(kp_hostLinkClassId)});
}

TEST_F(ComponentThreads, RemoteSurfaceCountsEveryReference) {
  hammer({create<IHWRemote>(kp_hwRemoteClassId)});
}

TEST_F(ComponentThreads, DetectionCountsEveryReferenceThroughBothInterfaces) {
  auto* base = create<IPluginBase>(kp_detectClassId);
  ASSERT_NE(base, nullptr);
  void* detector = nullptr;
  ASSERT_EQ(base->queryInterface(IDetector::iid.tuid(), &detector), kOk);
  ASSERT_NE(detector, static_cast<void*>(base)) << "the second base is its own interface";
  base->release();  // the detector's reference stands for both
  hammer({base, static_cast<IDetector*>(detector)});
}

TEST_F(ComponentThreads, FactoryCountsEveryReference) {
  CPluginFactory* shared = factory;
  factory = nullptr;
  hammer({static_cast<IPluginFactory*>(shared)});
}

}  // namespace
}  // namespace Quillon
