// Names of the known interface identifiers.
#include "host/interfacenames.h"

#include "interfaces/iactionmanager.h"
#include "interfaces/idetector.h"
#include "interfaces/idevicelist.h"
#include "interfaces/ihostapplication.h"
#include "interfaces/ihostclasses.h"
#include "interfaces/ihwremote.h"
#include "interfaces/ihwremotestandard.h"
#include "interfaces/ipluginbase.h"
#include "interfaces/ipluginfactory.h"
#include "interfaces/iport.h"
#include "interfaces/istringresult.h"
#include "interfaces/iupdatehandler.h"
#include "interfaces/ivalue.h"

namespace simhost {

std::string interfaceName(const char* iid) {
  using namespace Quillon;
  struct Known {
    const FUID& iid;
    const char* name;
  };
  static const Known known[] = {
      {FUnknown::iid, "FUnknown"},
      {IPluginBase::iid, "IPluginBase"},
      {IPluginFactory::iid, "IPluginFactory"},
      {IPluginFactory2::iid, "IPluginFactory2"},
      {IPluginFactory3::iid, "IPluginFactory3"},
      {IDetector::iid, "IDetector"},
      {IHWRemote::iid, "IHWRemote"},
      {IHWRemoteStandard::iid, "IHWRemoteStandard"},
      {IHWRemoteBank::iid, "IHWRemoteBank"},
      {IHWRemoteBank2::iid, "IHWRemoteBank2"},
      {IHWRemoteChannelMap::iid, "IHWRemoteChannelMap"},
      {IHWRemoteGroup::iid, "IHWRemoteGroup"},
      {IHostClasses::iid, "IHostClasses"},
      {IUpdateHandler::iid, "IUpdateHandler"},
      {IDependent::iid, "IDependent"},
      {IStringResult::iid, "IStringResult"},
      {IString::iid, "IString"},
      {IPort::iid, "IPort"},
      {IPortRegistry::iid, "IPortRegistry"},
      {IPortRegistry2::iid, "IPortRegistry2"},
      {IConnector::iid, "IConnector"},
      {IDeviceList::iid, "IDeviceList"},
      {IDeviceList2::iid, "IDeviceList2"},
      {IDevice::iid, "IDevice"},
      {IDevice2::iid, "IDevice2"},
      {ISoloModeHandler::iid, "ISoloModeHandler"},
      {IListenModeHandler::iid, "IListenModeHandler"},
      {IHostApplicationA::iid, "IHostApplicationA"},
      {IHostApplicationW::iid, "IHostApplicationW"},
      {IHostApplication2::iid, "IHostApplication2"},
      {ISplashDisplayA::iid, "ISplashDisplayA"},
      {ISplashDisplayW::iid, "ISplashDisplayW"},
      {IHostVersionInfo::iid, "IHostVersionInfo"},
      {IPlatform::iid, "IPlatform"},
      {IPlatform2::iid, "IPlatform2"},
      {IIdleHandler::iid, "IIdleHandler"},
      {IParameter::iid, "IParameter"},
      {IValue::iid, "IValue"},
      {IValue2::iid, "IValue2"},
      {IActionManager::iid, "IActionManager"},
      {IActionManager2::iid, "IActionManager2"},
      {IActionHandler::iid, "IActionHandler"},
      {IEditorActionHandler::iid, "IEditorActionHandler"},
  };
  if (iid == nullptr) return "null";
  for (const Known& entry : known)
    if (iidEqual(iid, entry.iid)) return entry.name;
  char hex[FUID::kStringSize];
  toString8(hex, iid, 0, 16);
  return hex;
}

}  // namespace simhost
