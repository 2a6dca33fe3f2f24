// Checks the character-set engine against glibc iconv, and the limits of its contract.
#include "base/source/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Quillon::char16;
using Quillon::int32;
using Quillon::uint32;
using Quillon::detail::decodeMultiByte;
using Quillon::detail::encodeWide;
using Text = std::u16string;

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif

std::string bytesOf(const Text& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

bool isSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Whole-text conversions through one reused descriptor; nullopt when iconv rejects the input.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    EXPECT_NE(cd_, reinterpret_cast<iconv_t>(-1)) << from << " -> " << to;
  }
  ~Iconv() { iconv_close(cd_); }

  std::optional<std::string> operator()(const std::string& in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1) ||
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == std::size_t(-1))
      return std::nullopt;
    out.resize(std::size_t(outPtr - out.data()));
    return out;
  }
  std::optional<Text> decode(const std::string& in) {
    const auto out = (*this)(in);
    if (!out) return std::nullopt;
    Text text(out->size() / 2, u'\0');
    std::memcpy(text.data(), out->data(), out->size());
    return text;
  }

 private:
  iconv_t cd_;
};

// Both calls a caller makes: the size query, then an exact-size heap buffer.
std::optional<Text> decode(const std::string& bytes, uint32 codePage) {
  const int32 needed = decodeMultiByte(nullptr, bytes.c_str(), 0, codePage);
  auto buffer = std::make_unique<char16[]>(std::size_t(needed > 0 ? needed : 1));
  const int32 result = decodeMultiByte(buffer.get(), bytes.c_str(), needed - 1, codePage);
  EXPECT_EQ(result, needed > 1 ? needed : 0) << bytes;
  if (needed == 0) return std::nullopt;
  return Text(buffer.get());
}

std::string encode(const Text& text, uint32 codePage) {
  const int32 bound = encodeWide(nullptr, text.c_str(), 0, codePage);
  auto buffer = std::make_unique<char[]>(std::size_t(bound) + 1);
  const int32 result = encodeWide(buffer.get(), text.c_str(), bound + 1, codePage);
  std::string out(buffer.get());
  EXPECT_EQ(result, out.empty() ? 0 : int32(out.size()) + 1);
  return out;
}

// A heap copy of exactly the text and its terminator, so the sanitizers catch any read past it.
template <typename Char>
std::unique_ptr<Char[]> exactCopy(const std::basic_string<Char>& text) {
  auto copy = std::make_unique<Char[]>(text.size() + 1);
  std::memcpy(copy.get(), text.c_str(), (text.size() + 1) * sizeof(Char));
  return copy;
}

struct Set {
  uint32 codePage;
  const char* iconvName;
};
// The single-byte sets, then Shift_JIS.
constexpr Set kSets[] = {
    {2, "MACINTOSH"}, {1252, "CP1252"}, {10029, "MAC-CENTRALEUROPE"}, {932, "SHIFT_JISX0213"}};
constexpr const char* kShiftJis = kSets[3].iconvName;

TEST(CodePageSingleByte, DecodesEveryByteLikeIconv) {
  for (const Set& set : {kSets[0], kSets[1], kSets[2]}) {
    Iconv reference(kUtf16, set.iconvName);
    for (unsigned byte = 1; byte < 256; ++byte) {
      auto want = reference.decode(std::string(1, char(byte)));
      if (set.codePage == 2 && byte == 0xC6) want = u"\u2206";
      if (set.codePage == 2 && byte == 0xF0) want = u"\uF8FF";
      ASSERT_EQ(decode(std::string(1, char(byte)), set.codePage), want) << std::hex << byte;
    }
  }
}

// Every BMP unit alone against iconv, which rejects what the set lacks: that is our '?'.
// Apple's Mac Roman differs from glibc's at 0xC6 and 0xF0.
TEST(CodePage, EncodesEveryBmpUnitLikeIconv) {
  for (const Set& set : kSets) {
    Iconv reference(set.iconvName, kUtf16);
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
      if (isSurrogate(unit)) continue;
      const Text text(1, char16(unit));
      std::string want = reference(bytesOf(text)).value_or("?");
      if (set.codePage == 2 && (unit == 0x0394 || unit == 0xE01E)) want = "?";
      if (set.codePage == 2 && unit == 0x2206) want = "\xC6";
      if (set.codePage == 2 && unit == 0xF8FF) want = "\xF0";
      ASSERT_EQ(encode(text, set.codePage), want) << set.iconvName << std::hex << " U+" << unit;
    }
  }
}

