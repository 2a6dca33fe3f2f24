// Tests for the atomic operations: results, compare-and-swap, and no lost steps under contention.
#include "base/source/fatomic.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace Quillon {
namespace {

TEST(FAtomic, StepsReturnTheValueBefore) {
  int32 volatile value = 5;
  EXPECT_EQ(FAtomicIncrement(value), 5);
  EXPECT_EQ(FAtomicDecrement(value), 6);
  EXPECT_EQ(FAtomicAdd(value, -7), 5);
  EXPECT_EQ(value, -2);
  EXPECT_FALSE(FAtomicCompareAndSwap(value, 3, 9));
  EXPECT_EQ(value, -2);
  EXPECT_TRUE(FAtomicCompareAndSwap(value, -2, 9));
  EXPECT_EQ(value, 9);
}

TEST(FAtomic, ConcurrentStepsAreNotLost) {
  int32 volatile counter = 0;
  int32 volatile swaps = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        FAtomicIncrement(counter);
        FAtomicAdd(counter, 2);
        FAtomicDecrement(counter);
        // Each success moves `swaps` on by exactly one.
        for (int32 seen = FAtomicLoad(swaps); !FAtomicCompareAndSwap(swaps, seen, seen + 1);)
          seen = FAtomicLoad(swaps);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter, 4 * 20000 * 2);
  EXPECT_EQ(swaps, 4 * 20000);
}

}  // namespace
}  // namespace Quillon
