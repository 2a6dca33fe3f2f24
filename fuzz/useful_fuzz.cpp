// Fuzzes the device code's string helpers against references built from the standard library.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device/useful.h"
#include "host/hostdevices.h"

namespace {

using Quillon::char16;
using Quillon::int32;
using Useful::String16;

void check(bool condition) {
  if (!condition) std::abort();
}

// The input after a three-byte header, split at zero bytes into up to four texts.
std::vector<std::string> fieldsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != 0)
      fields.back() += char(data[i]);
    else if (fields.size() < 4)
      fields.emplace_back();
  }
  fields.resize(4);
  return fields;
}

// One unit per byte, or after 0xFF the next two bytes as one unit, so that every unit (ASCII,
// surrogates, the upper half) is within easy reach.
String16 wideOf(const std::string& bytes) {
  String16 units;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = std::uint8_t(bytes[i]);
    if (b == 0xFF && i + 2 < bytes.size()) {
      units += char16(std::uint8_t(bytes[i + 1]) << 8 | std::uint8_t(bytes[i + 2]));
      i += 2;
    } else {
      units += char16(b);
    }
  }
  return units;
}

// Folding in the C locale the fuzzer runs in: only 'A' to 'Z' change.
template <class S>
S folded(S text) {
  for (auto& c : text)
    if (c >= 'A' && c <= 'Z') c = typename S::value_type(c + 32);
  return text;
}

template <class S>
S swapCase(S text, unsigned mask) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((mask >> (i % 8) & 1) && ((text[i] | 32) >= 'a' && (text[i] | 32) <= 'z')) text[i] ^= 32;
  return text;
}

bool validUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::uint8_t b = std::uint8_t(s[i]);
    const int extra = b < 0x80                ? 0
                      : b >= 0xC2 && b < 0xE0 ? 1
                      : b >= 0xE0 && b < 0xF0 ? 2
                      : b >= 0xF0 && b < 0xF5 ? 3
                                              : -1;
    if (extra < 0 || i + std::size_t(extra) >= s.size()) return false;
    std::uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      if ((std::uint8_t(s[i + k]) & 0xC0) != 0x80) return false;
      cp = cp << 6 | (std::uint8_t(s[i + k]) & 0x3F);
    }
    static const std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += std::size_t(extra) + 1;
  }
  return true;
}

// `text` with each unpaired surrogate as '?': what a UTF-8 round trip gives back.
String16 pairedOnly(String16 text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      ++i;
    else if (text[i] >= 0xD800 && text[i] <= 0xDFFF)
      text[i] = u'?';
  }
  return text;
}

