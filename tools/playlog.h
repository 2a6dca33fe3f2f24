// The two transcripts of px7000-host play: text for people, JSON Lines for programs.
#pragma once

#include <iosfwd>

#include "tools/player.h"

namespace px7000host {

// One aligned line per event and per expectation.
class TextPlayLog : public PlayLog {
 public:
  // `out` is borrowed and must outlive the log.
  explicit TextPlayLog(std::ostream& out);
  void event(const EventRecord& record) override;
  void expectation(const ExpectRecord& record) override;

 private:
  std::ostream& out;
};

// One JSON object per line: {"type": "event", ...} or {"type": "expect", ...}.
class JsonPlayLog : public PlayLog {
 public:
  // `out` is borrowed and must outlive the log.
  explicit JsonPlayLog(std::ostream& out) : out(out) {}
  void event(const EventRecord& record) override;
  void expectation(const ExpectRecord& record) override;

 private:
  std::ostream& out;
};

// The message's bytes in hex, e.g. "B0 3C 41".
std::string messageBytes(const MidiMessage& message);

}  // namespace px7000host
