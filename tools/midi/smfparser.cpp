// Standard MIDI File parser: header, track chunks, events, and ticks to milliseconds.
#include "tools/midi/smfparser.h"

#include <algorithm>
#include <string>
#include <utility>

namespace px7000host {
namespace {

constexpr std::uint32_t kDefaultMicrosPerQuarter = 500000;

struct Event {
  std::uint64_t tick;
  std::uint64_t offset;
  MidiMessage message;
};

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsPerQuarter;
};

std::string hexByte(std::uint8_t byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

class SmfReader {
 public:
  SmfReader(const std::uint8_t* data, std::size_t size, SourceError& error)
      : data_(data), size_(size), error_(error) {}

  bool read(std::vector<PlayItem>& items) {
    if (!readHeader()) return false;
    // A channel event takes at least two bytes; most take three or four.
    events_.reserve(size_ / 4);
    std::size_t pos = headerEnd_;
    for (unsigned track = 0; track < trackCount_;) {
      if (pos == size_) {
        return fail(pos, "file ends before track " + std::to_string(track + 1) + " of " +
                             std::to_string(trackCount_));
      }
      if (size_ - pos < 8) return fail(pos, "truncated chunk header");
      const std::uint32_t length = be32(pos + 4);
      const bool isTrack = std::equal(data_ + pos, data_ + pos + 4, "MTrk");
      if (length > size_ - pos - 8) {
        return fail(pos + 4, isTrack ? "track chunk runs past the end of the file"
                                     : "chunk runs past the end of the file");
      }
      if (isTrack) {
        if (!readTrack(pos + 8, pos + 8 + length)) return false;
        ++track;
      }
      pos += 8 + std::size_t(length);
    }
    emit(items);
    return true;
  }

 private:
  enum class Vlq { ok, truncated, tooLong };

  bool fail(std::uint64_t offset, std::string message) {
    error_.offset = offset;
    error_.line = 0;
    error_.message = std::move(message);
    return false;
  }

  std::uint32_t be32(std::size_t at) const {
    return std::uint32_t(data_[at]) << 24 | std::uint32_t(data_[at + 1]) << 16 |
           std::uint32_t(data_[at + 2]) << 8 | data_[at + 3];
  }
  unsigned be16(std::size_t at) const { return unsigned(data_[at]) << 8 | data_[at + 1]; }

  bool readHeader() {
    if (size_ < 4 || !std::equal(data_, data_ + 4, "MThd")) {
      return fail(0, "not a standard MIDI file (no MThd header)");
    }
    if (size_ < 8) return fail(4, "header chunk runs past the end of the file");
    const std::uint32_t length = be32(4);
    if (length < 6) return fail(4, "header chunk is shorter than 6 bytes");
    if (length > size_ - 8) return fail(4, "header chunk runs past the end of the file");
    headerEnd_ = 8 + std::size_t(length);
    const unsigned format = be16(8);
    if (format == 2) return fail(8, "format 2 is not supported");
    if (format > 2) return fail(8, "unknown format " + std::to_string(format));
    trackCount_ = be16(10);
    if (trackCount_ == 0) return fail(10, "the header declares no tracks");
    const unsigned division = be16(12);
    if (division & 0x8000) {
      const int framesPerSecond = -int(std::int8_t(data_[12]));
      const unsigned ticksPerFrame = data_[13];
      if (framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 &&
          framesPerSecond != 30) {
        return fail(12, "unknown SMPTE frame rate " + std::to_string(framesPerSecond));
      }
      if (ticksPerFrame == 0) return fail(13, "SMPTE division has zero ticks per frame");
      // -29 stands for the 29.97 frames per second of NTSC drop-frame time code.
      const double fps = framesPerSecond == 29 ? 29.97 : framesPerSecond;
      smpteMsPerTick_ = 1000.0 / (fps * ticksPerFrame);
    } else {
      if (division == 0) return fail(12, "division is zero ticks per quarter note");
      ticksPerQuarter_ = division;
    }
    return true;
  }

  // At most four bytes, seven bits each, high bit set on all but the last.
  Vlq readVlq(std::size_t& pos, std::size_t end, std::uint32_t& value) const {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      if (pos >= end) return Vlq::truncated;
      const std::uint8_t byte = data_[pos++];
      value = value << 7 | (byte & 0x7F);
      if (!(byte & 0x80)) return Vlq::ok;
    }
    return Vlq::tooLong;
  }

  bool vlqFault(Vlq result, std::size_t vlqStart, std::size_t eventStart) {
    if (result == Vlq::tooLong) {
      return fail(vlqStart, "variable-length quantity longer than 4 bytes");
    }
    return fail(eventStart, "truncated event");
  }

  bool readTrack(std::size_t pos, std::size_t end) {
    std::uint64_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (pos < end) {
      const std::size_t deltaStart = pos;
      std::uint32_t delta = 0;
      const Vlq deltaResult = readVlq(pos, end, delta);
      if (deltaResult != Vlq::ok) return vlqFault(deltaResult, deltaStart, deltaStart);
      tick += delta;
      if (pos >= end) return fail(pos, "truncated event");
      const std::size_t eventStart = pos;
      const std::uint8_t first = data_[pos];
      if (first < 0xF0) {
        std::uint8_t status = first;
        if (first < 0x80) {
          if (runningStatus == 0) return fail(pos, "data byte without a running status");
          status = runningStatus;
        } else {
          runningStatus = first;
          ++pos;
        }
        const std::size_t dataBytes = channelMessageSize(status) - 1u;
        if (end - pos < dataBytes) return fail(eventStart, "truncated event");
        MidiMessage message;
        message.status = status;
        message.size = std::uint8_t(dataBytes + 1);
        for (std::size_t i = 0; i < dataBytes; ++i) {
          const std::uint8_t byte = data_[pos + i];
          if (byte & 0x80) {
            return fail(pos + i, "status byte " + hexByte(byte) + " inside a channel message");
          }
          (i == 0 ? message.data1 : message.data2) = byte;
        }
        pos += dataBytes;
        events_.push_back({tick, eventStart, message});
        continue;
      }
      // Meta and system exclusive events cancel running status.
      runningStatus = 0;
      std::uint8_t metaType = 0;
      if (first == 0xFF) {
        if (end - pos < 2) return fail(eventStart, "truncated event");
        metaType = data_[pos + 1];
        pos += 2;
      } else if (first == 0xF0 || first == 0xF7) {
        ++pos;
      } else {
        return fail(pos, "unexpected status byte " + hexByte(first));
      }
      const std::size_t lengthStart = pos;
      std::uint32_t length = 0;
      const Vlq lengthResult = readVlq(pos, end, length);
      if (lengthResult != Vlq::ok) return vlqFault(lengthResult, lengthStart, eventStart);
      if (length > end - pos) return fail(eventStart, "truncated event");
      if (first == 0xFF && metaType == 0x51 && length == 3) {
        const std::uint32_t micros =
            std::uint32_t(data_[pos]) << 16 | std::uint32_t(data_[pos + 1]) << 8 | data_[pos + 2];
        tempos_.push_back({tick, micros});
      }
      pos += length;
      // Whatever follows End of Track is not part of the track.
      if (first == 0xFF && metaType == 0x2F) break;
    }
    return true;
  }

  void emit(std::vector<PlayItem>& items) {
    const auto byTick = [](const auto& a, const auto& b) { return a.tick < b.tick; };
    // Tracks were read one after the other, so a stable sort keeps track and file order.
    if (!std::is_sorted(events_.begin(), events_.end(), byTick)) {
      std::stable_sort(events_.begin(), events_.end(), byTick);
    }
    std::stable_sort(tempos_.begin(), tempos_.end(), byTick);
    const bool smpte = ticksPerQuarter_ == 0;
    const double quarterTicks = ticksPerQuarter_;
    double msPerTick = smpte ? smpteMsPerTick_ : kDefaultMicrosPerQuarter / 1000.0 / quarterTicks;
    double segmentMs = 0;
    std::uint64_t segmentTick = 0;
    std::size_t nextTempo = 0;
    items.reserve(items.size() + events_.size());
    for (const Event& event : events_) {
      while (!smpte && nextTempo < tempos_.size() && tempos_[nextTempo].tick <= event.tick) {
        const TempoChange& change = tempos_[nextTempo++];
        segmentMs += double(change.tick - segmentTick) * msPerTick;
        segmentTick = change.tick;
        msPerTick = change.microsPerQuarter / 1000.0 / quarterTicks;
      }
      PlayItem& item = items.emplace_back();
      item.timeMs = segmentMs + double(event.tick - segmentTick) * msPerTick;
      item.offset = event.offset;
      item.message = event.message;
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  SourceError& error_;
  std::size_t headerEnd_ = 0;
  unsigned trackCount_ = 0;
  unsigned ticksPerQuarter_ = 0;  // 0 under SMPTE division
  double smpteMsPerTick_ = 0;
  std::vector<Event> events_;
  std::vector<TempoChange> tempos_;
};

}  // namespace

bool parseStandardMidiFile(const std::uint8_t* data, std::size_t size, std::vector<PlayItem>& items,
                           SourceError& error) {
  if (data == nullptr) size = 0;
  return SmfReader(data, size, error).read(items);
}

}  // namespace px7000host
