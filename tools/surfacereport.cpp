// Gathering and printing the surface a remote-surface component declared.
#include "tools/surfacereport.h"

#include <cstdio>
#include <iomanip>
#include <map>
#include <ostream>

namespace px7000host {
namespace {

using simhost::Binding;

const char* kindName(Binding::Kind kind) {
  switch (kind) {
    case Binding::Kind::command:
      return "command";
    case Binding::Kind::value:
      return "value";
    case Binding::Kind::userFunction:
      return "user function";
    case Binding::Kind::none:
      break;
  }
  return "none";
}

std::string hexByte(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
  return text;
}

// Remarks on controls that share a MIDI number (whatever the status) and controls left unbound.
std::vector<std::string> remarksOn(const std::vector<ControlReport>& controls) {
  std::vector<std::string> notes;
  std::map<Quillon::uint16, std::vector<const ControlReport*>> byNumber;
  for (const ControlReport& row : controls) byNumber[row.control.midiNumber].push_back(&row);
  for (const auto& [number, rows] : byNumber) {
    if (rows.size() < 2) continue;
    std::string line = "MIDI number " + std::to_string(number) + " is shared by";
    for (std::size_t i = 0; i < rows.size(); ++i)
      line += (i == 0                 ? " "
               : i + 1 == rows.size() ? " and "
                                      : ", ") +
              rows[i]->control.name + " (" + midiWords(rows[i]->control.midiStatus, number) + ")";
    notes.push_back(line);
  }
  for (const ControlReport& row : controls)
    if (row.binding.kind == Binding::Kind::none)
      notes.push_back(row.control.name + " (" + std::to_string(row.index) +
                      ") has no binding: the module handles its value itself");
  return notes;
}

}  // namespace

SurfaceReport reportSurface(const simhost::RemoteStandard& remote, const std::string& bank,
                            const std::string& layer) {
  SurfaceReport report;
  report.bank = bank;
  report.layer = layer;
  report.remoteName = remote.name();
  report.familyId = remote.familyId();
  report.properties.assign(remote.properties().begin(), remote.properties().end());
  report.userFunctions = remote.userFunctions();
  const auto& declared = remote.controls();
  for (std::size_t i = 0; i < declared.size(); ++i) {
    ControlReport row{int(i), declared[i], remote.bindingOf(Quillon::int32(i), layer)};
    if (row.binding.bank != bank) row.binding = {};
    report.controls.push_back(std::move(row));
  }
  report.notes = remarksOn(report.controls);
  return report;
}

std::string midiBytes(Quillon::uint8 status, Quillon::uint16 number) {
  return hexByte(status) + " " + hexByte(number);
}

std::string midiWords(Quillon::uint8 status, Quillon::uint16 number) {
  const std::string channel = " ch " + std::to_string((status & 0x0F) + 1);
  switch (status & 0xF0) {
    case 0x80:
      return "Note Off" + channel + ", note " + std::to_string(number);
    case 0x90:
      return "Note On" + channel + ", note " + std::to_string(number);
    case 0xA0:
      return "Poly Pressure" + channel + ", note " + std::to_string(number);
    case 0xB0:
      return "Control Change" + channel + ", cc " + std::to_string(number);
    case 0xC0:
      return "Program Change" + channel + ", program " + std::to_string(number);
    case 0xD0:
      return "Channel Pressure" + channel;
    case 0xE0:
      return "Pitch Bend" + channel;
    default:
      return "status " + hexByte(status) + ", number " + std::to_string(number);
  }
}

std::string describeBinding(const Binding& binding) {
  switch (binding.kind) {
    case Binding::Kind::command:
      return "command " + binding.category + "/" + binding.target;
    case Binding::Kind::value:
      return "value " + binding.category + "/" + binding.target + " (selector " +
             std::to_string(binding.selector) + ")";
    case Binding::Kind::userFunction:
      return "user function " + binding.function + ": " +
             (binding.target.empty() ? std::string("(no command)")
                                     : binding.category + "/" + binding.target);
    case Binding::Kind::none:
      break;
  }
  return "-";
}

std::string propertyKeyText(Quillon::uint32 key) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = char((key >> shift) & 0xFF);
    if (c < 0x20 || c > 0x7E) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", key);
      return hex;
    }
    text += c;
  }
  return text;
}

