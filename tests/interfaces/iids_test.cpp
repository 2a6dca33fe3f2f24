// Tests that the interface identifiers are built from their constants and never clash.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "interfaces/iactionmanager.h"
#include "interfaces/idetector.h"
#include "interfaces/idevicelist.h"
#include "interfaces/ihostapplication.h"
#include "interfaces/ihostclasses.h"
#include "interfaces/ihwremotestandard.h"
#include "interfaces/ipluginfactory.h"
#include "interfaces/iport.h"
#include "interfaces/istringresult.h"
#include "interfaces/iupdatehandler.h"
#include "interfaces/ivalue.h"

namespace Quillon {
namespace {

TEST(InterfaceIds, AllFortyThreeAreDistinctAndMatchTheirConstants) {
  // clang-format off
#define ID(I) {I::iid, I##_iid}
  const struct { const FUID& iid; const char* constant; } ids[] = {
      ID(FUnknown), ID(IPluginBase), ID(IPluginFactory), ID(IPluginFactory2),
      ID(IPluginFactory3), ID(IDetector), ID(IHWRemote), ID(IHWRemoteStandard),
      ID(IHWRemoteBank), ID(IHWRemoteBank2), ID(IHWRemoteChannelMap), ID(IHWRemoteGroup),
      ID(IHostClasses), ID(IUpdateHandler), ID(IDependent), ID(IStringResult), ID(IString),
      ID(IPort), ID(IPortRegistry), ID(IPortRegistry2), ID(IConnector), ID(IDeviceList),
      ID(IDeviceList2), ID(IDevice), ID(IDevice2), ID(ISoloModeHandler), ID(IListenModeHandler),
      ID(IHostApplicationA), ID(IHostApplicationW), ID(IHostApplication2), ID(ISplashDisplayA),
      ID(ISplashDisplayW), ID(IHostVersionInfo), ID(IPlatform), ID(IPlatform2),
      ID(IIdleHandler), ID(IParameter), ID(IValue), ID(IValue2), ID(IActionManager),
      ID(IActionManager2), ID(IActionHandler), ID(IEditorActionHandler)};
#undef ID
  // clang-format on
  std::set<std::string> distinct;
  for (const auto& id : ids) {
    EXPECT_TRUE(iidEqual(id.constant, id.iid));
    distinct.insert(std::string(id.iid.tuid(), 16));
  }
  EXPECT_EQ(std::size(ids), 43u);
  EXPECT_EQ(distinct.size(), 43u);
}

TEST(InterfaceIds, RegistryStringIsTheStorageOrder) {
  // Not the mixed-endian form with byte-swapped leading groups.
  char text[FUID::kRegistryStringSize];
  IHostClasses::iid.toRegistryString(text);
  EXPECT_STREQ(text, "{EEC89683-80DB-4336-9177-273E138A763B}");
  EXPECT_EQ(FUnknown::iid, FUID(0x00000000, 0x00000000, 0xC0000000, 0x00000046));
}

}  // namespace
}  // namespace Quillon
