// Useful: the free string helpers of the device code, and the classification of host devices.
//
// Conversions between 16-bit (UTF-16) and 8-bit (UTF-8) text, comparison and containment with
// optional case folding, blank removal, replacement of a first occurrence, number parsing,
// comparison of system-exclusive bytes and tests of a device's type. Functions keep no state;
// string results are returned by value and owned by the caller. Null inputs give the neutral
// result (empty string, 0, false, null, no change).
//
// Case folding passes each unit through the C library's `tolower`; only units 0 to 255 reach
// it, so 8-bit units from 0x80 and 16-bit units from 0x8000, which count as negative, and
// 16-bit units above 255 stay as they are.
#pragma once

#include <string>

#include "interfaces/idevicelist.h"
#include "interfaces/ivalue.h"

namespace Useful {

using Quillon::char16;
using Quillon::int32;
using Quillon::uint8;

// 16-bit host text.
using String16 = std::basic_string<char16>;

// The single blank that the blank-removal functions remove.
inline constexpr const char k_space[] = " ";

// UTF-8 form of 16-bit `text`; text that is not valid UTF-16 is converted to the system's
// default 8-bit code page instead. Empty for null.
std::string getCString(const char16* text);
// UTF-16 form of UTF-8 `text`; text that is not valid UTF-8 is read in the system's default
// 8-bit code page instead. Empty for null.
String16 getTString(const char* text);
// A copy of `text` with every unit case-folded; empty for null.
std::string getLowerCaseString(const char* text);
String16 getLowerCaseString(const char16* text);
// The text of `value` (host-owned), read into 256 16-bit characters; the result never reaches
// beyond them, even when the host writes no terminator. Empty for null.
String16 getValueString(Quillon::IValue* value);
// The device that owns `value`, borrowed from the host (no reference is kept), or null.
Quillon::IDevice* getIDeviceFromIValue(Quillon::IValue* value);
// `text` as a decimal (or, with `isHex`, hexadecimal) number as `strtol` reads it, cut to
// 32 bits; 0 for null or without digits.
int32 strToL(const char16* text, bool isHex = false);

// Whether the two strings are equal, unit for unit (after folding with `ignoreCase`); false
// when either is null.
bool isSameString(const std::string* a, const std::string* b, bool ignoreCase);
bool isSameString(const char* a, const char* b, bool ignoreCase);
bool isSameString(const String16* a, const String16* b, bool ignoreCase);
bool isSameString(const char16* a, const char16* b, bool ignoreCase);
// Whether `part` occurs in `text` (after folding both with `ignoreCase`); an empty part always
// does. False when either is null.
bool isContainedInString(const char* text, const char* part, bool ignoreCase);
bool isContainedInString(const char16* text, const char16* part, bool ignoreCase);
// Whether every 16-bit character of `text` is at most 127; false for null.
bool isASCIIString(const char16* text);
// Whether the first `length` bytes of `a` and `b` are equal; false for null or `length` < 1.
bool isSysExMessage(const uint8* a, const uint8* b, int32 length);

// Whether `device`'s type text is that of the track or channel kind named; false for null.
bool isGroupTrack(Quillon::IDevice* device);
bool isFXTrack(Quillon::IDevice* device);
bool isInstrumentTrack(Quillon::IDevice* device);
bool isMIDITrack(Quillon::IDevice* device);
bool isAudioTrack(Quillon::IDevice* device);
bool isOutputChannel(Quillon::IDevice* device);
bool isInputChannel(Quillon::IDevice* device);

// Removes the leading blanks of `*text`, and with `leadingOnly` false every other blank too.
void removeSpaceFromString(std::string* text, bool leadingOnly);
void removeSpaceFromString(String16* text, bool leadingOnly);
// Replaces the first occurrence of `from` in `*text` by `to`; true when it did. False, with
// nothing changed, for a null or empty string, a null `from` or `to`, or an empty `from`.
bool replaceString(std::string* text, const char* from, const char* to);
bool replaceString(String16* text, const char16* from, const char16* to);

}  // namespace Useful
