// Text script parser: one command per line, numbers checked against the ranges MIDI allows.
#include "tools/midi/midiscript.h"

#include <array>
#include <string>
#include <utility>

namespace px7000host {
namespace {

constexpr double kLongestWaitMs = 24.0 * 60 * 60 * 1000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool startsWithHexPrefix(std::string_view text) {
  return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// Digits in base 10 or 16; saturates far above any MIDI value, so a long number stays large.
bool parseUnsigned(std::string_view text, unsigned base, unsigned& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0 || unsigned(digit) >= base) return false;
    value = value > 0xFFFFFF ? value : value * base + unsigned(digit);
  }
  return true;
}

// The words of a line, without allocating; count goes on past the words it keeps.
struct Words {
  std::array<std::string_view, 6> word;
  std::size_t count = 0;
};

Words split(std::string_view line) {
  Words words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    if (pos == line.size()) break;
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) ++pos;
    if (words.count < words.word.size()) words.word[words.count] = line.substr(start, pos - start);
    ++words.count;
  }
  return words;
}

class ScriptReader {
 public:
  ScriptReader(std::vector<PlayItem>& items, SourceError& error) : items_(items), error_(error) {}

  bool readLine(std::string_view line, int number, std::uint64_t offset) {
    line_ = number;
    offset_ = offset;
    line = trim(line.substr(0, line.find('#')));
    const Words words = split(line);
    if (words.count == 0) return true;
    const std::string_view command = words.word[0];
    if (command == "note") return readNoteOrControl(words, 0x90);
    if (command == "off") return readOff(words);
    if (command == "cc") return readNoteOrControl(words, 0xB0);
    if (command == "raw") return readRaw(words);
    if (command == "wait") return readWait(words);
    if (command == "expect") return readExpect(trim(line.substr(command.size())));
    return fail("unknown command '" + std::string(command) + "'");
  }

 private:
  bool fail(std::string message) {
    error_.line = line_;
    error_.offset = offset_;
    error_.message = std::move(message);
    return false;
  }

  // A decimal or 0x-prefixed value within low..high.
  bool number(std::string_view text, const char* what, unsigned low, unsigned high,
              unsigned& value) {
    const bool hex = startsWithHexPrefix(text);
    if (!parseUnsigned(hex ? text.substr(2) : text, hex ? 16 : 10, value)) {
      return fail(std::string(what) + " '" + std::string(text) + "' is not a number");
    }
    if (value < low || value > high) {
      return fail(std::string(what) + " " + std::string(text) + " is out of range " +
                  std::to_string(low) + ".." + std::to_string(high));
    }
    return true;
  }

  // The optional "ch C" after `used` words, else nothing more; channel is 0-based on return.
  bool channel(const Words& words, std::size_t used, const char* usage, unsigned& channel) {
    channel = 0;
    if (words.count == used) return true;
    if (words.count != used + 2 || words.word[used] != "ch") return fail(usage);
    if (!number(words.word[used + 1], "channel", 1, 16, channel)) return false;
    --channel;
    return true;
  }

  void add(std::uint8_t status, unsigned data1, unsigned data2) {
    PlayItem& item = newItem();
    item.message.status = status;
    item.message.data1 = std::uint8_t(data1);
    item.message.data2 = std::uint8_t(data2);
    item.message.size = channelMessageSize(status);
  }

  PlayItem& newItem() {
    PlayItem& item = items_.emplace_back();
    item.timeMs = timeMs_;
    item.offset = offset_;
    item.line = line_;
    return item;
  }

  // "note N V [ch C]" and "cc N V [ch C]".
  bool readNoteOrControl(const Words& words, std::uint8_t status) {
    const bool isNote = status == 0x90;
    const char* usage = isNote ? "usage: note NUMBER VELOCITY [ch CHANNEL]"
                               : "usage: cc CONTROLLER VALUE [ch CHANNEL]";
    if (words.count < 3) return fail(usage);
    unsigned first = 0, second = 0, ch = 0;
    if (!number(words.word[1], isNote ? "note number" : "controller", 0, 127, first) ||
        !number(words.word[2], isNote ? "velocity" : "value", 0, 127, second)) {
      return false;
    }
    if (!channel(words, 3, usage, ch)) return false;
    add(std::uint8_t(status | ch), first, second);
    return true;
  }

