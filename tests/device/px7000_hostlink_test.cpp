// Tests of the service component: which hosts it accepts, the registry it keeps for the other
// components, and its shutdown.
#include "device/px7000_hostlink.h"

#include <gtest/gtest.h>

#include "device/hostglobals.h"
#include "module/componentclasses.h"
#include "tests/support/failing_allocator.h"
#include "tests/support/host_fixture.h"

namespace {

using namespace Quillon;
using testing_support::HostFixture;

// Holds one service component; terminates it when a test left the registry with it.
class HostLink : public HostFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(gp_hostClasses, nullptr) << "an earlier test left the registry";
    component = static_cast<IPluginBase*>(PX7000_HostLink::newInstance(nullptr));
    ASSERT_NE(component, nullptr);
  }
  void TearDown() override {
    host.platform().setCanTerminate(true);
    component->terminate();
    EXPECT_EQ(component->release(), 0u);
    HostFixture::TearDown();
  }

  IPluginBase* component = nullptr;
};

TEST_F(HostLink, AcceptsKnownHostsFromMajorVersionFive) {
  const struct {
    const char16_t *name, *version, *build;
    bool supported, tessera5;
  } hosts[] = {
      {u"Tessera Crafter 5", u"5.0.2", u"Build 210", true, true},
      {u"Tessera 6", u"6.0.1", u"Build 77", true, false},
      {u"Veridian", u"7.2.0", u"3", true, false},
      {u"Tessera MN 5", u"5.0.0", u"Build 1", false, true},
      {u"Veridian", u"4.3.0", u"Build 1", false, true},
      {u"Tessera Crafter 5", u"5.1", u"Build 1", false, true},
      {u"Tessera Crafter 5", u"5.0.2", u"none", false, true},
      {u"Other Host", u"9.0.0", u"Build 1", false, false},
      {nullptr, u"6.0.0", u"Build 1", false, false},
      {u"Tessera", nullptr, u"Build 1", false, true},
  };
  for (const auto& row : hosts) {
    host.application().setIdentity(row.name, row.version, row.build);
    g_isTessera5 = !row.tessera5;
    EXPECT_EQ(component->initialize(host.context()), row.supported ? kOk : kFalse);
    EXPECT_EQ(gp_hostClasses != nullptr, row.supported);
    EXPECT_EQ(g_isTessera5, row.tessera5);
    EXPECT_EQ(component->terminate(), kOk);
    EXPECT_EQ(gp_hostClasses, nullptr);
    EXPECT_EQ(host.application().outstandingReferences(), 0);
  }
}

TEST_F(HostLink, NoHostApplicationLeavesTheFlagAlone) {
  host.contextObject().refuse(IHostApplicationW::iid);
  g_isTessera5 = true;
  EXPECT_EQ(component->initialize(host.context()), kFalse);
  EXPECT_TRUE(g_isTessera5);
  g_isTessera5 = false;
  EXPECT_EQ(component->initialize(nullptr), kFalse);
  EXPECT_FALSE(g_isTessera5);
  EXPECT_EQ(gp_hostClasses, nullptr);
  EXPECT_EQ(host.log().count("context.queryInterface(IHostClasses)"), 0);
}

TEST_F(HostLink, SupportedHostWithoutRegistryStillStarts) {
  host.contextObject().refuse(IHostClasses::iid);
  EXPECT_EQ(component->initialize(host.context()), kOk);
  EXPECT_EQ(gp_hostClasses, nullptr);
  EXPECT_EQ(component->terminate(), kOk);
}

TEST_F(HostLink, TerminateWaitsForThePlatformAndReleasesTheRegistryOnce) {
  ASSERT_EQ(component->initialize(host.context()), kOk);
  EXPECT_EQ(host.registry().outstandingReferences(), 1);
  host.platform().setCanTerminate(false);
  EXPECT_EQ(component->terminate(), kFalse);
  EXPECT_NE(gp_hostClasses, nullptr);
  EXPECT_EQ(host.platform().outstandingReferences(), 0);
  host.platform().setCanTerminate(true);
  EXPECT_EQ(component->terminate(), kOk);
  EXPECT_EQ(gp_hostClasses, nullptr);
  EXPECT_EQ(host.registry().outstandingReferences(), 0);
  EXPECT_EQ(host.log().count("platform.canTerminate()"), 2);
}

