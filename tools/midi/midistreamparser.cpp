// Raw MIDI stream parser: one state machine step per byte, no allocation.
#include "tools/midi/midistreamparser.h"

namespace px7000host {
namespace {

// Data bytes after a system common status; the undefined F4 and F5 take none.
std::uint8_t systemCommonDataBytes(std::uint8_t status) {
  switch (status) {
    case 0xF1:
    case 0xF3:
      return 1;
    case 0xF2:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

void MidiStreamParser::acceptStatus(std::uint8_t status, std::uint64_t offset) {
  messageStart = offset;
  dataHave = 0;
  if (status < 0xF0) {
    state = State::channel;
    runningStatus = status;
    dataNeeded = std::uint8_t(channelMessageSize(status) - 1);
    inMessage = true;
    return;
  }
  // Leaving State::channel cancels running status, as any system message must.
  if (status == 0xF0) {
    state = State::systemExclusive;
    inMessage = true;
  } else if (status == 0xF7) {
    // End of exclusive, or a stray one: either way nothing is in progress.
    state = State::idle;
    inMessage = false;
  } else {
    dataNeeded = systemCommonDataBytes(status);
    state = dataNeeded ? State::systemCommon : State::idle;
    inMessage = dataNeeded != 0;
  }
}

void MidiStreamParser::feed(const std::uint8_t* data, std::size_t size, double timeMs,
                            const std::function<void(const PlayItem&)>& sink) {
  PlayItem item;
  item.timeMs = timeMs;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t byte = data[i];
    const std::uint64_t offset = seenBytes + i;
    if (byte >= 0xF8) continue;  // real time: may come between any two bytes
    if (byte & 0x80) {
      acceptStatus(byte, offset);
      continue;
    }
    switch (state) {
      case State::channel:
        if (dataHave == 0) {
          // Under running status the message starts at its first data byte.
          if (!inMessage) messageStart = offset;
          inMessage = true;
          firstData = byte;
        }
        if (++dataHave < dataNeeded) break;
        item.offset = messageStart;
        item.message.status = runningStatus;
        item.message.data1 = firstData;
        item.message.data2 = dataNeeded == 2 ? byte : 0;
        item.message.size = std::uint8_t(dataNeeded + 1);
        dataHave = 0;
        inMessage = false;
        sink(item);
        break;
      case State::systemCommon:
        if (++dataHave == dataNeeded) {
          state = State::idle;
          inMessage = false;
        }
        break;
      case State::systemExclusive:
      case State::idle:
        break;  // exclusive data, or data with no status (a stream joined mid-message)
    }
  }
  seenBytes += size;
}

bool MidiStreamParser::finish(SourceError& error) {
  const bool complete = !inMessage;
  if (!complete) {
    error.offset = messageStart;
    error.line = 0;
    error.message = state == State::systemExclusive
                        ? "stream ends inside a system exclusive message"
                        : "stream ends inside a message";
  }
  state = State::idle;
  dataHave = 0;
  inMessage = false;
  return complete;
}

}  // namespace px7000host
