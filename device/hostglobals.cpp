// The module-wide host state, zero at load.
#include "device/hostglobals.h"

Quillon::IHostClasses* gp_hostClasses = nullptr;
bool g_isTessera5 = false;
bool g_bRemoteInstalled = false;
