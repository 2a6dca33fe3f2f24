// Reads Standard MIDI Files: parseStandardMidiFile turns a format 0 or 1 file into its channel
// messages, all tracks merged in time order, times in milliseconds from the tempo map or the
// SMPTE division.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/midi/playitem.h"

namespace px7000host {

// Parses the `size` bytes at `data` (borrowed) as a Standard MIDI File and appends one
// Kind::message item per channel message to `items`, ordered by time, then track, then file
// order. Meta and system exclusive events are skipped. On a malformed file returns false with
// error.offset and error.message set (error.file is left to the caller) and `items` unchanged.
bool parseStandardMidiFile(const std::uint8_t* data, std::size_t size, std::vector<PlayItem>& items,
                           SourceError& error);

}  // namespace px7000host
