// Tests for the 16-bit formatter: the C library's results on the same formats, 16-bit text
// conversions, limits and the conversions it refuses.
#include "base/source/format16.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace Quillon {
namespace {

std::u16string widen(const char* text) { return std::u16string(text, text + strlen(text)); }

int32 format16(char16* destination, int32 maxChars, const char16* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int32 result = vsnwprintf(destination, maxChars, format, arguments);
  va_end(arguments);
  return result;
}

// Formats with snprintf and with sprintf16 on the widened format; the texts must match.
template <typename... Args>
void expectLikeSnprintf(const char* format, Args... arguments) {
  char expected[512];
  snprintf(expected, sizeof expected, format, arguments...);
  char16 actual[512];
  ASSERT_EQ(sprintf16(actual, widen(format).c_str(), arguments...), 0) << format;
  EXPECT_EQ(std::u16string(actual), widen(expected)) << format;
}

TEST(Format16, NumbersMatchSnprintf) {
  for (const char* format : {"%d", "%i", "%5d|", "%-5d|", "%05d", "%+d", "% d", "%.3d", "%'d", "%x",
                             "%#X", "%o", "%#o", "%u", "%hhd", "%hd", "%hhu"})
    expectLikeSnprintf(format, -300);
  expectLikeSnprintf("%ld %lu %lx", -1L, 42UL, 0xDEADBEEFUL);
  expectLikeSnprintf("%lld %llu", LLONG_MIN, ULLONG_MAX);
  expectLikeSnprintf("%jd %zu %td", INTMAX_MIN, SIZE_MAX, PTRDIFF_MIN);
  expectLikeSnprintf("%*d|%-*d|%.*d", 6, 42, 6, 42, 4, 42);
  expectLikeSnprintf("%*d|%.*f", -6, 42, -1, 2.5);
  for (const char* format : {"%f", "%.0f", "%#.0f", "%10.4f|", "%-12.2e|", "%E", "%g", "%G",
                             "%.10g", "%a", "%A", "%+.3e", "%08.2f", "%lf", "%F"})
    expectLikeSnprintf(format, -1234.56789);
  expectLikeSnprintf("%f %F %e", std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::quiet_NaN(), 1e300);
  expectLikeSnprintf("%Lf %Lg", 1.5L, 1e-4000L);
  int target = 0;
  expectLikeSnprintf("%p %10p|", static_cast<void*>(&target), static_cast<void*>(nullptr));
  expectLikeSnprintf("100%% of %d, %5.1f%%", 3, 99.5);
  expectLikeSnprintf("%200d|%c%3c|%-3c|", 1, 'a', 'b', 'c');
}

TEST(Format16, TextsCharactersAndLimits) {
  char16 out[64];
  ASSERT_EQ(sprintf16(out, u"[%s|%S|%ls|%-6s|%6.2s]", u"\u4E00", u"b", u"c", u"dé", u"xyz"), 0);
  EXPECT_EQ(std::u16string(out), u"[\u4E00|b|c|dé    |    xy]");
  const char16* null = nullptr;
  ASSERT_EQ(sprintf16(out, u"[%s|%.3s|%8s]", null, null, null), 0);
  EXPECT_EQ(std::u16string(out), u"[(null)||  (null)]");
  ASSERT_EQ(sprintf16(out, u"%c%C%lc|%-3c|", u'\u00E9', u'x', 0x1F3B9, u'y'), 0);
  EXPECT_EQ(std::u16string(out), u"\u00E9x\U0001F3B9|y  |");

  // A limit cuts the result.
  char16 cut[300];
  ASSERT_EQ(format16(cut, 3, u"%d", 12345), 0);
  EXPECT_EQ(std::u16string(cut), u"123");
  ASSERT_EQ(format16(cut, 0, u"abc"), 0);
  EXPECT_EQ(cut[0], 0);
  ASSERT_EQ(format16(cut, 150, u"%s%200d", u"ab", 7), 0);
  EXPECT_EQ(std::u16string(cut), u"ab" + std::u16string(148, u' '));
}

TEST(Format16, RefusesWhatItDoesNotSupport) {
  char16 out[8] = u"kept";
  const auto refuses = [&out](const char16* format, auto argument) {
    EXPECT_EQ(format16(out, 7, format, argument), 1) << testing::PrintToString(format);
    EXPECT_EQ(std::u16string(out), u"kept");
  };
  int count = 0;
  for (const char16* format : {u"ab%n", u"%1$d", u"%5%", u"%q", u"%hs", u"%Ld", u"%lp", u"%",
                               u"x%-", u"%.", u"%99999999999d"})
    refuses(format, &count);
  refuses(u"ok %c", 0x110000);
  EXPECT_EQ(format16(nullptr, 7, u"x"), 1);
  EXPECT_EQ(format16(out, 7, nullptr), 1);
  EXPECT_EQ(format16(out, -1, u"x"), 1);
  EXPECT_EQ(std::u16string(out), u"kept");
}

}  // namespace
}  // namespace Quillon