TEST(CodePageSingleByte, CodePageZeroIsMacRomanAndSurrogatesOneQuestionMark) {
  EXPECT_EQ(decode("\xC6\xF0", 0), Text(u"\u2206\uF8FF"));
  EXPECT_EQ(encode(u"\u2206\u0394", 0), "\xC6?");
  // A surrogate pair is one code point: one '?'; so is each unpaired surrogate.
  for (uint32 codePage : {2u, 1252u, 10029u, 437u})
    EXPECT_EQ(encode(u"\U0001F600\xD800z\xDC00", codePage), "??z?") << codePage;
}

// Random code points of every UTF-8 length, with ASCII runs long enough for the block path.
Text randomText(std::mt19937& random) {
  Text text;
  for (int pieces = int(random() % 24); pieces > 0; --pieces) {
    const unsigned kind = random() % 4;
    if (kind == 0) {
      text.append(random() % 40, char16(1 + random() % 0x7F));
    } else if (kind == 1) {
      text += char16(0x80 + random() % 0x780);
    } else if (kind == 2) {
      const auto unit = char16(0x800 + random() % 0xF800);
      text += isSurrogate(unit) ? u'\uFFFD' : unit;
    } else {
      const uint32 cp = 0x10000 + random() % 0x100000;
      text += {char16(0xD7C0 + (cp >> 10)), char16(0xDC00 | (cp & 0x3FF))};
    }
  }
  return text;
}

// glibc's UTF-8 is as strict as ours (encoded surrogates included).
TEST(CodePageUtf8, MatchesIconvOnRandomAndDamagedText) {
  std::mt19937 random(65001);
  Iconv toUtf8("UTF-8", kUtf16), fromUtf8(kUtf16, "UTF-8");
  for (int round = 0; round < 3000; ++round) {
    const Text text = randomText(random);
    const std::string bytes = encode(text, 65001);
    ASSERT_EQ(bytes, toUtf8(bytesOf(text)));
    ASSERT_EQ(decode(bytes, 65001), text);

    std::string damaged = bytes;
    for (int i = int(random() % 3); i >= 0 && !damaged.empty(); --i) {
      const std::size_t at = random() % damaged.size();
      const unsigned how = random() % 3;
      if (how == 0) damaged[at] = char(1 + random() % 255);
      if (how == 1) damaged.resize(at);
      if (how == 2) damaged.insert(at, 1, char(0x80 + random() % 0x80));
    }
    ASSERT_EQ(decode(damaged, 65001), fromUtf8.decode(damaged)) << round;
  }
}

TEST(CodePageUtf8, BoundariesOfStrictForms) {
  const std::string pad = "0123456789abcdefghij";
  for (const char* valid : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                            "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_TRUE(decode(pad + valid + pad, 65001)) << valid;
  }
  for (const char* invalid :
       {"\x80", "\xC0\x80", "\xC1\xBF", "\xC2", "\xC2\x41", "\xE0\x9F\xBF", "\xED\xA0\x80",
        "\xED\xBF\xBF", "\xE2\x82", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
        "\xF8\x88\x80\x80\x80", "\xFF"}) {
    EXPECT_FALSE(decode(pad + invalid + pad, 65001)) << invalid;
    EXPECT_FALSE(decode(pad + invalid, 65001)) << invalid;
  }
  EXPECT_EQ(decode("\xF0\x9F\x98\x80", 65001), Text(u"\U0001F600"));
  EXPECT_EQ(encode(u"a\xD800z\xDC00\U0001F600\xDBFF", 65001), "a?z?\xF0\x9F\x98\x80?");
}

