// PlayItem: one step of a play source (a MIDI message at a time, or an expectation), the error a
// source reports when it cannot be read, and the size of a channel message by its status.
#pragma once

#include <cstdint>
#include <string>

namespace px7000host {

// A short MIDI message (channel voice or mode message): status and up to two data bytes.
struct MidiMessage {
  std::uint8_t status = 0;
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
  std::uint8_t size = 0;  // 2 or 3 bytes in all
};

// The size in bytes (2 or 3) of a channel message with this status; 0 for any other byte.
constexpr std::uint8_t channelMessageSize(std::uint8_t status) {
  if (status < 0x80 || status >= 0xF0) return 0;
  const std::uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

// One step of a source, in the source's order.
struct PlayItem {
  enum class Kind { message, expect };
  Kind kind = Kind::message;
  double timeMs = 0;         // from the start of the source
  std::uint64_t offset = 0;  // byte offset in the source where the item starts
  int line = 0;              // 1-based line of a text script; 0 for binary sources
  MidiMessage message;       // Kind::message
  std::string expectation;   // Kind::expect: "Category/Command", e.g. "Transport/Step Bar"
};

// Why a source could not be read: where, and what is wrong with it.
struct SourceError {
  std::string file;          // as the user named it; "-" for standard input
  std::uint64_t offset = 0;  // byte offset of the fault
  int line = 0;              // text scripts: 1-based line of the fault, else 0
  std::string message;       // lower case, no final full stop

  // One line: "<file>: byte <offset>: <message>", or "<file>:<line>: <message>" for scripts.
  std::string describe() const;
};

}  // namespace px7000host
