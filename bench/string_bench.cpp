// Speed of String's code-page conversions and exact-fit appends against ICU, iconv and std::string.
//
// Targets (time ratios against the reference in the same run):
//   PortNameRoundTrip          <= 1.0   (24-character name, 16-bit -> UTF-8 -> 16-bit, allocating)
//   Utf8ToUtf16/Utf16ToUtf8    <= 1.0   ASCII, Latin and CJK (1 MiB, against ICU)
//   MacRomanDecode/Encode      <= 0.2   (1 MiB, against iconv with a reused descriptor)
//   Append100k                 reported only: exact-fit storage reallocates on every append
#include <iconv.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/source/fstring.h"
#include "bench/ratio_reporter.h"

namespace Quillon {
namespace {

constexpr size_t kMiB = 1 << 20;

std::string repeatToMiB(const std::string& piece) {
  std::string text;
  while (text.size() + piece.size() <= kMiB) text += piece;
  return text;
}

const std::string& utf8Text(int kind) {
  static const std::string texts[] = {
      repeatToMiB("Orvella PX7000 Port3 Data Dial, Step Bar 42; "),
      repeatToMiB("D\xC3\xA9j\xC3\xA0 vu: caf\xC3\xA9 na\xC3\xAF"
                  "f, \xC3\xA9l\xC3\xA8ve "),
      repeatToMiB("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD"),
  };
  return texts[kind];
}

std::u16string utf16Text(int kind) {
  const std::string& text = utf8Text(kind);
  std::u16string wide(text.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(wide.data(), int32_t(wide.size()), &length, text.c_str(), -1, &status);
  wide.resize(size_t(length));
  return wide;
}

const char* kindName(int kind) {
  static const char* names[] = {"ascii", "latin", "cjk"};
  return names[kind];
}

void Utf8ToUtf16(benchmark::State& state, int kind) {
  const std::string& text = utf8Text(kind);
  std::vector<char16> out(text.size() + 1);
  for (auto _ : state) {
    int32 written =
        String::multiByteToWideString(out.data(), text.c_str(), int32(text.size()), kCodePageUtf8);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}

void Utf8ToUtf16Reference(benchmark::State& state, int kind) {
  const std::string& text = utf8Text(kind);
  std::vector<UChar> out(text.size() + 1);
  for (auto _ : state) {
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(out.data(), int32_t(out.size()), &written, text.c_str(), int32_t(text.size()),
                  &status);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}

void Utf16ToUtf8(benchmark::State& state, int kind) {
  const std::u16string text = utf16Text(kind);
  std::vector<char8> out(text.size() * 3 + 1);
  for (auto _ : state) {
    int32 written =
        String::wideStringToMultiByte(out.data(), text.c_str(), int32(out.size()), kCodePageUtf8);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * utf8Text(kind).size()));
}

void Utf16ToUtf8Reference(benchmark::State& state, int kind) {
  const std::u16string text = utf16Text(kind);
  std::vector<char> out(text.size() * 3 + 1);
  for (auto _ : state) {
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(out.data(), int32_t(out.size()), &written, text.c_str(), int32_t(text.size()),
                &status);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * utf8Text(kind).size()));
}

const char16 kPortName[] = u"Orvella PX7000 Port3 Out";  // 24 characters

void PortNameRoundTrip(benchmark::State& state) {
  for (auto _ : state) {
    String name(kPortName);
    name.toMultiByte(kCodePageUtf8);
    name.toWideString(kCodePageUtf8);
    benchmark::DoNotOptimize(name.ptr());
  }
}
BENCHMARK(PortNameRoundTrip);

void PortNameRoundTripReference(benchmark::State& state) {
  const int32_t length = 24;
  for (auto _ : state) {
    auto* narrow = static_cast<char*>(malloc(size_t(length) * 3 + 1));
    int32_t narrowLength = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(narrow, length * 3 + 1, &narrowLength, kPortName, length, &status);
    auto* wide = static_cast<UChar*>(malloc((size_t(narrowLength) + 1) * sizeof(UChar)));
    int32_t wideLength = 0;
    u_strFromUTF8(wide, narrowLength + 1, &wideLength, narrow, narrowLength, &status);
    benchmark::DoNotOptimize(wide);
    free(narrow);
    free(wide);
  }
}
BENCHMARK(PortNameRoundTripReference)->Name("PortNameRoundTrip/reference");

// Every Mac Roman byte from the space on, but the two where Apple's table and glibc's differ.
const std::string& macRomanText() {
  static const std::string text = [] {
    std::string piece;
    for (int byte = 0x20; byte <= 0xFF; ++byte)
      if (byte != 0xC6 && byte != 0xF0 && byte != 0x7F) piece += char(byte);
    return repeatToMiB(piece);
  }();
  return text;
}

// The same text decoded, zero-terminated, as the encoders' input.
const std::vector<char16>& macRomanWideText() {
  static const std::vector<char16> wide = [] {
    const std::string& text = macRomanText();
    std::vector<char16> units(text.size() + 1);
    String::multiByteToWideString(units.data(), text.c_str(), int32(text.size()),
                                  kCodePageMacRoman);
    return units;
  }();
  return wide;
}

void MacRomanDecode(benchmark::State& state) {
  const std::string& text = macRomanText();
  std::vector<char16> out(text.size() + 1);
  for (auto _ : state) {
    int32 written = String::multiByteToWideString(out.data(), text.c_str(), int32(text.size()),
                                                  kCodePageMacRoman);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}
BENCHMARK(MacRomanDecode);

void MacRomanEncode(benchmark::State& state) {
  const std::string& text = macRomanText();
  const std::vector<char16>& wide = macRomanWideText();
  std::vector<char8> out(text.size() + 1);
  for (auto _ : state) {
    int32 written = String::wideStringToMultiByte(out.data(), wide.data(), int32(out.size()),
                                                  kCodePageMacRoman);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(int64_t(state.iterations() * text.size()));
}
BENCHMARK(MacRomanEncode);

// Converts `in` with one descriptor kept across iterations, as a careful iconv user would.
void iconvLoop(benchmark::State& state, const char* to, const char* from, const char* in,
               size_t inBytes, size_t outBytes) {
  iconv_t descriptor = iconv_open(to, from);
  std::vector<char> out(outBytes);
  for (auto _ : state) {
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    char* source = const_cast<char*>(in);
    size_t sourceLeft = inBytes;
    char* target = out.data();
    size_t targetLeft = out.size();
    iconv(descriptor, &source, &sourceLeft, &target, &targetLeft);
    benchmark::DoNotOptimize(target);
  }
  iconv_close(descriptor);
  state.SetBytesProcessed(int64_t(state.iterations() * macRomanText().size()));
}

void MacRomanDecodeReference(benchmark::State& state) {
  const std::string& text = macRomanText();
  iconvLoop(state, "UTF-16LE", "MACINTOSH", text.data(), text.size(), text.size() * 2 + 2);
}
BENCHMARK(MacRomanDecodeReference)->Name("MacRomanDecode/reference");

void MacRomanEncodeReference(benchmark::State& state) {
  const std::string& text = macRomanText();
  const std::vector<char16>& wide = macRomanWideText();
  iconvLoop(state, "MACINTOSH", "UTF-16LE", reinterpret_cast<const char*>(wide.data()),
            text.size() * 2, text.size() + 1);
}
BENCHMARK(MacRomanEncodeReference)->Name("MacRomanEncode/reference");

void Append100k(benchmark::State& state) {
  for (auto _ : state) {
    String text;
    for (int i = 0; i < 100000; ++i) text.append('x');
    benchmark::DoNotOptimize(text.ptr());
  }
}
BENCHMARK(Append100k)->Unit(benchmark::kMillisecond);

void Append100kReference(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text.push_back('x');
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(Append100kReference)->Name("Append100k/reference")->Unit(benchmark::kMillisecond);

// The UTF-8 pairs for each kind of text, registered as "X/kind" and "X/kind/reference".
const bool kUtf8Registered = [] {
  for (int kind = 0; kind < 3; ++kind) {
    const std::string suffix = std::string("/") + kindName(kind);
    benchmark::RegisterBenchmark(("Utf8ToUtf16" + suffix).c_str(), Utf8ToUtf16, kind);
    benchmark::RegisterBenchmark(("Utf8ToUtf16" + suffix + "/reference").c_str(),
                                 Utf8ToUtf16Reference, kind);
    benchmark::RegisterBenchmark(("Utf16ToUtf8" + suffix).c_str(), Utf16ToUtf8, kind);
    benchmark::RegisterBenchmark(("Utf16ToUtf8" + suffix + "/reference").c_str(),
                                 Utf16ToUtf8Reference, kind);
  }
  return true;
}();

}  // namespace
}  // namespace Quillon

int main(int argc, char** argv) { return px7000::bench::runWithRatios(argc, argv); }
