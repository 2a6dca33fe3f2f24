// Writing a play transcript as text or as JSON Lines.
#include "tools/playlog.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

namespace px7000host {
namespace {

std::string joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

}  // namespace

std::string messageBytes(const MidiMessage& message) {
  char text[16];
  if (message.size == 2)
    std::snprintf(text, sizeof text, "%02X %02X", message.status, message.data1);
  else
    std::snprintf(text, sizeof text, "%02X %02X %02X", message.status, message.data1,
                  message.data2);
  return text;
}

TextPlayLog::TextPlayLog(std::ostream& out) : out(out) {
  out << "     time  bytes     control         sent to            host did\n";
}

void TextPlayLog::event(const EventRecord& record) {
  char time[32];
  std::snprintf(time, sizeof time, "%9.1f", record.timeMs);
  std::string control = "-";
  if (record.control >= 0) control = std::to_string(record.control) + " " + record.controlName;
  std::string did = joined(record.performed);
  if (!record.executed.empty()) did += (did.empty() ? "" : ", ") + joined(record.executed);
  if (did.empty()) did = record.valueBinding.empty() ? "-" : record.valueBinding;
  char line[256];
  std::snprintf(line, sizeof line, "%s  %-8s  %-14s  %-17s  %s\n", time,
                messageBytes(record.message).c_str(), control.c_str(), routeName(record.route),
                did.c_str());
  out << line;
}

void TextPlayLog::expectation(const ExpectRecord& record) {
  out << "           expect " << record.expectation;
  if (record.met) {
    out << ": met\n";
    return;
  }
  out << ": FAILED (line " << record.line << "; the host did "
      << (record.seen.empty() ? std::string("nothing") : joined(record.seen)) << ")\n";
}

void JsonPlayLog::event(const EventRecord& record) {
  nlohmann::json line = {{"type", "event"},
                         {"timeMs", record.timeMs},
                         {"bytes", messageBytes(record.message)},
                         {"control", record.control},
                         {"route", routeName(record.route)},
                         {"executed", record.executed},
                         {"performed", record.performed}};
  if (record.control >= 0) line["name"] = record.controlName;
  if (!record.valueBinding.empty()) line["value"] = record.valueBinding;
  out << line.dump() << "\n";
}

void JsonPlayLog::expectation(const ExpectRecord& record) {
  const nlohmann::json line = {{"type", "expect"},
                               {"expectation", record.expectation},
                               {"line", record.line},
                               {"met", record.met},
                               {"seen", record.seen}};
  out << line.dump() << "\n";
}

}  // namespace px7000host
