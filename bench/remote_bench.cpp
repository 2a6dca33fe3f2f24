// Speed of the remote surface's value handling, through the simulated host.
//
// Reports nanoseconds per event for a key press (handed on to the host's standard handling) and
// for a data-dial step (a host command through a fresh action manager), each as a ratio to one
// virtual call, and the module's own allocations per event, which must stay 0.
#include "bench/ratio_reporter.h"
#include "device/hostglobals.h"
#include "device/px7000_hwremote.h"
#include "host/simulatedhost.h"
#include "tests/support/failing_allocator.h"

namespace Quillon {
namespace detail {

// The reference: one call through a table of operations, neither devirtualised nor inlined
// (outside the unnamed namespace, so the compiler cannot know every derived class).
struct Receiver {
  virtual void changeValue(int32 index, int32 value) = 0;
};
struct Counter : Receiver {
  __attribute__((noinline)) void changeValue(int32 index, int32 value) override {
    sum += index + value;
  }
  int64 sum = 0;
};

}  // namespace detail

namespace {

constexpr int32 kPlayStop = 4;
constexpr int32 kDataDial = 25;

// A started surface in a quiet host: no call log, no histories, so events cost what a host's
// own bookkeeping would.
class PlayingSurface {
 public:
  PlayingSurface() {
    host.setRecording(false);
    host.registry().addRef();
    gp_hostClasses = &host.registry();
    remote = static_cast<IHWRemote*>(PX7000_HWRemote::createInstance(nullptr));
    remote->init(&host.remote());
  }
  ~PlayingSurface() {
    remote->release();
    gp_hostClasses->release();
    gp_hostClasses = nullptr;
  }
  PlayingSurface(const PlayingSurface&) = delete;
  PlayingSurface& operator=(const PlayingSurface&) = delete;

  IHWRemote* remote = nullptr;

 private:
  simhost::SimulatedHost host;
};

void changeValue(benchmark::State& state, int32 index, int32 value) {
  PlayingSurface surface;
  IHWRemote* remote = surface.remote;
  constexpr int kCounted = 1000;
  const long before = testing_support::moduleAllocationCount();
  for (int i = 0; i < kCounted; ++i) remote->changeValue(index, value);
  state.counters["module_allocs_per_event"] =
      double(testing_support::moduleAllocationCount() - before) / kCounted;
  for (auto _ : state) remote->changeValue(index, value);
}

void BM_KeyPress(benchmark::State& state) { changeValue(state, kPlayStop, 127); }
BENCHMARK(BM_KeyPress);

void BM_DialStep(benchmark::State& state) { changeValue(state, kDataDial, 1); }
BENCHMARK(BM_DialStep);

void BM_VirtualCall(benchmark::State& state) {
  detail::Counter counter;
  detail::Receiver* receiver = &counter;
  benchmark::DoNotOptimize(receiver);
  for (auto _ : state) {
    receiver->changeValue(kPlayStop, 127);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(counter.sum);
}
BENCHMARK(BM_VirtualCall)->Name("BM_KeyPress/reference");
BENCHMARK(BM_VirtualCall)->Name("BM_DialStep/reference");

}  // namespace
}  // namespace Quillon

int main(int argc, char** argv) { return px7000::bench::runWithRatios(argc, argv); }
