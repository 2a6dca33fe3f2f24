// Reads text scripts of MIDI steps: parseMidiScript turns lines such as "note 36 100", "cc 7 90
// ch 2", "raw 90 3C 7F", "wait 250ms" and "expect Transport/Step Bar" into play items.
#pragma once

#include <string_view>
#include <vector>

#include "tools/midi/playitem.h"

namespace px7000host {

// Parses `text` (borrowed) as a script, one step per line, '#' starting a comment, and appends
// its messages and expectations to `items`, each with its 1-based line, the byte offset of its
// line and the time the waits before it add up to. On the first bad line returns false with
// error.line, error.offset (that line's start) and error.message set, and `items` unchanged.
bool parseMidiScript(std::string_view text, std::vector<PlayItem>& items, SourceError& error);

}  // namespace px7000host
