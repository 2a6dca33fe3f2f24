// Source opening: kind detection, whole-file reads and live streaming with poll().
#include "tools/midi/midisource.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>
#include <vector>

#include "tools/midi/midiscript.h"
#include "tools/midi/midistreamparser.h"
#include "tools/midi/smfparser.h"

namespace px7000host {
namespace {

// Long enough to see a stop request promptly, short enough not to spin.
constexpr int kPollTimeoutMs = 50;
constexpr std::size_t kReadChunk = 4096;

bool failWithErrno(SourceError& error, std::uint64_t offset, const char* what) {
  error.offset = offset;
  error.line = 0;
  error.message = std::string(what) + ": " + std::strerror(errno);
  return false;
}

bool isCharacterDevice(const std::string& name) {
  struct stat info {};
  return stat(name.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

// Number of continuation bytes after a UTF-8 lead byte; -1 if it cannot lead.
int utf8Continuations(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

// Printable ASCII, tabs and line ends, and whole UTF-8 sequences; a full head may cut the last
// sequence short. MIDI status bytes are never followed by UTF-8 continuation bytes.
bool looksLikeText(const std::uint8_t* head, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t byte = head[i];
    if (byte == '\t' || byte == '\n' || byte == '\r' || (byte >= 0x20 && byte < 0x7F)) continue;
    const int more = utf8Continuations(byte);
    if (more < 0) return false;
    for (int k = 0; k < more; ++k) {
      if (++i == size) return size >= kSourceHeadSize;
      if ((head[i] & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

SourceKind kindOfContent(const std::uint8_t* head, std::size_t size) {
  if (size >= 4 && std::memcmp(head, "MThd", 4) == 0) return SourceKind::standardMidiFile;
  return looksLikeText(head, size) ? SourceKind::script : SourceKind::rawStream;
}

bool readWholeFile(const std::string& name, std::vector<std::uint8_t>& bytes, SourceError& error) {
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return failWithErrno(error, 0, "cannot open");
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) bytes.reserve(std::size_t(info.st_size));
  bool ok = true;
  std::uint8_t chunk[kReadChunk];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ok = failWithErrno(error, bytes.size(), "cannot read");
      break;
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  close(fd);
  return ok;
}

bool parseFile(const std::vector<std::uint8_t>& bytes,
               const std::function<void(const PlayItem&)>& sink, SourceError& error) {
  const std::uint8_t* data = bytes.data();
  const std::size_t size = bytes.size();
  const SourceKind kind = kindOfContent(data, std::min(size, kSourceHeadSize));
  if (kind == SourceKind::rawStream) {
    MidiStreamParser parser;
    parser.feed(data, size, 0, sink);
    return parser.finish(error);
  }
  std::vector<PlayItem> items;
  const bool ok = kind == SourceKind::script
                      ? parseMidiScript({reinterpret_cast<const char*>(data), size}, items, error)
                      : parseStandardMidiFile(data, size, items, error);
  if (!ok) return false;
  for (const PlayItem& item : items) sink(item);
  return true;
}

}  // namespace

SourceKind sourceKindOf(const std::string& name, const std::uint8_t* head, std::size_t headSize) {
  if (name == "-") return SourceKind::standardInput;
  if (isCharacterDevice(name)) return SourceKind::deviceNode;
  return kindOfContent(head, head ? headSize : 0);
}

SourceKind probeSourceKind(const std::string& name) {
  if (name == "-") return SourceKind::standardInput;
  struct stat info {};
  if (stat(name.c_str(), &info) != 0) return SourceKind::rawStream;
  if (S_ISCHR(info.st_mode)) return SourceKind::deviceNode;
  // Reading a pipe's head here would take those bytes from readSource.
  if (!S_ISREG(info.st_mode)) return SourceKind::rawStream;
  std::uint8_t head[kSourceHeadSize];
  std::size_t size = 0;
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return SourceKind::rawStream;
  while (size < sizeof head) {
    const ssize_t got = read(fd, head + size, sizeof head - size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    size += std::size_t(got);
  }
  close(fd);
  return kindOfContent(head, size);
}

bool readMidiStream(int fd, const std::function<void(const PlayItem&)>& sink, SourceError& error,
                    const volatile std::sig_atomic_t* stop) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  MidiStreamParser parser;
  std::uint8_t chunk[kReadChunk];
  while (stop == nullptr || *stop == 0) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, kPollTimeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return failWithErrno(error, parser.bytesSeen(), "cannot read");
    if (ready == 0) continue;
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (got < 0) return failWithErrno(error, parser.bytesSeen(), "cannot read");
    if (got == 0) return parser.finish(error);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    parser.feed(chunk, std::size_t(got), ms, sink);
  }
  return true;
}

bool readSource(const std::string& name, const std::function<void(const PlayItem&)>& sink,
                SourceError& error, const volatile std::sig_atomic_t* stop) {
  error.file = name;
  if (name == "-") return readMidiStream(STDIN_FILENO, sink, error, stop);
  if (isCharacterDevice(name)) {
    // Non-blocking, so a device another program holds fails at once instead of hanging.
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return failWithErrno(error, 0, "cannot open");
    const bool ok = readMidiStream(fd, sink, error, stop);
    close(fd);
    return ok;
  }
  std::vector<std::uint8_t> bytes;
  return readWholeFile(name, bytes, error) && parseFile(bytes, sink, error);
}

const char* describe(SourceKind kind) {
  switch (kind) {
    case SourceKind::standardMidiFile:
      return "Standard MIDI File";
    case SourceKind::rawStream:
      return "raw MIDI stream";
    case SourceKind::script:
      return "text script";
    case SourceKind::deviceNode:
      return "MIDI device node";
    case SourceKind::standardInput:
      return "standard input";
  }
  return "unknown source";
}

}  // namespace px7000host
