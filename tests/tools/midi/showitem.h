// Test helper: one line per play item, so item sequences compare and print as text.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tools/midi/playitem.h"

namespace px7000host {

// "90 3C 40 @31 500ms", "C9 05 @44 0ms", "expect A/B @9 0ms"; scripts add " line 3".
inline std::string show(const PlayItem& item) {
  char text[64];
  const MidiMessage& m = item.message;
  if (item.kind == PlayItem::Kind::expect) {
    std::snprintf(text, sizeof text, "expect %s", item.expectation.c_str());
  } else if (m.size == 2) {
    std::snprintf(text, sizeof text, "%02X %02X", m.status, m.data1);
  } else {
    std::snprintf(text, sizeof text, "%02X %02X %02X", m.status, m.data1, m.data2);
  }
  std::string line = text;
  std::snprintf(text, sizeof text, " @%llu %.10gms", static_cast<unsigned long long>(item.offset),
                item.timeMs);
  line += text;
  if (item.line > 0) line += " line " + std::to_string(item.line);
  return line;
}

inline std::vector<std::string> showAll(const std::vector<PlayItem>& items) {
  std::vector<std::string> lines;
  for (const PlayItem& item : items) lines.push_back(show(item));
  return lines;
}

}  // namespace px7000host
