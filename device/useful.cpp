// The device code's string helpers and device classification.
#include "device/useful.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "base/source/fstring.h"

namespace Useful {
namespace {

using Quillon::FUnknownPtr;

// Units arrive sign-extended; the C library's `tolower` is defined only for 0 to 255 (and EOF),
// so everything else, which the default locale leaves alone anyway, stays as it is.
int foldUnit(int unit) { return unit >= 0 && unit <= 255 ? std::tolower(unit) : unit; }

// A unit folded as lowerCase folds it.
template <class Char, class Signed>
Char foldedUnit(Char unit) {
  return Char(foldUnit(Signed(unit)));
}

template <class Char, class Signed>
std::basic_string<Char> lowerCase(const Char* text) {
  std::basic_string<Char> folded;
  if (text == nullptr) return folded;
  folded = text;
  for (Char& unit : folded) unit = foldedUnit<Char, Signed>(unit);
  return folded;
}

// Compares the zero-terminated texts unit by unit, folded when `ignoreCase`: what comparing
// copies, folded or not, gives, without making the copies (detection compares every port).
template <class Char, class Signed>
bool sameText(const Char* a, const Char* b, bool ignoreCase) {
  for (;; ++a, ++b) {
    const Char x = ignoreCase ? foldedUnit<Char, Signed>(*a) : *a;
    const Char y = ignoreCase ? foldedUnit<Char, Signed>(*b) : *b;
    if (x != y) return false;
    if (x == 0) return true;
  }
}

template <class Char, class Signed>
bool sameUnits(const std::basic_string<Char>& a, const std::basic_string<Char>& b,
               bool ignoreCase) {
  if (!ignoreCase) return a == b;
  // Folding reads the zero-terminated text, as the strings' C form gives it.
  return sameText<Char, Signed>(a.c_str(), b.c_str(), true);
}

// Whether `part` occurs in `text`, units folded when `ignoreCase`; an empty part always does.
// Folding never turns a unit into the terminator, so the texts end where their copies would.
template <class Char, class Signed>
bool contains(const Char* text, const Char* part, bool ignoreCase) {
  if (text == nullptr || part == nullptr) return false;
  const auto unit = [ignoreCase](Char c) { return ignoreCase ? foldedUnit<Char, Signed>(c) : c; };
  for (;; ++text) {
    std::size_t i = 0;
    while (part[i] != 0 && text[i] != 0 && unit(text[i]) == unit(part[i])) ++i;
    if (part[i] == 0) return true;
    // Too little text left for the part to fit.
    if (text[i] == 0) return false;
  }
}

template <class Char>
void removeBlanks(std::basic_string<Char>* text, bool leadingOnly) {
  if (text == nullptr) return;
  const Char blank = Char(k_space[0]);
  text->erase(0, std::min(text->find_first_not_of(blank), text->size()));
  // Erasing every remaining blank at once gives what erasing the first blank repeatedly would.
  if (!leadingOnly) text->erase(std::remove(text->begin(), text->end(), blank), text->end());
}

template <class Char>
bool replaceFirst(std::basic_string<Char>* text, const Char* from, const Char* to) {
  if (text == nullptr || text->empty() || from == nullptr || to == nullptr || *from == 0) {
    return false;
  }
  const std::basic_string<Char> pattern(from);
  const auto found = text->find(pattern);
  if (found == std::basic_string<Char>::npos) return false;
  text->replace(found, pattern.size(), to);
  return true;
}

bool hasType(Quillon::IDevice* device, const char* type) {
  return device != nullptr && isSameString(device->getType(), type, false);
}

}  // namespace

std::string getCString(const char16* text) {
  if (text == nullptr) return {};
  Quillon::String converted(text);
  if (!converted.toMultiByte(Quillon::kCodePageUtf8) &&
      !converted.toMultiByte(Quillon::kCodePageSystemDefault)) {
    return {};
  }
  return std::string(converted.text8(), std::size_t(converted.length()));
}

String16 getTString(const char* text) {
  if (text == nullptr) return {};
  Quillon::String converted(text);
  if (!converted.toWideString(Quillon::kCodePageUtf8) &&
      !converted.toWideString(Quillon::kCodePageSystemDefault)) {
    return {};
  }
  return String16(converted.text16(), std::size_t(converted.length()));
}

std::string getLowerCaseString(const char* text) { return lowerCase<char, signed char>(text); }

String16 getLowerCaseString(const char16* text) { return lowerCase<char16, Quillon::int16>(text); }

String16 getValueString(Quillon::IValue* value) {
  if (value == nullptr) return {};
  constexpr int32 kCapacity = 256;
  char16 buffer[kCapacity] = {};
  int32 length = kCapacity;
  value->getString(buffer, &length);
  // The host may have written no terminator: never look past what it was given.
  return String16(buffer, std::find(buffer, buffer + kCapacity, char16(0)));
}

Quillon::IDevice* getIDeviceFromIValue(Quillon::IValue* value) {
  FUnknownPtr<Quillon::IValue2> owned(value);
  if (!owned) return nullptr;
  FUnknownPtr<Quillon::IDevice> device(owned->getOwner());
  // Both holders give their references back; the host keeps the device alive.
  return device.get();
}

int32 strToL(const char16* text, bool isHex) {
  if (text == nullptr) return 0;
  const long value = std::strtol(getCString(text).c_str(), nullptr, isHex ? 16 : 10);
  return int32(Quillon::uint32(static_cast<unsigned long>(value)));
}

bool isSameString(const std::string* a, const std::string* b, bool ignoreCase) {
  return a != nullptr && b != nullptr && sameUnits<char, signed char>(*a, *b, ignoreCase);
}

bool isSameString(const char* a, const char* b, bool ignoreCase) {
  return a != nullptr && b != nullptr && sameText<char, signed char>(a, b, ignoreCase);
}

bool isSameString(const String16* a, const String16* b, bool ignoreCase) {
  return a != nullptr && b != nullptr && sameUnits<char16, Quillon::int16>(*a, *b, ignoreCase);
}

bool isSameString(const char16* a, const char16* b, bool ignoreCase) {
  return a != nullptr && b != nullptr && sameText<char16, Quillon::int16>(a, b, ignoreCase);
}

bool isContainedInString(const char* text, const char* part, bool ignoreCase) {
  return contains<char, signed char>(text, part, ignoreCase);
}

bool isContainedInString(const char16* text, const char16* part, bool ignoreCase) {
  return contains<char16, Quillon::int16>(text, part, ignoreCase);
}

bool isASCIIString(const char16* text) {
  if (text == nullptr) return false;
  for (; *text != 0; ++text)
    if (*text > 127) return false;
  return true;
}

bool isSysExMessage(const uint8* a, const uint8* b, int32 length) {
  return a != nullptr && b != nullptr && length >= 1 && std::memcmp(a, b, std::size_t(length)) == 0;
}

bool isGroupTrack(Quillon::IDevice* device) { return hasType(device, "GroupChannel"); }
bool isFXTrack(Quillon::IDevice* device) { return hasType(device, "FxChannel"); }
bool isInstrumentTrack(Quillon::IDevice* device) { return hasType(device, "Synth"); }
bool isMIDITrack(Quillon::IDevice* device) { return hasType(device, "MidiChannel"); }
bool isAudioTrack(Quillon::IDevice* device) { return hasType(device, "AudioChannel"); }
bool isOutputChannel(Quillon::IDevice* device) { return hasType(device, "OutputChannel"); }
bool isInputChannel(Quillon::IDevice* device) { return hasType(device, "InputChannel"); }

void removeSpaceFromString(std::string* text, bool leadingOnly) { removeBlanks(text, leadingOnly); }

void removeSpaceFromString(String16* text, bool leadingOnly) { removeBlanks(text, leadingOnly); }

bool replaceString(std::string* text, const char* from, const char* to) {
  return replaceFirst(text, from, to);
}

bool replaceString(String16* text, const char16* from, const char16* to) {
  return replaceFirst(text, from, to);
}

}  // namespace Useful
