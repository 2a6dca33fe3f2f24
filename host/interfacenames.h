// interfaceName: the readable name of an interface identifier, for the simulated host's log.
#pragma once

#include <string>

namespace simhost {

// The name of the known interface whose identifier is the 16 bytes at `iid` ("IHostClasses"),
// its 32 hex digits when it is not known, or "null".
std::string interfaceName(const char* iid);

}  // namespace simhost