// The decoder takes ASCII 16 bytes at a time and other characters in runs while enough text
// and room are left, then goes on a character at a time: every kind of sequence, valid or not,
// at every offset across those edges and at the text's end.
TEST(CodePageUtf8, SequencesAtEveryOffsetOfTheWordPathsMatchIconv) {
  Iconv fromUtf8(kUtf16, "UTF-8");
  const std::string pieces[] = {
      "\xC3\xA9",         "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xC2\x80\xDF\xBF",
      "\xEF\xBF\xBF",     "\x80",         "\xC1\xBF",         "\xC3",
      "\xC3\x41",         "\xE6\x97",     "\xE6\x41\xA5",     "\xE0\x9F\xBF",
      "\xED\xA0\x80",     "\xF0\x9F\x98", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
      "\xF5\x80\x80\x80", "\xFF"};
  const std::string runs[] = {"", std::string(40, 'x'), "\xC3\xA9\xC3\xA8\xC3\xA0\xC3\xAF",
                              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE"};
  for (const std::string& piece : pieces) {
    for (const std::string& run : runs) {
      for (std::size_t offset = 0; offset <= 40; ++offset) {
        // Behind the piece: nothing, a run of its own kind of text, or a long ASCII tail.
        for (const std::string& after :
             {std::string(), run, run + run + run, std::string(33, 'y')}) {
          const std::string bytes = std::string(offset, 'a') + run + piece + after;
          const auto want = fromUtf8.decode(bytes);
          ASSERT_EQ(decode(bytes, 65001), want)
              << offset << " " << run.size() << " " << after.size();
          const int32 needed = want ? int32(want->size()) + 1 : 0;
          ASSERT_EQ(decodeMultiByte(nullptr, exactCopy(bytes).get(), 0, 65001), needed);
        }
      }
    }
  }
}

// Runs of two- and three-byte characters are converted while each of them surely fits; both
// directions must still stop before the first character that does not fit whole.
TEST(CodePageUtf8, RunsStopAtTheLastWholeCharacterThatFits) {
  const Text texts[] = {
      Text(30, u'\u00E9'), Text(30, u'\u65E5'),
      u"D\u00E9j\u00E0 vu: caf\u00E9 na\u00EFf, \u00E9l\u00E8ve D\u00E9j\u00E0 vu: caf\u00E9",
      u"\u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8\u00E9\u65E5a\U0001F600\u65E5\u65E5",
      Text(20, u'\u65E5') + u"\xD800" + Text(20, u'\u00E9') + u"\xDC00z"};
  for (const Text& text : texts) {
    const std::string bytes = encode(text, 65001);
    const auto source = exactCopy(text);
    const auto sourceBytes = exactCopy(bytes);
    std::vector<std::string> encoded;  // each character's bytes, a pair's together
    for (std::size_t i = 0, size = 1; i < text.size(); i += size) {
      size = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                     text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF
                 ? 2
                 : 1;
      encoded.push_back(encode(text.substr(i, size), 65001));
    }
    for (int32 byteCount = 1; byteCount <= int32(bytes.size()) + 1; ++byteCount) {
      std::string want;
      for (const std::string& character : encoded) {
        if (int32(want.size() + character.size()) >= byteCount) break;
        want += character;
      }
      std::vector<char> out(std::size_t(byteCount) + 4, '#');
      const int32 result = encodeWide(out.data(), source.get(), byteCount, 65001);
      ASSERT_EQ(std::string(out.data()), want) << byteCount;
      ASSERT_EQ(result, want.empty() ? 0 : int32(want.size()) + 1) << byteCount;
      // Nothing is written past the destination's end.
      ASSERT_EQ(std::string(out.data() + byteCount, 4), "####") << byteCount;
    }

    const Text decoded = *decode(bytes, 65001);
    for (int32 charCount = 0; charCount <= int32(decoded.size()); ++charCount) {
      std::vector<char16> out(std::size_t(charCount) + 5, u'#');
      const int32 result = decodeMultiByte(out.data(), sourceBytes.get(), charCount, 65001);
      Text want = decoded.substr(0, std::size_t(charCount));
      if (!want.empty() && want.back() >= 0xD800 && want.back() <= 0xDBFF) want.pop_back();
      ASSERT_EQ(Text(out.data()), want) << charCount;
      ASSERT_EQ(result, want.empty() ? 0 : int32(want.size()) + 1) << charCount;
      ASSERT_EQ(Text(out.data() + charCount + 1, 4), u"####") << charCount;
    }
  }
}

TEST(CodePageShiftJis, DecodesEveryOneAndTwoByteTextLikeIconv) {
  Iconv reference(kUtf16, kShiftJis);
  for (unsigned first = 1; first < 256; ++first) {
    for (unsigned second = 0; second < 256; ++second) {
      std::string bytes(1, char(first));
      if (second) bytes += char(second);
      ASSERT_EQ(decode(bytes, 932), reference.decode(bytes)) << std::hex << (first << 8 | second);
    }
  }
}

TEST(CodePageShiftJis, RandomTextsMatchIconv) {
  std::mt19937 random(932);
  Iconv decoder(kUtf16, kShiftJis), encoder(kShiftJis, kUtf16);
  // Representable pieces include combining sequences and characters beyond the BMP.
  std::vector<Text> representable = {u"\u304B\u309A", u"\u00E6\u0300", u"\u02E9\u02E5",
                                     u"\u304B",       u"\U0002000B",   u"\U00020089"};
  std::vector<Text> unrepresentable = {u"\uE000", u"\xDC00", u"\xD800x"};
  for (unsigned unit = 0x80; unit < 0x10000; unit += 7) {
    if (isSurrogate(unit)) continue;
    (encoder(bytesOf(Text(1, char16(unit)))) ? representable : unrepresentable)
        .push_back(Text(1, char16(unit)));
  }
  for (int round = 0; round < 400; ++round) {
    // Runs of representable pieces convert whole through iconv; each other piece is one '?'.
    Text text, run;
    std::string want;
    for (int i = int(random() % (round % 50 ? 20 : 700)); i >= 0; --i) {
      const unsigned kind = i == 0 ? 2 : random() % 3;
      if (kind == 0) run += char16(0x20 + random() % 0x5F);
      if (kind == 1) run += representable[random() % representable.size()];
      if (kind != 2) continue;
      want += *encoder(bytesOf(run));
      text += run;
      run.clear();
      if (i == 0) break;
      const Text& piece = unrepresentable[random() % unrepresentable.size()];
      text += piece;
      want += piece == u"\xD800x" ? "?x" : "?";
    }
    ASSERT_EQ(encode(text, 932), want) << round;

    // Odd rounds mix in arbitrary bytes, so some texts are invalid or end inside a character.
    std::string bytes;
    for (int i = int(random() % (round % 50 ? 30 : 900)); i > 0; --i) {
      if (round % 2 && random() % 40 == 0) bytes += char(1 + random() % 0xFF);
      if (random() % 4 == 0) bytes += char(0x20 + random() % 0x5F);
      const unsigned lead = 0x81 + random() % 0x7C, trail = 0x40 + random() % 0xBC;
      if (lead < 0xA0 || lead >= 0xE0) bytes += {char(lead), char(trail + (trail >= 0x7F))};
    }
    ASSERT_EQ(decode(bytes, 932), decoder.decode(bytes)) << round;
  }
}

TEST(CodePageShiftJis, CombiningStateAndConcurrentUse) {
  EXPECT_EQ(encode(u"\u304B\u309A", 932), "\x82\xF5");
  // A held-back character that might combine comes out before the '?' after it.
  EXPECT_EQ(encode(u"\u304B\xDC00", 932), "\x82\xA9?");
  EXPECT_EQ(encode(u"\u304B\uE000\u304B", 932), "\x82\xA9?\x82\xA9");
  EXPECT_EQ(encode(u"\u3042\u309A", 932), "\x82\xA0?");
  EXPECT_EQ(decode("\x82\xF5\x5C\x7E", 932), Text(u"\u304B\u309A\u00A5\u203E"));
  EXPECT_EQ(decode("ab\x82", 932), std::nullopt);

  // Each thread takes its own descriptor; a shared one would mix up their states.
  const Text text = u"host\u304B\u309A\u6F22\u5B57\U0002000B-";
  const std::string bytes = encode(text, 932);
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 300; ++i) {
        if (encode(text, 932) != bytes || decode(bytes, 932) != text) ++failures;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, 0);
}