  // "off N [ch C]": a Note Off with velocity 0.
  bool readOff(const Words& words) {
    const char* usage = "usage: off NUMBER [ch CHANNEL]";
    if (words.count < 2) return fail(usage);
    unsigned note = 0, ch = 0;
    if (!number(words.word[1], "note number", 0, 127, note)) return false;
    if (!channel(words, 2, usage, ch)) return false;
    add(std::uint8_t(0x80 | ch), note, 0);
    return true;
  }

  // "raw B1 B2 [B3]", bytes in hex with or without 0x.
  bool readRaw(const Words& words) {
    if (words.count < 3 || words.count > 4) return fail("usage: raw STATUS DATA [DATA] (hex)");
    unsigned bytes[3] = {0, 0, 0};
    for (std::size_t i = 1; i < words.count; ++i) {
      std::string_view text = words.word[i];
      if (startsWithHexPrefix(text)) text.remove_prefix(2);
      if (text.size() > 2 || !parseUnsigned(text, 16, bytes[i - 1])) {
        return fail("raw byte '" + std::string(words.word[i]) + "' is not a hex byte 00..FF");
      }
    }
    const std::uint8_t size = channelMessageSize(std::uint8_t(bytes[0]));
    if (size == 0) {
      return fail("raw status " + std::string(words.word[1]) + " is not a channel status 80..EF");
    }
    if (words.count - 1 != size) {
      return fail("raw status " + std::string(words.word[1]) + " takes " +
                  std::to_string(size - 1) + " data byte" + (size == 2 ? "" : "s"));
    }
    for (std::size_t i = 1; i < size; ++i) {
      if (bytes[i] > 0x7F) {
        return fail("raw data byte " + std::string(words.word[i + 1]) + " is out of range 00..7F");
      }
    }
    add(std::uint8_t(bytes[0]), bytes[1], bytes[2]);
    return true;
  }

  // "wait 250ms", "wait 1.5s", "wait 20" (milliseconds), or with the unit as its own word.
  bool readWait(const Words& words) {
    const char* usage = "usage: wait DURATION, e.g. 250ms, 1.5s or 20";
    if (words.count < 2 || words.count > 3) return fail(usage);
    std::string_view text = words.word[1];
    double value = 0;
    std::size_t pos = 0, digits = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
      value = value * 10 + (text[pos] - '0');
    }
    if (pos < text.size() && text[pos] == '.') {
      double scale = 0.1;
      for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
        value += (text[pos] - '0') * scale;
        scale /= 10;
      }
    }
    std::string_view unit = text.substr(pos);
    if (words.count == 3) {
      if (!unit.empty()) return fail(usage);
      unit = words.word[2];
    }
    if (digits == 0 || (unit != "" && unit != "ms" && unit != "s")) return fail(usage);
    if (unit == "s") value *= 1000;
    if (value > kLongestWaitMs) return fail("wait " + std::string(text) + " is longer than a day");
    timeMs_ += value;
    return true;
  }

  // "expect Category/Command": both sides of the first '/' must have text.
  bool readExpect(std::string_view what) {
    const std::size_t slash = what.find('/');
    if (slash == std::string_view::npos || trim(what.substr(0, slash)).empty() ||
        trim(what.substr(slash + 1)).empty()) {
      return fail("expect needs Category/Command");
    }
    PlayItem& item = newItem();
    item.kind = PlayItem::Kind::expect;
    item.expectation = std::string(what);
    return true;
  }

  std::vector<PlayItem>& items_;
  SourceError& error_;
  double timeMs_ = 0;
  int line_ = 0;
  std::uint64_t offset_ = 0;
};

}  // namespace

bool parseMidiScript(std::string_view text, std::vector<PlayItem>& items, SourceError& error) {
  const std::size_t kept = items.size();
  ScriptReader reader(items, error);
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (!reader.readLine(text.substr(start, end - start), line, start)) {
      items.resize(kept);
      return false;
    }
    start = end + 1;
  }
  return true;
}

}  // namespace px7000host
