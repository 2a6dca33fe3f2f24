// SurfaceReport: the surface a remote-surface component declared to the host, gathered for
// px7000-host to print as a table, as Markdown or as JSON.
#pragma once

#include <array>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/hostremote.h"

namespace px7000host {

// One declared control and what it is bound to in the report's layer.
struct ControlReport {
  int index = 0;
  simhost::DeclaredControl control;
  simhost::Binding binding;
};

// Everything a standard remote holds after the component's init, in declaration order. Owns
// copies; the remote may go away.
struct SurfaceReport {
  std::string bank, layer;
  std::string remoteName, familyId;
  std::vector<std::pair<Quillon::uint32, Quillon::int32>> properties;
  std::vector<ControlReport> controls;
  std::vector<std::array<std::string, 3>> userFunctions;  // name, category, command
  // Remarks: controls sharing a MIDI number, controls with no binding.
  std::vector<std::string> notes;
};

// Gathers the surface of `remote` with the bindings of `layer` in bank `bank`.
SurfaceReport reportSurface(const simhost::RemoteStandard& remote, const std::string& bank,
                            const std::string& layer);

// The MIDI message in hex, e.g. "90 5E".
std::string midiBytes(Quillon::uint8 status, Quillon::uint16 number);
// The MIDI message in words, e.g. "Note On ch 1, note 94" or "Control Change ch 1, cc 60".
std::string midiWords(Quillon::uint8 status, Quillon::uint16 number);
// What a binding does, e.g. "command Transport/StartStop", "value Transport/rewind (selector
// -1)", "user function F1: Edit/Undo"; "-" for none.
std::string describeBinding(const simhost::Binding& binding);
// A remote property key as its four characters when printable ("midi"), else in hex.
std::string propertyKeyText(Quillon::uint32 key);

void printSurfaceTable(const SurfaceReport& report, std::ostream& out);
void printSurfaceMarkdown(const SurfaceReport& report, std::ostream& out);
nlohmann::json surfaceJson(const SurfaceReport& report);

}  // namespace px7000host
