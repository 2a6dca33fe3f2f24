// Fuzzes String with sequences of edits, copies and conversions at arbitrary indexes and counts,
// including text taken from the string's own buffer; the text must stay whole after each step.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/source/fstring.h"

namespace {

using Quillon::char16;
using Quillon::char8;
using Quillon::int32;
using Quillon::String;

// Reads the input a few bytes at a time; zeros once it runs out.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}
  bool done() const { return at >= size; }
  std::uint8_t byte() { return at < size ? data[at++] : 0; }
  // Small values near the text's edges, now and then an extreme one.
  int32 number() {
    const std::uint8_t b = byte();
    if (b == 0xFF) return INT32_MAX;
    if (b == 0xFE) return INT32_MIN;
    return int32(b % 40) - 4;
  }

 private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
};

void check(bool condition) {
  if (!condition) std::abort();
}

// The text ends with a zero exactly at its length (the length never points past it).
void checkWhole(const String& s) {
  const void* text = s.ptr();
  if (text == nullptr) return check(s.length() == 0);
  if (s.isWideString())
    check(std::char_traits<char16>::length(static_cast<const char16*>(text)) <= size_t(s.length()));
  else
    check(std::strlen(static_cast<const char8*>(text)) <= size_t(s.length()));
}

// The width and the raw characters (embedded zeros too), to tell whether a string changed.
std::string snapshot(const String& s) {
  const std::size_t bytes = std::size_t(s.length()) * (s.isWideString() ? sizeof(char16) : 1);
  std::string raw(1, s.isWideString() ? 'w' : 'n');
  if (s.ptr() != nullptr) raw.append(static_cast<const char*>(s.ptr()), bytes);
  return raw;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  String s("seed"), other(u"other\u00E9");
  const char8 narrow[] = "narrow\x8E text";
  const char16 wide[] = u"wide \u4E00 text";
  while (!in.done()) {
    const std::uint8_t op = in.byte();
    const int32 a = in.number(), b = in.number();
    // Half the time the text comes from the string itself, at an arbitrary offset into it.
    const bool own = op & 0x80;
    const int32 offset = a < 0 || a > s.length() ? 0 : a;
    const char8* text8 = own && !s.isWideString() && s.ptr() ? s.text8() + offset : narrow;
    const char16* text16 = own && s.isWideString() && s.ptr() ? s.text16() + offset : wide;
    switch (op % 20) {
      case 0:
        s.assign(text8, b);
        break;
      case 1:
        s.assign(text16, b);
        break;
      case 2:
        s.append(text8, b);
        break;
      case 3:
        s.append(text16, b);
        break;
      case 4:
        s.insertAt(a, text8, b);
        break;
      case 5:
        s.insertAt(b, text16, a);
        break;
      case 6:
        s.replace(a, b, text8, in.number());
        break;
      case 7:
        s.replace(a, b, text16, in.number());
        break;
      case 8:
        s.remove(a, b);
        break;
      case 9:
        s.setChar8(a < 500 ? a : 500, char8(b));
        break;
      case 10:
        s.setChar16(a < 500 ? a : 500, char16(b));
        break;
      case 11:
        s.append(char16(0x40 + (b & 0x3FF)), a < 100 ? a : 100);
        break;
      case 12:
      case 13: {
        // Every code page the conversions know, and one they do not (ASCII).
        constexpr std::uint32_t kCodePages[] = {0, 2, 932, 1252, 10029, 65001, 437};
        const std::uint32_t codePage = kCodePages[std::uint32_t(b) % 7];
        const std::string before = snapshot(s);
        const bool wide = op % 20 == 12;
        if (wide ? s.toWideString(codePage) : s.toMultiByte(codePage))
          check(s.isWideString() == wide);
        else
          check(snapshot(s) == before);
        break;
      }
      case 14:
        s.resize(a < 300 ? a : 300, b & 1, b & 2);
        break;
      case 15:
        s.swapContent(other);
        break;
      case 16: {
        String part;
        s.extract(part, a, b);
        checkWhole(part);
        break;
      }
      case 17: {
        // Never more than the text: room for its whole length, converted or not.
        const int32 n = b < 0 ? -1 : b;
        const size_t room = size_t(s.length()) + 1;
        char8* out8 = static_cast<char8*>(std::malloc(room * 3 + 1));
        char16* out16 = static_cast<char16*>(std::malloc((room + 1) * sizeof(char16)));
        s.copyTo8(out8, a, n);
        s.copyTo16(out16, a, n);
        std::free(out8);
        std::free(out16);
        break;
      }
      case 18:
        s.insertAt(a, other, b);
        break;
      default:
        s.replace(a, b, other, in.number());
        break;
    }
    checkWhole(s);
    if (s.length() > 4000) s.remove(100);
  }
  return 0;
}
