// printf-style formatting of 16-bit text: vsnwprintf and sprintf16.
//
// The C library's wide formatter works in wchar_t, which is 32-bit on Linux, so 16-bit
// formats have their own formatter. It reads the C library's conversion syntax (flags
// "-+ #0'", a width and a precision, either of them `*`, and the length modifiers hh, h, l,
// ll, L, j, z and t) and formats every number through the C library, so numbers come out
// exactly as snprintf writes them. Text conversions take 16-bit text: %s, %S and %ls a
// zero-terminated 16-bit text (null prints "(null)"), %c, %C and %lc one character (a
// value above 0xFFFF becomes a surrogate pair). %n, positional arguments ("%1$d"), flags or
// a width on "%%", and anything else it does not know make the whole call fail.
#pragma once

#include <cstdarg>

#include "interfaces/ftypes.h"

namespace Quillon {

// Formats `arguments` by the zero-terminated 16-bit `format` into `destination`, at most
// `maxChars` characters followed by a zero (so `destination` holds maxChars + 1); a longer
// result is cut. Returns 0 on success; 1, with `destination` untouched, for a null pointer,
// a negative `maxChars`, an unsupported or malformed conversion, or when out of memory.
int32 vsnwprintf(char16* destination, int32 maxChars, const char16* format, va_list arguments);

// vsnwprintf without a limit: `destination` must hold the whole result and its zero.
int32 sprintf16(char16* destination, const char16* format, ...);

}  // namespace Quillon
