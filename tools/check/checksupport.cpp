// Helpers shared by the checks.
#include "tools/check/checksupport.h"

#include <cstdio>
#include <cstring>

namespace px7000host::checks {

namespace {

void (*verdictHandler)(const CheckOutcome&) = nullptr;

}  // namespace

void fail(std::string reason) {
  if (verdictHandler != nullptr) verdictHandler({CheckStatus::fail, reason});
  throw CheckFailed{std::move(reason)};
}

void skip(std::string reason) {
  if (verdictHandler != nullptr) verdictHandler({CheckStatus::skip, reason});
  throw CheckSkipped{std::move(reason)};
}

std::string hex(unsigned long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lX", value);
  return text;
}

std::string idText(const char* id) {
  std::string text;
  char digits[3];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(id[i]));
    text += digits;
  }
  return text;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string narrow(const std::u16string& text) {
  std::string out;
  for (const char16_t c : text) out += c < 0x80 ? char(c) : '?';
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += (out.empty() ? "" : "; ") + line;
  return out;
}

std::string fieldText(const char* field, std::size_t size, const std::string& what) {
  const std::size_t length = strnlen(field, size);
  for (std::size_t i = length; i < size; ++i)
    if (field[i] != 0)
      fail(what + ": byte " + std::to_string(i) + " after the text is " +
           hex(static_cast<unsigned char>(field[i])) + ", not zero");
  return std::string(field, length);
}

std::u16string wideFieldText(const Quillon::char16* field, std::size_t count,
                             const std::string& what) {
  std::size_t length = 0;
  while (length < count && field[length] != 0) ++length;
  for (std::size_t i = length; i < count; ++i)
    if (field[i] != 0)
      fail(what + ": character " + std::to_string(i) + " after the text is " + hex(field[i]) +
           ", not zero");
  return std::u16string(field, length);
}

void requireZero(const void* field, std::size_t size, const std::string& what) {
  const auto* bytes = static_cast<const unsigned char*>(field);
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] != 0)
      fail(what + ": byte " + std::to_string(i) + " is " + hex(bytes[i]) + ", not zero");
}

}  // namespace px7000host::checks

namespace px7000host {

void answerVerdictsWith(void (*handler)(const CheckOutcome& outcome)) {
  checks::verdictHandler = handler;
}

}  // namespace px7000host
