// DAWInfo: the host application's identity read into numbers.
//
// Which member of the known host family the host is (by the first row of the host-name table
// contained in its name, ignoring case) and its major, minor, bug-fix and build numbers. A
// DAWInfo copies what it needs while it is built and keeps no reference to the host.
#pragma once

#include <string>

#include "interfaces/ihostapplication.h"

class DAWInfo {
 public:
  // Reads `app` (borrowed) when it is non-null; the fields keep their initial values otherwise.
  explicit DAWInfo(Quillon::IHostApplicationW* app);
  virtual ~DAWInfo() = default;

  // Reads the host's name, version and build texts from `app`; false for a null `app`.
  bool analyzeDAWInfo(Quillon::IHostApplicationW* app);
  // Fills the version text and the major, minor and bug-fix numbers from `text`; a null text or
  // one without a digit changes nothing.
  void storeVersionInfoFromString(const Quillon::char16* text);
  // Position of the first of the digits "0" to "9" in `text`, or -1 (also for null).
  Quillon::int32 getNumberStringIndex(const Quillon::char16* text) const;
  // True when the host's name was known and all four numbers were read.
  bool isAllInfoAnalyzed() const;
  // 1 when the host's version is newer than the one given, 0 when the same, -1 when older,
  // comparing major, minor and bug-fix in turn; a negative argument leaves its part out.
  Quillon::int32 compareVersion(Quillon::int32 major, Quillon::int32 minor,
                                Quillon::int32 bugFix) const;

  std::string getDAWName() const { return dawName; }
  std::string getVersionString() const { return versionString; }
  Quillon::int32 getDAWNameIndex() const { return dawNameIndex; }
  Quillon::int32 getMajorVersion() const { return majorVersion; }
  Quillon::int32 getMinorVersion() const { return minorVersion; }
  Quillon::int32 getBugFixVersion() const { return bugFixVersion; }
  Quillon::int32 getBuildNumber() const { return buildNumber; }

 private:
  std::string dawName;
  std::string versionString;
  Quillon::int32 dawNameIndex = 0;
  Quillon::int32 majorVersion = -1;
  Quillon::int32 minorVersion = -1;
  Quillon::int32 bugFixVersion = -1;
  Quillon::int32 buildNumber = -1;
};
