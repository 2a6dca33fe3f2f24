// The module-wide host state that the components share.
//
// Plain variables without a lock: written only during the host's start-up and shutdown calls,
// which the host never overlaps.
#pragma once

#include "interfaces/ihostclasses.h"

// The host's class registry, owning one reference while non-null. Set by the service
// component's `initialize`, released and cleared by its `terminate`.
extern Quillon::IHostClasses* gp_hostClasses;
// Whether the host's major version is 5 or lower (or was not read). Chooses the user-command
// table of the remote surface.
extern bool g_isTessera5;
// Whether a detection step found or installed the remote device; never cleared.
extern bool g_bRemoteInstalled;