void printSurfaceTable(const SurfaceReport& report, std::ostream& out) {
  out << "bank \"" << report.bank << "\", layer \"" << report.layer
      << "\": " << report.controls.size() << " controls";
  if (!report.remoteName.empty()) out << " of remote \"" << report.remoteName << "\"";
  out << "\n\n";
  out << std::left << std::setw(4) << " #" << std::setw(12) << "control" << std::setw(7) << "MIDI"
      << std::setw(28) << "message"
      << "bound to\n";
  for (const ControlReport& row : report.controls) {
    out << std::right << std::setw(2) << row.index << "  " << std::left << std::setw(12)
        << row.control.name << std::setw(7)
        << midiBytes(row.control.midiStatus, row.control.midiNumber) << std::setw(28)
        << midiWords(row.control.midiStatus, row.control.midiNumber) << describeBinding(row.binding)
        << "\n";
  }
  out << "\nuser functions:\n";
  for (const auto& function : report.userFunctions)
    out << "  " << std::setw(6) << function[0]
        << (function[2].empty() ? std::string("(no default command)")
                                : function[1] + "/" + function[2])
        << "\n";
  out << "\nremote properties:";
  for (const auto& [key, value] : report.properties)
    out << " '" << propertyKeyText(key) << "'=" << value;
  out << "\n";
  if (!report.notes.empty()) {
    out << "\nnotes:\n";
    for (const std::string& note : report.notes) out << "  " << note << "\n";
  }
}

void printSurfaceMarkdown(const SurfaceReport& report, std::ostream& out) {
  out << "## Bank \"" << report.bank << "\", layer \"" << report.layer
      << "\"\n\n| # | control | MIDI | message | bound to |\n|---|---|---|---|---|\n";
  for (const ControlReport& row : report.controls)
    out << "| " << row.index << " | " << row.control.name << " | `"
        << midiBytes(row.control.midiStatus, row.control.midiNumber) << "` | "
        << midiWords(row.control.midiStatus, row.control.midiNumber) << " | "
        << describeBinding(row.binding) << " |\n";
  out << "\n### User functions\n\n| name | default command |\n|---|---|\n";
  for (const auto& function : report.userFunctions)
    out << "| " << function[0] << " | "
        << (function[2].empty() ? std::string("-") : function[1] + "/" + function[2]) << " |\n";
  out << "\n### Remote properties\n\n| key | value |\n|---|---|\n";
  for (const auto& [key, value] : report.properties)
    out << "| `" << propertyKeyText(key) << "` | " << value << " |\n";
  if (!report.notes.empty()) {
    out << "\n### Notes\n\n";
    for (const std::string& note : report.notes) out << "- " << note << "\n";
  }
}

nlohmann::json surfaceJson(const SurfaceReport& report) {
  nlohmann::json controls = nlohmann::json::array();
  for (const ControlReport& row : report.controls) {
    nlohmann::json binding = {{"kind", kindName(row.binding.kind)}};
    if (row.binding.kind != Binding::Kind::none) {
      binding["category"] = row.binding.category;
      binding["target"] = row.binding.target;
      binding["flags"] = row.binding.flags;
    }
    if (row.binding.kind == Binding::Kind::value) binding["selector"] = row.binding.selector;
    if (row.binding.kind == Binding::Kind::userFunction) binding["function"] = row.binding.function;
    controls.push_back({{"index", row.index},
                        {"name", row.control.name},
                        {"status", row.control.midiStatus},
                        {"number", row.control.midiNumber},
                        {"message", midiWords(row.control.midiStatus, row.control.midiNumber)},
                        {"maxValue", row.control.maxValue},
                        {"flags", row.control.controlFlags},
                        {"binding", binding}});
  }
  nlohmann::json functions = nlohmann::json::array();
  for (const auto& function : report.userFunctions)
    functions.push_back(
        {{"name", function[0]}, {"category", function[1]}, {"command", function[2]}});
  nlohmann::json properties = nlohmann::json::object();
  for (const auto& [key, value] : report.properties) properties[propertyKeyText(key)] = value;
  return {{"schemaVersion", 1},          {"remoteName", report.remoteName},
          {"familyId", report.familyId}, {"bank", report.bank},
          {"layer", report.layer},       {"controls", controls},
          {"userFunctions", functions},  {"properties", properties},
          {"notes", report.notes}};
}

}  // namespace px7000host
