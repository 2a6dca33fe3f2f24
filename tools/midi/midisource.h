// Opens what the user names as a play source: SourceKind tells a Standard MIDI File, a raw MIDI
// stream, a text script, a MIDI device node and standard input apart; readSource reads any of
// them and hands its items over in order, streaming device nodes and standard input live.
#pragma once

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "tools/midi/playitem.h"

namespace px7000host {

enum class SourceKind { standardMidiFile, rawStream, script, deviceNode, standardInput };

// How many leading bytes of a file sourceKindOf looks at.
constexpr std::size_t kSourceHeadSize = 512;

// Returns what `name` is: "-" is standard input, a character device a MIDI device node; a file
// is told by `head`, its first bytes (borrowed, up to kSourceHeadSize): "MThd" starts a Standard
// MIDI File, text (printable ASCII, tabs, line ends, UTF-8) is a script, anything else raw MIDI.
SourceKind sourceKindOf(const std::string& name, const std::uint8_t* head, std::size_t headSize);

// Returns what readSource would take `name` for, reading the head of a regular file. A missing
// or unreadable file, or a pipe (whose head readSource still needs), counts as rawStream.
SourceKind probeSourceKind(const std::string& name);

// Reads the source `name` and hands each of its items to `sink` in order. Files are read whole
// and parsed by their kind; standard input and device nodes are streamed as raw MIDI, each item
// stamped with the milliseconds since reading began, until end of file or until `stop` (if
// given) turns non-zero. Returns false with `error` set (error.file = name) if the source cannot
// be opened or read or is malformed; the items handed over before a stream fault stay handed.
bool readSource(const std::string& name, const std::function<void(const PlayItem&)>& sink,
                SourceError& error, const volatile std::sig_atomic_t* stop = nullptr);

// Streams raw MIDI from the open descriptor `fd` (borrowed, left open) the way readSource streams
// standard input. Returns false with error.offset and error.message set on a read error or a
// message cut off by end of file; a stop request returns true whatever is in progress.
bool readMidiStream(int fd, const std::function<void(const PlayItem&)>& sink, SourceError& error,
                    const volatile std::sig_atomic_t* stop = nullptr);

// Returns the kind's name for messages, e.g. "Standard MIDI File"; never null.
const char* describe(SourceKind kind);

}  // namespace px7000host
