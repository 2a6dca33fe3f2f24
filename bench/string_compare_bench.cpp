// Speed of natural-order sorting, text search and hashing against glibc and plain loops.
//
// Targets (time ratios against the reference in the same run):
//   NaturalSort100k   <= 1.0   (std::sort of 100,000 names by strnatcmp8, against strverscmp,
//                               a speed reference only: its order differs)
//   NaturalSortMixedZeros  reported (the same names zero-padded at random: equal values in
//                               many spellings must be compared digit by digit, while
//                               strverscmp takes a leading zero for a fraction and stops)
//   FindNext8         <= 2.0   (8-character pattern at the end of 1 MiB, against memmem)
//   FindNext16        reported (the same in 16-bit, against std::u16string_view::find)
//   Hash8             reported in bytes per nanosecond (counter GB, shown per second: 10^9
//                     bytes per second is one byte per nanosecond; hash size 10007); the
//                     reference takes a hardware division per byte
#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/source/fstring.h"
#include "bench/ratio_reporter.h"

namespace Quillon {
namespace {

constexpr size_t kMiB = 1 << 20;
constexpr uint32 kHashSize = 10007;

// Names as recorded takes, files and tracks come: each family keeps its own spelling, case
// and zero padding ("take12", "file007", "Track 9"), and some carry a letter after the
// number. With `mixedZeros` the padding is random instead, so that numbers of one value meet
// in many spellings.
const std::vector<std::string>& names(bool mixedZeros) {
  static const auto generate = [](bool mixed) {
    static const struct {
      const char* prefix;
      int width;
    } families[] = {{"take", 0},   {"Take ", 0},  {"TAKE", 0}, {"file", 3},   {"File", 3},
                    {"Track ", 0}, {"track ", 2}, {"IMG_", 4}, {"Scene_", 2}, {"mix v", 0}};
    std::mt19937 random(2024);
    std::vector<std::string> generated;
    generated.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
      const auto& family = families[random() % std::size(families)];
      const std::string number = std::to_string(random() % 2000);
      const size_t width = mixed ? number.size() + random() % 4 : size_t(family.width);
      std::string name = family.prefix;
      if (number.size() < width) name.append(width - number.size(), '0');
      name += number;
      if (random() % 5 == 0) name += char('a' + random() % 26);
      generated.push_back(std::move(name));
    }
    return generated;
  };
  static const std::vector<std::string> byFamily = generate(false), mixed = generate(true);
  return mixedZeros ? mixed : byFamily;
}

template <typename Less>
void sortNames(benchmark::State& state, bool mixedZeros, Less less) {
  std::vector<const char*> pointers;
  for (const std::string& name : names(mixedZeros)) pointers.push_back(name.c_str());
  for (auto _ : state) {
    std::vector<const char*> sorted = pointers;
    std::sort(sorted.begin(), sorted.end(), less);
    benchmark::DoNotOptimize(sorted.data());
  }
}

bool natural(const char* a, const char* b) { return strnatcmp8(a, b) < 0; }
bool version(const char* a, const char* b) { return strverscmp(a, b) < 0; }

void NaturalSort100k(benchmark::State& state) { sortNames(state, false, natural); }
void NaturalSort100kReference(benchmark::State& state) { sortNames(state, false, version); }
void NaturalSortMixedZeros(benchmark::State& state) { sortNames(state, true, natural); }
void NaturalSortMixedZerosReference(benchmark::State& state) { sortNames(state, true, version); }

// 1 MiB of text whose only match of the pattern is its last 8 characters.
const std::string& haystack() {
  static const std::string text = [] {
    const std::string piece = "Orvella PX7000 Port3 Data Dial, Step Bar 42; ";
    std::string built;
    while (built.size() + piece.size() <= kMiB) built += piece;
    built.resize(kMiB - 8, ' ');
    return built + "Bar 43!!";
  }();
  return text;
}

const char8 kPattern[] = "Bar 43!!";

void FindNext8(benchmark::State& state) {
  const ConstString text(haystack().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(text.findNext(0, kPattern));
  state.SetBytesProcessed(int64_t(state.iterations() * kMiB));
}

void FindNext8Reference(benchmark::State& state) {
  const std::string& text = haystack();
  for (auto _ : state)
    benchmark::DoNotOptimize(memmem(text.data(), text.size(), kPattern, sizeof kPattern - 1));
  state.SetBytesProcessed(int64_t(state.iterations() * kMiB));
}

const std::u16string& haystack16() {
  static const std::u16string text(haystack().begin(), haystack().end());
  return text;
}

void FindNext16(benchmark::State& state) {
  const ConstString text(haystack16().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(text.findNext(0, u"Bar 43!!"));
  state.SetBytesProcessed(int64_t(state.iterations() * kMiB * 2));
}

void FindNext16Reference(benchmark::State& state) {
  const std::u16string_view text = haystack16();
  for (auto _ : state) benchmark::DoNotOptimize(text.find(u"Bar 43!!"));
  state.SetBytesProcessed(int64_t(state.iterations() * kMiB * 2));
}

void reportBytesPerNanosecond(benchmark::State& state) {
  state.counters["GB"] =
      benchmark::Counter(double(state.iterations()) * kMiB / 1e9, benchmark::Counter::kIsRate);
}

void Hash8(benchmark::State& state) {
  const char8* text = haystack().c_str();
  for (auto _ : state) benchmark::DoNotOptimize(hashString8(text, kHashSize));
  reportBytesPerNanosecond(state);
}

void Hash8Reference(benchmark::State& state) {
  const char8* text = haystack().c_str();
  // Unknown to the compiler, as in hashString8, so the remainder is a division.
  uint32 hashSize = kHashSize;
  benchmark::DoNotOptimize(hashSize);
  for (auto _ : state) {
    uint32 hash = 0;
    for (const char8* p = text; *p != 0; ++p)
      hash = ((hash << 6) + uint32(int32(int8(*p)))) % hashSize;
    benchmark::DoNotOptimize(hash);
  }
  reportBytesPerNanosecond(state);
}

BENCHMARK(NaturalSort100k)->Unit(benchmark::kMillisecond);
BENCHMARK(NaturalSort100kReference)
    ->Name("NaturalSort100k/reference")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NaturalSortMixedZeros)->Unit(benchmark::kMillisecond);
BENCHMARK(NaturalSortMixedZerosReference)
    ->Name("NaturalSortMixedZeros/reference")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FindNext8)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindNext8Reference)->Name("FindNext8/reference")->Unit(benchmark::kMicrosecond);
BENCHMARK(FindNext16)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindNext16Reference)->Name("FindNext16/reference")->Unit(benchmark::kMicrosecond);
BENCHMARK(Hash8)->Unit(benchmark::kMicrosecond);
BENCHMARK(Hash8Reference)->Name("Hash8/reference")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace Quillon

int main(int argc, char** argv) { return px7000::bench::runWithRatios(argc, argv); }
