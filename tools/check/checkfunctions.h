// The check functions that the table in checktable.cpp lists, grouped by the files that hold
// them. Each runs on the bundle at `path`, answers PASS with what it saw, and ends a failing
// or skipped run by throwing (checksupport.h).
#pragma once

#include <string>

#include "tools/check/checktable.h"

namespace px7000host::checks {

// loadchecks.cpp
CheckOutcome exportsCheck(const std::string& path);
CheckOutcome entryExitCheck(const std::string& path);

// factorychecks.cpp
CheckOutcome factoryRecordCheck(const std::string& path);
CheckOutcome classRecordsCheck(const std::string& path);
CheckOutcome classFormsCheck(const std::string& path);

// componentchecks.cpp
CheckOutcome createInstanceCheck(const std::string& path);
CheckOutcome queryInterfaceCheck(const std::string& path);
CheckOutcome startupOrderCheck(const std::string& path);

// hostchecks.cpp
CheckOutcome hostAcceptanceCheck(const std::string& path);
CheckOutcome detectionCheck(const std::string& path);

// surfacechecks.cpp
CheckOutcome surfaceCheck(const std::string& path);
CheckOutcome dialCheck(const std::string& path);
CheckOutcome shutdownCheck(const std::string& path);

}  // namespace px7000host::checks
