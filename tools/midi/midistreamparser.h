// Reads raw MIDI byte streams: MidiStreamParser cuts bytes arriving in arbitrary chunks (a file,
// standard input, a device node) into channel messages, with running status, interleaved
// real-time bytes, system exclusive and system common messages skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "tools/midi/playitem.h"

namespace px7000host {

class MidiStreamParser {
 public:
  // Parses the next `size` bytes at `data` (borrowed), which follow the bytes of earlier calls,
  // and hands each completed channel message to `sink` as a Kind::message item stamped with
  // `timeMs`; a message split across calls comes out whole. Never fails: bytes that belong to
  // no message are skipped.
  void feed(const std::uint8_t* data, std::size_t size, double timeMs,
            const std::function<void(const PlayItem&)>& sink);

  // Ends the stream. Returns false with error.offset (the unfinished message's first byte) and
  // error.message set if the stream stopped inside a message; true otherwise. Either way the
  // parser is ready for a new stream, but bytesSeen() keeps counting.
  bool finish(SourceError& error);

  // Returns the number of bytes fed so far.
  std::uint64_t bytesSeen() const { return seenBytes; }

 private:
  enum class State : std::uint8_t { idle, channel, systemExclusive, systemCommon };

  void acceptStatus(std::uint8_t status, std::uint64_t offset);

  State state = State::idle;
  std::uint8_t runningStatus = 0;  // running status while state is channel
  std::uint8_t dataNeeded = 0;     // data bytes of the channel or system common message
  std::uint8_t dataHave = 0;       // data bytes received of the message in progress
  std::uint8_t firstData = 0;
  bool inMessage = false;  // a message has started and not yet completed
  std::uint64_t messageStart = 0;
  std::uint64_t seenBytes = 0;
};

}  // namespace px7000host
