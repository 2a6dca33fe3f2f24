// Checks source opening: kind detection on bytes and names, whole files of each kind, errors
// naming the file, and live streaming from a pipe with a stop request.
#include "tools/midi/midisource.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/tools/midi/showitem.h"

namespace px7000host {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

class MidiSource : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/px7000-midisource-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& path : written_) std::remove(path.c_str());
    rmdir(dir_.c_str());
  }
  std::string writeFile(const char* name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    written_.push_back(path);
    return path;
  }
  bool read(const std::string& path, Lines& seen, SourceError& error) {
    return readSource(
        path, [&](const PlayItem& item) { seen.push_back(show(item)); }, error);
  }

  std::string dir_;
  std::vector<std::string> written_;
};

SourceKind kindOfBytes(const std::string& text) {
  return sourceKindOf("file", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST_F(MidiSource, KindFromNameAndHead) {
  EXPECT_EQ(sourceKindOf("-", nullptr, 0), SourceKind::standardInput);
  EXPECT_EQ(sourceKindOf("/dev/null", nullptr, 0), SourceKind::deviceNode);
  EXPECT_EQ(kindOfBytes("MThd\0\0\0\6"s), SourceKind::standardMidiFile);
  EXPECT_EQ(kindOfBytes("# warm-up: kick, snare (ch 10)\r\nnote 36 100\n\twait 1.5s\n"),
            SourceKind::script);
  EXPECT_EQ(kindOfBytes("# caf\xC3\xA9 \xE2\x80\x94 UTF-8 in a comment\n"), SourceKind::script);
  EXPECT_EQ(kindOfBytes(""), SourceKind::script);
  EXPECT_EQ(kindOfBytes("\x90\x3C\x40"), SourceKind::rawStream);
  EXPECT_EQ(kindOfBytes("note 36 100\n\xC0\x05"), SourceKind::rawStream);
  EXPECT_EQ(kindOfBytes("\xE0\0\x40"s), SourceKind::rawStream);
  EXPECT_EQ(kindOfBytes("\xD0"), SourceKind::rawStream);  // a UTF-8 lead, cut short
  EXPECT_EQ(kindOfBytes("note\0"s), SourceKind::rawStream);
}

TEST_F(MidiSource, ReadsEachKindOfFile) {
  const std::string smf =
      writeFile("a.mid", "MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\x90\x3C\x40"s);
  const std::string raw = writeFile("a.raw", "\xF8\x90\x3C\x40\x3C\0"s);
  const std::string script = writeFile("a.txt", "cc 7 9\nexpect A/B\n");
  EXPECT_EQ(probeSourceKind(smf), SourceKind::standardMidiFile);
  EXPECT_EQ(probeSourceKind(raw), SourceKind::rawStream);
  EXPECT_EQ(probeSourceKind(script), SourceKind::script);
  Lines seen;
  SourceError error;
  EXPECT_TRUE(read(smf, seen, error) && read(raw, seen, error) && read(script, seen, error))
      << error.describe();
  EXPECT_EQ(seen, (Lines{"90 3C 40 @23 0ms", "90 3C 40 @1 0ms", "90 3C 00 @4 0ms",
                         "B0 07 09 @0 0ms line 1", "expect A/B @7 0ms line 2"}));
}

TEST_F(MidiSource, ErrorsNameTheFile) {
  Lines seen;
  SourceError error;
  const std::string missing = dir_ + "/missing.mid";
  EXPECT_FALSE(read(missing, seen, error));
  EXPECT_EQ(error.describe(), missing + ": byte 0: cannot open: No such file or directory");
  const std::string cut = writeFile("cut.raw", "\x90\x3C\x40\x3C");
  EXPECT_FALSE(read(cut, seen, error));
  EXPECT_EQ(error.describe(), cut + ": byte 3: stream ends inside a message");
  const std::string script = writeFile("bad.txt", "\nnote 1");
  EXPECT_FALSE(read(script, seen, error));
  EXPECT_EQ(error.describe(), script + ":2: usage: note NUMBER VELOCITY [ch CHANNEL]");
  EXPECT_EQ(seen, Lines{"90 3C 40 @0 0ms"});  // the cut stream's complete message
  // A device node is streamed to its end of file.
  EXPECT_TRUE(read("/dev/null", seen, error));
}

TEST_F(MidiSource, StreamsAPipeUntilEndOfFileOrStop) {
  const std::string bytes = "\x90\x3C\x40\xB0\x07";
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
  close(fds[1]);
  int messages = 0;
  SourceError error;
  EXPECT_FALSE(readMidiStream(
      fds[0], [&](const PlayItem&) { ++messages; }, error));
  EXPECT_EQ(error.offset, 3u);  // B0 07 cut off
  EXPECT_EQ(messages, 1);
  close(fds[0]);

  // The writer keeps this pipe open: only the stop request ends the stream.
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(::write(fds[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
  volatile std::sig_atomic_t stop = 0;
  EXPECT_TRUE(readMidiStream(
      fds[0], [&](const PlayItem&) { stop = 1; }, error, &stop));
  EXPECT_EQ(stop, 1);
  close(fds[0]);
  close(fds[1]);
}

}  // namespace
}  // namespace px7000host
