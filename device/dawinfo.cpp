// Host identification from the host application's name, version and build texts.
#include "device/dawinfo.h"

#include <algorithm>
#include <string>

#include "device/useful.h"

namespace {

using Quillon::char16;
using Quillon::int32;
using Useful::String16;

// Host-family names in search order: editions before the plain family name, so a name that
// contains an edition takes the edition's index.
struct HostName {
  const char* text;
  int32 index;
};
constexpr HostName kHostNames[] = {
    {"Tessera Loft", 4}, {"Tessera Crafter", 4}, {"Tessera Core", 3}, {"Tessera Basics", 3},
    {"Tessera KT", 2},   {"Tessera MN", 1},      {"Tessera", 5},      {"Veridian", 6},
};

constexpr char16 kVersionSeparator = u'.';

constexpr std::size_t longestHostName() {
  std::size_t longest = 0;
  for (const HostName& row : kHostNames)
    longest = std::max(longest, std::char_traits<char>::length(row.text));
  return longest;
}

int32 hostNameIndex(const char16* name) {
  // Each family name widened character for character into the stack, not the heap.
  char16 wide[longestHostName() + 1];
  for (const HostName& row : kHostNames) {
    std::size_t i = 0;
    for (; row.text[i] != '\0'; ++i) wide[i] = char16(row.text[i]);
    wide[i] = 0;
    if (Useful::isContainedInString(name, wide, true)) return row.index;
  }
  return 0;
}

// Stores the number read from `text` in `field` when `text` is not empty.
void readNumber(const String16& text, int32& field) {
  if (!text.empty()) field = Useful::strToL(text.c_str());
}

int32 compareComponent(int32 given, int32 host) {
  if (given < host) return 1;
  return given == host ? 0 : -1;
}

}  // namespace

DAWInfo::DAWInfo(Quillon::IHostApplicationW* app) {
  if (app != nullptr) analyzeDAWInfo(app);
}

bool DAWInfo::analyzeDAWInfo(Quillon::IHostApplicationW* app) {
  if (app == nullptr) return false;
  // All three texts are asked for before any is looked at.
  const char16* name = app->getHostName();
  const char16* version = app->getHostVersion();
  const char16* build = app->getHostBuild();
  if (name != nullptr) {
    dawName = Useful::getCString(name);
    dawNameIndex = hostNameIndex(name);
  }
  if (version != nullptr) storeVersionInfoFromString(version);
  if (const int32 digit = getNumberStringIndex(build); digit >= 0) {
    buildNumber = Useful::strToL(build + digit);
  }
  return true;
}

void DAWInfo::storeVersionInfoFromString(const char16* text) {
  const int32 digit = getNumberStringIndex(text);
  if (digit < 0) return;
  String16 working(text + digit);
  versionString = Useful::getCString(working.c_str());

  const auto firstPoint = working.find(kVersionSeparator);
  if (firstPoint == String16::npos) return;
  readNumber(working.substr(0, firstPoint), majorVersion);
  working.erase(0, firstPoint + 1);
  const auto secondPoint = working.find(kVersionSeparator);
  if (secondPoint == String16::npos) return;
  readNumber(working.substr(0, secondPoint), minorVersion);
  // The rest, further points included, is the bug-fix text; reading stops at its first point.
  readNumber(working.substr(secondPoint + 1), bugFixVersion);
}

int32 DAWInfo::getNumberStringIndex(const char16* text) const {
  if (text == nullptr) return -1;
  for (int32 i = 0; text[i] != 0; ++i)
    if (text[i] >= u'0' && text[i] <= u'9') return i;
  return -1;
}

bool DAWInfo::isAllInfoAnalyzed() const {
  return dawNameIndex != 0 && majorVersion >= 0 && minorVersion >= 0 && bugFixVersion >= 0 &&
         buildNumber >= 0;
}

int32 DAWInfo::compareVersion(int32 major, int32 minor, int32 bugFix) const {
  int32 result = 0;
  if (major >= 0) result = compareComponent(major, majorVersion);
  if (result == 0 && minor >= 0) result = compareComponent(minor, minorVersion);
  if (result == 0 && bugFix >= 0) result = compareComponent(bugFix, bugFixVersion);
  return result;
}