// glibc's decoder repeats itself forever when a fixed-size output chunk fills at one spot of
// this valid text; the conversion must neither hang nor give up.
TEST(CodePageShiftJis, TextThatStallsChunkedIconv) {
  const std::pair<char, int> runs[] = {
      {'\xdb', 2},  {'\xf7', 20}, {'\xca', 1},  {'\xf7', 31}, {'\xdb', 3}, {'\x25', 1},
      {'\xf7', 20}, {'\x24', 2},  {'\xdb', 6},  {'\xca', 1},  {'\x3c', 1}, {'\x86', 42},
      {'\xca', 1},  {'\x3c', 1},  {'\x86', 8},  {'\xf7', 16}, {'\x24', 2}, {'\xdb', 6},
      {'\xca', 1},  {'\x3c', 1},  {'\x86', 42}, {'\xca', 1},  {'\x3c', 1}, {'\x86', 20},
      {'\xdb', 7},  {'\x77', 1},  {'\xdb', 8},  {'\x86', 12}, {'\x03', 1}};
  std::string bytes;
  for (const auto& [byte, count] : runs) bytes.append(std::size_t(count), byte);
  Iconv decoder(kUtf16, kShiftJis);
  const auto want = decoder.decode(bytes);
  ASSERT_TRUE(want);
  EXPECT_EQ(decode(bytes, 932), want);
  EXPECT_EQ(encode(*want, 932), bytes);
}

