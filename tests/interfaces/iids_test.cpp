// Tests that every interface identifier carries the words hosts know it by, and no two clash.
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

struct KnownId {
  const char* name;
  const FUID& iid;
  const char* constant;
  uint32 words[4];
};

#define KNOWN(I, a, b, c, d)            \
  {                                     \
#I, I::iid, I##_iid, { a, b, c, d } \
  }

const KnownId kKnownIds[] = {
    KNOWN(FUnknown, 0x00000000, 0x00000000, 0xC0000000, 0x00000046),
    KNOWN(IPluginBase, 0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625),
    KNOWN(IPluginFactory, 0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F),
    KNOWN(IPluginFactory2, 0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB),
    KNOWN(IPluginFactory3, 0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931),
    KNOWN(IDetector, 0xCD115F16, 0xAD8243A5, 0xA355A7CB, 0xAFBD5D0C),
    KNOWN(IHWRemote, 0x83850D7B, 0xC12011D8, 0xA143000A, 0x959B31C6),
    KNOWN(IHWRemoteStandard, 0xE2F29E17, 0xC12011D8, 0xAD3E000A, 0x959B31C6),
    KNOWN(IHWRemoteBank, 0x0CC43156, 0xC12111D8, 0xBD2C000A, 0x959B31C6),
    KNOWN(IHWRemoteBank2, 0x2D9172FF, 0x80C24C59, 0xBF23CB6F, 0x67415538),
    KNOWN(IHWRemoteChannelMap, 0x284D3DE9, 0xC12111D8, 0x8836000A, 0x959B31C6),
    KNOWN(IHWRemoteGroup, 0x411DED7C, 0xC12111D8, 0x99CD000A, 0x959B31C6),
    KNOWN(IHostClasses, 0xEEC89683, 0x80DB4336, 0x9177273E, 0x138A763B),
    KNOWN(IUpdateHandler, 0xF5246D56, 0x86544D60, 0xB026AFB5, 0x7B697B37),
    KNOWN(IDependent, 0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E),
    KNOWN(IStringResult, 0x550798BC, 0x872049DB, 0x84920A15, 0x3B50B7A8),
    KNOWN(IString, 0xF99DB7A3, 0x0FC14821, 0x800B0CF9, 0x8E348EDF),
    KNOWN(IPort, 0x6A0C2E5F, 0xDE7340C3, 0x86AA5B88, 0x1C425098),
    KNOWN(IPortRegistry, 0xB6C29A8E, 0x5476493E, 0xA8E99F1C, 0xB51AB756),
    KNOWN(IPortRegistry2, 0x1F3053C4, 0xD6B54559, 0xA92DF18A, 0x4B3F2F92),
    KNOWN(IConnector, 0x52F474D9, 0xA7284CA5, 0xA9CC0C30, 0x7B17127A),
    KNOWN(IDeviceList, 0x7F60CB8A, 0xB7784BB5, 0x9465FBB7, 0xF9CCC827),
    KNOWN(IDeviceList2, 0xA2370BD2, 0xDF0D4030, 0x90A65AA5, 0x7A3F3172),
    KNOWN(IDevice, 0xAA9BD1AE, 0x0EF94229, 0xB79F96F0, 0xA9BB031D),
    KNOWN(IDevice2, 0x6A55D22C, 0xAF994846, 0xA5055148, 0x28B17F11),
    KNOWN(ISoloModeHandler, 0x9CA540D4, 0xF5D54822, 0xA7CD4CEC, 0x32EB4212),
    KNOWN(IListenModeHandler, 0xF78574E8, 0xC19449FB, 0x9B38D4ED, 0xD09A728D),
    KNOWN(IHostApplicationA, 0xCC0B7716, 0x362B4EE5, 0x89EE5F41, 0x5458463F),
    KNOWN(IHostApplicationW, 0x97E507DA, 0xE5594EEA, 0xA5AC4042, 0xE458F2B4),
    KNOWN(IHostApplication2, 0x43B13CC1, 0x1B754432, 0xA09CD952, 0x7C1DD0AC),
    KNOWN(ISplashDisplayA, 0x5A104B3A, 0x09D34D46, 0xA3979A37, 0x5775A157),
    KNOWN(ISplashDisplayW, 0x915B5C7B, 0x37A247B6, 0xB5421F40, 0xFF823CF5),
    KNOWN(IHostVersionInfo, 0x44AD7BC8, 0x24FB43DB, 0xBB6759C3, 0x8233492A),
    KNOWN(IPlatform, 0x9E871847, 0xF1AB4776, 0xA06C6F94, 0x5D7FDD4D),
    KNOWN(IPlatform2, 0x1BC82887, 0x0EE84A33, 0x8981D81E, 0x7B58EC93),
    KNOWN(IIdleHandler, 0xD70BBB58, 0xC80545B8, 0xAB826418, 0x0B673A84),
    KNOWN(IParameter, 0xA009BE6E, 0xDD754DCA, 0xB927D8C8, 0x4A9E5AB5),
    KNOWN(IValue, 0x2E61B9C2, 0xAB2F47C9, 0x9CFB458B, 0xDB6E4E1F),
    KNOWN(IValue2, 0xF9EAE1EF, 0x63734416, 0x856041B3, 0x8BF8BB15),
    KNOWN(IActionManager, 0x762F3F61, 0x11D14115, 0x92F97AC6, 0xF239460F),
    KNOWN(IActionManager2, 0x0BE41FFD, 0xB3594C96, 0x8F5E80F4, 0x9AD84303),
    KNOWN(IActionHandler, 0x9FC17BEB, 0x3A514077, 0xA25A7726, 0xD3D3D711),
    KNOWN(IEditorActionHandler, 0x6B9BCBD8, 0xB24F4DFA, 0xA50E2FB9, 0xEC5D18F7),
};

#undef KNOWN

TEST(InterfaceIds, EachMatchesItsWordsAndConstant) {
  ASSERT_EQ(std::size(kKnownIds), 43u);
  std::set<std::string> distinct;
  for (const KnownId& known : kKnownIds) {
    SCOPED_TRACE(known.name);
    EXPECT_EQ(known.iid, FUID(known.words[0], known.words[1], known.words[2], known.words[3]));
    EXPECT_TRUE(iidEqual(known.constant, known.iid));
    distinct.insert(std::string(known.iid.tuid(), 16));
  }
  EXPECT_EQ(distinct.size(), 43u);
}

TEST(InterfaceIds, RegistryStringIsTheStorageOrder) {
  // Not the mixed-endian form with byte-swapped leading groups.
  char text[FUID::kRegistryStringSize];
  IHostClasses::iid.toRegistryString(text);
  EXPECT_STREQ(text, "{EEC89683-80DB-4336-9177-273E138A763B}");
}

}  // namespace
}  // namespace Quillon