TEST_F(HostLink, TerminateWithoutPlatformReleasesTheRegistry) {
  ASSERT_EQ(component->initialize(host.context()), kOk);
  host.registry().withdraw(IPlatform2::iid);
  EXPECT_EQ(component->terminate(), kOk);
  EXPECT_EQ(gp_hostClasses, nullptr);
  EXPECT_EQ(component->terminate(), kOk) << "a second terminate has nothing to release";
}

TEST_F(HostLink, SecondInitializeGivesBackTheRegistryItReplaces) {
  ASSERT_EQ(component->initialize(host.context()), kOk);
  ASSERT_EQ(component->initialize(host.context()), kOk);
  EXPECT_EQ(host.registry().outstandingReferences(), 1);
}

TEST_F(HostLink, HostExceptionsPassThroughAfterEveryReferenceIsBack) {
  host.log().throwOn("application.getHostBuild");
  EXPECT_THROW(component->initialize(host.context()), simhost::HostException);
  EXPECT_EQ(host.application().outstandingReferences(), 0);
  host.log().stopThrowing();
  ASSERT_EQ(component->initialize(host.context()), kOk);
  host.log().throwOn("platform.canTerminate");
  EXPECT_THROW(component->terminate(), simhost::HostException);
  EXPECT_EQ(host.platform().outstandingReferences(), 0);
  EXPECT_NE(gp_hostClasses, nullptr);
  host.log().stopThrowing();
}

TEST_F(HostLink, OwnAllocationFailuresBecomeARefusal) {
  if (!testing_support::FailingAllocations::inForce()) GTEST_SKIP() << "allocator replaced";
  long allowed = 0;
  for (;; ++allowed) {
    ResultCode result;
    bool refused;
    {
      testing_support::FailingAllocations failing(allowed);
      result = component->initialize(host.context());
      refused = failing.refusedAny();
    }
    EXPECT_EQ(result, refused ? kFalse : kOk) << allowed << " allocations allowed";
    EXPECT_EQ(host.application().outstandingReferences(), 0);
    if (!refused) break;
  }
  EXPECT_GT(allowed, 0) << "identifying the host allocates";
  EXPECT_NE(gp_hostClasses, nullptr);
}

TEST_F(HostLink, AnswersItsInterfacesAndCountsReferences) {
  void* obj = nullptr;
  EXPECT_EQ(component->queryInterface(IPluginBase::iid.tuid(), &obj), kOk);
  EXPECT_EQ(obj, component);
  EXPECT_EQ(component->release(), 1u);
  EXPECT_EQ(component->queryInterface(IHWRemote::iid.tuid(), &obj), kNotFound);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(component->addRef(), 2u);
  EXPECT_EQ(component->release(), 1u);
}

TEST(HostLinkClass, FactoryOffersTheServiceFirst) {
  CPluginFactory factory(moduleFactoryInfo());
  registerComponentClasses(factory);
  ASSERT_GE(factory.countClasses(), 1);
  PClassInfo info;
  ASSERT_EQ(factory.getClassInfo(0, &info), kOk);
  EXPECT_EQ(FUID(info.classId), FUID(kp_hostLinkClassId));
  EXPECT_STREQ(info.category, "Service");
  void* obj = &factory;
  if (testing_support::FailingAllocations::inForce()) {
    testing_support::FailingAllocations failing(0);
    EXPECT_EQ(factory.createInstance(kp_hostLinkClassId, IPluginBase::iid.tuid(), &obj), kNotFound);
    EXPECT_EQ(obj, nullptr);
  }
  ASSERT_EQ(factory.createInstance(kp_hostLinkClassId, IPluginBase::iid.tuid(), &obj), kOk);
  EXPECT_EQ(static_cast<IPluginBase*>(obj)->release(), 0u);
}

}  // namespace
