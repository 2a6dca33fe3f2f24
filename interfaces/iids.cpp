// The interface identifier objects, defined in one unit so they are built at load in this order
// and destroyed at unload in the reverse order.
#include "interfaces/funknown.h"
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

namespace Quillon {

const FUID FUnknown::iid(FUnknown_iid);
const FUID IPluginBase::iid(IPluginBase_iid);
const FUID IPluginFactory::iid(IPluginFactory_iid);
const FUID IPluginFactory2::iid(IPluginFactory2_iid);
const FUID IPluginFactory3::iid(IPluginFactory3_iid);
const FUID IDetector::iid(IDetector_iid);
const FUID IHWRemote::iid(IHWRemote_iid);
const FUID IHWRemoteStandard::iid(IHWRemoteStandard_iid);
const FUID IHWRemoteBank::iid(IHWRemoteBank_iid);
const FUID IHWRemoteBank2::iid(IHWRemoteBank2_iid);
const FUID IHWRemoteChannelMap::iid(IHWRemoteChannelMap_iid);
const FUID IHWRemoteGroup::iid(IHWRemoteGroup_iid);
const FUID IHostClasses::iid(IHostClasses_iid);
const FUID IUpdateHandler::iid(IUpdateHandler_iid);
const FUID IDependent::iid(IDependent_iid);
const FUID IStringResult::iid(IStringResult_iid);
const FUID IString::iid(IString_iid);
const FUID IPort::iid(IPort_iid);
const FUID IPortRegistry::iid(IPortRegistry_iid);
const FUID IPortRegistry2::iid(IPortRegistry2_iid);
const FUID IConnector::iid(IConnector_iid);
const FUID IDeviceList::iid(IDeviceList_iid);
const FUID IDeviceList2::iid(IDeviceList2_iid);
const FUID IDevice::iid(IDevice_iid);
const FUID IDevice2::iid(IDevice2_iid);
const FUID ISoloModeHandler::iid(ISoloModeHandler_iid);
const FUID IListenModeHandler::iid(IListenModeHandler_iid);
const FUID IHostApplicationA::iid(IHostApplicationA_iid);
const FUID IHostApplicationW::iid(IHostApplicationW_iid);
const FUID IHostApplication2::iid(IHostApplication2_iid);
const FUID ISplashDisplayA::iid(ISplashDisplayA_iid);
const FUID ISplashDisplayW::iid(ISplashDisplayW_iid);
const FUID IHostVersionInfo::iid(IHostVersionInfo_iid);
const FUID IPlatform::iid(IPlatform_iid);
const FUID IPlatform2::iid(IPlatform2_iid);
const FUID IIdleHandler::iid(IIdleHandler_iid);
const FUID IParameter::iid(IParameter_iid);
const FUID IValue::iid(IValue_iid);
const FUID IValue2::iid(IValue2_iid);
const FUID IActionManager::iid(IActionManager_iid);
const FUID IActionManager2::iid(IActionManager2_iid);
const FUID IActionHandler::iid(IActionHandler_iid);
const FUID IEditorActionHandler::iid(IEditorActionHandler_iid);

}  // namespace Quillon
