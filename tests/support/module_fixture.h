// ModuleFixture: a test whose simulated host's registry the module holds in `gp_hostClasses`,
// as after the service component's start, with the module-wide flags cleared before and after.
#pragma once

#include "device/hostglobals.h"
#include "tests/support/host_fixture.h"

namespace testing_support {

class ModuleFixture : public HostFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(gp_hostClasses, nullptr) << "an earlier test left the registry";
    host.registry().addRef();
    gp_hostClasses = &host.registry();
    g_isTessera5 = false;
    g_bRemoteInstalled = false;
  }
  void TearDown() override {
    dropRegistry();
    g_isTessera5 = false;
    g_bRemoteInstalled = false;
    HostFixture::TearDown();
  }
  // Gives the registry back, as the service component's `terminate` does.
  void dropRegistry() {
    if (gp_hostClasses != nullptr) gp_hostClasses->release();
    gp_hostClasses = nullptr;
  }
};

}  // namespace testing_support