// Texts long enough for the unrolled and block paths, with characters of every size in the set.
struct Sample {
  uint32 codePage;
  Text text;
  const char* invalid;  // a byte the set cannot decode, if it has one
};
const Sample kSamples[] = {
    {0, u"a\u00E9\u2206bcdefghij\u00FCk", nullptr},
    {2, u"\u2206xyzuvw\uF8FFqrst\uFB01", nullptr},
    {932, u"a\u3042\U0002000B\u6F22zyxw\u304B\u00A5", "\xFF"},
    {1252, u"\u20ACqrstuvwxyz\u00FF", "\x81"},
    {10029, u"\u0104\u0148klmnopqr\u2206", nullptr},
    {65001, u"abcdefghijklmnopqr\u00E9\U0001F600stuvwxyzABCDEFGHIJ\U0001F600\u20AC", "\xFF"},
    {437, u"port-name.example", "\x80"},
};

TEST(CodePageContract, LimitsNullAndEmptyTexts) {
  for (const Sample& sample : kSamples) {
    const uint32 codePage = sample.codePage;
    SCOPED_TRACE(codePage);
    const Text& text = sample.text;
    const std::string bytes = encode(text, codePage);
    ASSERT_EQ(decode(bytes, codePage), text);
    std::vector<Text> characters;  // a surrogate pair as one
    std::vector<std::string> encoded;
    for (std::size_t i = 0; i < text.size(); i += characters.back().size()) {
      characters.push_back(text.substr(i, text[i] >= 0xD800 && text[i] <= 0xDBFF ? 2 : 1));
      encoded.push_back(encode(characters.back(), codePage));
    }

    for (int32 byteCount = -1; byteCount <= int32(bytes.size()) + 1; ++byteCount) {
      auto buffer = std::make_unique<char[]>(std::size_t(byteCount > 0 ? byteCount : 0));
      const int32 result = encodeWide(buffer.get(), text.c_str(), byteCount, codePage);
      std::string want;
      for (const std::string& character : encoded) {
        if (int32(want.size() + character.size()) >= byteCount) break;
        want += character;
      }
      EXPECT_EQ(result, want.empty() ? 0 : int32(want.size()) + 1) << byteCount;
      if (byteCount > 0) {
        EXPECT_EQ(std::string(buffer.get()), want) << byteCount;
      }
    }

    for (int32 charCount = -1; charCount <= int32(text.size()) + 1; ++charCount) {
      auto buffer = std::make_unique<char16[]>(std::size_t(charCount > 0 ? charCount + 1 : 1));
      const int32 result = decodeMultiByte(buffer.get(), bytes.c_str(), charCount, codePage);
      Text want;
      for (const Text& character : characters) {
        if (int32(want.size() + character.size()) > charCount) break;
        want += character;
      }
      EXPECT_EQ(result, want.empty() ? 0 : int32(want.size()) + 1) << charCount;
      EXPECT_EQ(Text(buffer.get()), want) << charCount;
    }

    // The whole text must decode, also past the destination's end; a failure leaves it empty.
    if (sample.invalid) {
      char16 units[3] = {u'x', u'x', u'x'};
      EXPECT_EQ(decodeMultiByte(units, (bytes + sample.invalid).c_str(), 2, codePage), 0);
      EXPECT_EQ(units[0], 0);
    }

    // Null and empty texts, and the upper bound of a text's bytes.
    char16 wide[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(decodeMultiByte(nullptr, nullptr, 0, codePage), 1);
    EXPECT_EQ(decodeMultiByte(wide, nullptr, 3, codePage), 0);
    EXPECT_EQ(wide[0], 0);
    EXPECT_EQ(decodeMultiByte(nullptr, "", 0, codePage), 1);
    EXPECT_EQ(decodeMultiByte(nullptr, "ab", 0, codePage), 3);
    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(encodeWide(nullptr, nullptr, 0, codePage), 0);
    EXPECT_EQ(encodeWide(out, nullptr, 4, codePage), 0);
    EXPECT_EQ(encodeWide(out, u"ab", 1, codePage), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(encodeWide(out, u"", 4, codePage), 0);
    EXPECT_EQ(encodeWide(nullptr, u"", 0, codePage), 0);
    const int32 perUnit = codePage == 65001 ? 3 : codePage == 932 ? 2 : 1;
    EXPECT_EQ(encodeWide(nullptr, u"a\u00E9\U0001F600", 0, codePage), 4 * perUnit);
  }
}

}  // namespace
