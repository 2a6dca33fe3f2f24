// HostFixture: a test with a fresh simulated host that checks, at the end, that the module gave
// back every host reference it took.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/simulatedhost.h"

namespace testing_support {

class HostFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_THAT(host.referenceProblems(), ::testing::IsEmpty()) << "in the simulated host";
  }

  simhost::SimulatedHost host;
};

}  // namespace testing_support