template <class S, class Char>
void checkTextHelpers(const S& text, const S& other, std::size_t p, std::size_t q,
                      const Char* space) {
  const S part = text.substr(text.empty() ? 0 : p % text.size()).substr(0, q);
  for (const bool ignoreCase : {false, true}) {
    const auto fold = [&](const S& s) { return ignoreCase ? folded(s) : s; };
    check(Useful::isSameString(text.c_str(), other.c_str(), ignoreCase) ==
          (fold(text) == fold(other)));
    check(Useful::isSameString(&text, &other, ignoreCase) == (fold(text) == fold(other)));
    check(!Useful::isSameString(&text, static_cast<const S*>(nullptr), ignoreCase));
    check(Useful::isContainedInString(text.c_str(), part.c_str(), ignoreCase));
    check(Useful::isContainedInString(text.c_str(), other.c_str(), ignoreCase) ==
          (fold(text).find(fold(other)) != S::npos));
    check(!Useful::isContainedInString(text.c_str(), static_cast<const Char*>(nullptr), false));
  }
  check(Useful::getLowerCaseString(text.c_str()) == folded(text));
  // Ignoring case, standard strings compare as their C form: up to the first zero.
  const S zeroed = text + Char(0) + other, swapped = swapCase(text, unsigned(p)) + Char(0);
  check(Useful::isSameString(&zeroed, &swapped, true));
  check(Useful::isSameString(&zeroed, &swapped, false) == (zeroed == swapped));

  for (const bool leadingOnly : {false, true}) {
    S stripped = text;
    Useful::removeSpaceFromString(&stripped, leadingOnly);
    S expected;
    std::size_t i = 0;
    while (i < text.size() && text[i] == *space) ++i;
    for (; i < text.size(); ++i)
      if (leadingOnly || text[i] != *space) expected += text[i];
    check(stripped == expected);
  }

  for (const S& from : {part, other}) {
    S replaced = text;
    const std::size_t at = text.find(from);
    const bool done = Useful::replaceString(&replaced, from.c_str(), other.c_str());
    check(done == (!text.empty() && !from.empty() && at != S::npos));
    S expected = text;
    if (done) expected.replace(at, from.size(), other);
    check(replaced == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const unsigned flags = data[0], p = data[1], q = data[2];
  const std::vector<std::string> fields = fieldsOf(data + 3, size - 3);
  const std::string& text8 = fields[0];
  const std::string other8 = flags & 1 ? swapCase(text8, p) : fields[1];
  const String16 text16 = wideOf(fields[2]);
  const String16 other16 = flags & 2 ? swapCase(text16, p) : wideOf(fields[3]);
  checkTextHelpers(text8, other8, p, q, Useful::k_space);
  checkTextHelpers(text16, other16, p, q, u" ");
  check(Useful::getCString(nullptr).empty() && Useful::getTString(nullptr).empty() &&
        Useful::strToL(nullptr) == 0 && !Useful::isASCIIString(nullptr));

  // UTF-16 to UTF-8 and back; unpaired surrogates come back as '?'.
  const std::string utf8 = Useful::getCString(text16.c_str());
  check(validUtf8(utf8) && Useful::getTString(utf8.c_str()) == pairedOnly(text16));
  // UTF-8 that is not valid is read one character per byte, ASCII unchanged.
  const String16 decoded = Useful::getTString(text8.c_str());
  if (validUtf8(text8)) {
    check(Useful::getCString(decoded.c_str()) == text8);
  } else {
    check(decoded.size() == text8.size());
    for (std::size_t i = 0; i < text8.size(); ++i)
      check((std::uint8_t(text8[i]) < 0x80) == (decoded[i] < 0x80) &&
            (decoded[i] >= 0x80 || decoded[i] == char16(text8[i])));
  }

  // strtol on the same text, cut to 32 bits; reading stops at the first non-ASCII unit.
  for (const String16& number : {text16, String16(text8.begin(), text8.end())}) {
    const std::size_t ascii =
        std::find_if(number.begin(), number.end(), [](char16 c) { return c > 127; }) -
        number.begin();
    check(Useful::isASCIIString(number.c_str()) == (ascii == number.size()));
    const std::string narrow(number.begin(), number.begin() + std::ptrdiff_t(ascii));
    for (const bool isHex : {false, true}) {
      const long value = std::strtol(narrow.c_str(), nullptr, isHex ? 16 : 10);
      check(Useful::strToL(number.c_str(), isHex) == int32(std::uint32_t(value)));
    }
  }

  const std::size_t shorter = std::min(fields[0].size(), fields[1].size());
  const int32 length = int32(p % (shorter + 2)) - 1;
  const auto* a = reinterpret_cast<const std::uint8_t*>(fields[0].data());
  const auto* b = reinterpret_cast<const std::uint8_t*>(fields[1].data());
  check(Useful::isSysExMessage(a, b, length) ==
        (length >= 1 && std::memcmp(a, b, std::size_t(length)) == 0));
  check(Useful::isSysExMessage(a, a, length) == (length >= 1));

  // The host's text up to its first zero and never beyond the 256 characters it was given.
  simhost::HostState state;
  state.recording = false;
  const String16 content = flags & 4 ? text16 + char16(0) + other16 : text16;
  simhost::Value value(state, "value", content, nullptr);
  value.setUnterminated(flags & 8);
  String16 expected;
  for (std::size_t i = 0; i < (flags & 8 ? 256 : std::min<std::size_t>(content.size(), 255)); ++i)
    expected += content.empty() ? u'x' : content[i % content.size()];
  check(Useful::getValueString(&value) == expected.c_str());
  check(Useful::getIDeviceFromIValue(&value) == nullptr && value.outstandingReferences() == 0);
  return 0;
}
