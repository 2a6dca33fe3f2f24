// Speed of px7000-host's two hot paths: the whole start-up path of the built bundle, and playing
// a long MIDI file through it.
//
// BM_StartUpPath goes from dlopen through the service, detection and the remote device's
// declared surface back to dlclose; its reference is dlopen and dlclose of an empty shared
// library (target: at most 1.5x). BM_Play100k plays a 100,000-event Standard MIDI File with the
// output off (target: at least 1,000,000 events per second, counter events_per_s); its reference
// only reads and parses the file, so the ratio shows what the host path adds.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "tools/hostsession.h"
#include "tools/midi/midisource.h"
#include "tools/player.h"

namespace {

using namespace px7000host;

constexpr int kEvents = 100000;

void BM_StartUpPath(benchmark::State& state) {
  for (auto _ : state) {
    HostSession session({PX7000_BUNDLE_PATH, {}, PortLayout::pair});
    session.host().setRecording(false);
    if (!session.start() || session.remoteDevice() == nullptr) {
      state.SkipWithError("the start-up path failed");
      break;
    }
    benchmark::DoNotOptimize(session.remoteDevice()->standard()->controls().size());
    if (!session.stop().empty()) {
      state.SkipWithError("the shutdown left something behind");
      break;
    }
  }
}
BENCHMARK(BM_StartUpPath);

void BM_LoadEmptyLibrary(benchmark::State& state) {
  for (auto _ : state) {
    void* handle = dlopen(PX7000_EMPTY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      state.SkipWithError("cannot load the empty library");
      break;
    }
    benchmark::DoNotOptimize(dlsym(handle, "px7000BenchEmpty"));
    dlclose(handle);
  }
}
BENCHMARK(BM_LoadEmptyLibrary)->Name("BM_StartUpPath/reference");

void putVariableLength(std::vector<unsigned char>& out, unsigned value) {
  unsigned char bytes[4];
  int count = 0;
  do {
    bytes[count++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(bytes[--count] | 0x80);
  out.push_back(bytes[0]);
}

// A format 0 file of key presses and releases and data-dial steps, one tick apart, with running
// status where a real sequencer would use it.
std::string writeLongMidiFile() {
  std::vector<unsigned char> track;
  track.reserve(std::size_t(kEvents) * 4 + 4);
  const unsigned char keys[] = {88, 94, 95, 68, 54, 66, 96, 99};
  for (int i = 0; i < kEvents; ++i) {
    putVariableLength(track, 1);
    if (i % 4 == 3) {
      track.insert(track.end(), {0xB0, 60, (unsigned char)((i / 4) % 2 == 0 ? 1 : 65)});
    } else {
      track.insert(track.end(), {0x90, keys[i % 8], (unsigned char)(i % 4 == 1 ? 0 : 127)});
    }
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                                     0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
  const std::size_t length = track.size();
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back((length >> shift) & 0xFF);
  file.insert(file.end(), track.begin(), track.end());
  char path[] = "/tmp/px7000-bench-XXXXXX.mid";
  const int fd = mkstemps(path, 4);
  if (fd < 0 || write(fd, file.data(), file.size()) != ssize_t(file.size())) std::abort();
  close(fd);
  return path;
}

const std::string& longMidiFile() {
  static const std::string path = writeLongMidiFile();
  return path;
}

void BM_Play100k(benchmark::State& state) {
  HostSession session({PX7000_BUNDLE_PATH, {}, PortLayout::pair});
  if (!session.start() || session.remoteDevice() == nullptr) {
    state.SkipWithError("the start-up path failed");
    return;
  }
  session.host().setRecording(false);
  std::size_t played = 0;
  {
    Player player(session, nullptr);
    for (auto _ : state) {
      SourceError error;
      if (!readSource(
              longMidiFile(), [&](const PlayItem& item) { player.play(item); }, error)) {
        state.SkipWithError(error.describe().c_str());
        break;
      }
    }
    played = player.eventsPlayed();
  }
  state.SetItemsProcessed(int64_t(played));
  state.counters["events_per_s"] = benchmark::Counter(double(played), benchmark::Counter::kIsRate);
  session.stop();
}
BENCHMARK(BM_Play100k)->Unit(benchmark::kMillisecond);

void BM_ReadOnly(benchmark::State& state) {
  std::size_t items = 0;
  for (auto _ : state) {
    SourceError error;
    if (!readSource(
            longMidiFile(), [&](const PlayItem& item) { items += item.message.size; }, error)) {
      state.SkipWithError(error.describe().c_str());
      break;
    }
  }
  benchmark::DoNotOptimize(items);
}
BENCHMARK(BM_ReadOnly)->Name("BM_Play100k/reference")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int status = px7000::bench::runWithRatios(argc, argv);
  std::remove(longMidiFile().c_str());
  return status;
}
