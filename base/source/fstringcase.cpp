// Unicode case mapping and caseless comparison of 16-bit text through ICU; kept apart so the
// module need not link it.
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include "base/source/fstring.h"
#include "base/source/fstringdetail.h"

namespace Quillon {

namespace {

// The simple mapping of one 16-bit character; unchanged when it is not one 16-bit character.
char16 mapChar(char16 c, bool upper) {
  const UChar32 mapped = upper ? u_toupper(c) : u_tolower(c);
  return mapped <= 0xFFFF ? char16(mapped) : c;
}

// Maps every character, a surrogate pair as the one character it encodes. A mapping that
// would change the number of 16-bit characters leaves the character as it is.
void mapText(char16* chars, int32 length, bool upper) {
  for (int32 i = 0; i < length; ++i) {
    const char16 c = chars[i];
    if (!U16_IS_LEAD(c) || i + 1 == length || !U16_IS_TRAIL(chars[i + 1])) {
      chars[i] = mapChar(c, upper);
      continue;
    }
    const UChar32 codePoint = U16_GET_SUPPLEMENTARY(c, chars[i + 1]);
    const UChar32 mapped = upper ? u_toupper(codePoint) : u_tolower(codePoint);
    if (mapped > 0xFFFF) {
      chars[i] = U16_LEAD(mapped);
      chars[i + 1] = U16_TRAIL(mapped);
    }
    ++i;
  }
}

char8 mapChar(char8 c, bool upper) {
  return upper ? ConstString::toUpper(c) : ConstString::toLower(c);
}

}  // namespace

namespace detail {

int32 caseCompare16(const char16* a, int32 aLength, const char16* b, int32 bLength) {
  UErrorCode status = U_ZERO_ERROR;
  const int32 order = u_strCaseCompare(a == nullptr ? u"" : a, aLength, b == nullptr ? u"" : b,
                                       bLength, U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return a == b ? 0 : -1;
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace detail

char16 ConstString::toLower(char16 c) { return mapChar(c, false); }
char16 ConstString::toUpper(char16 c) { return mapChar(c, true); }

int32 strnicmp16(const char16* a, const char16* b, int32 n) {
  if (n < 1) return 0;
  return detail::caseCompare16(a, detail::textLength(a, n), b, detail::textLength(b, n));
}

void String::toLower(int32 index) {
  if (buffer == nullptr || index < 0 || uint32(index) >= len) return;
  if (isWide)
    buffer16[index] = mapChar(buffer16[index], false);
  else
    buffer8[index] = mapChar(buffer8[index], false);
}

void String::toUpper(int32 index) {
  if (buffer == nullptr || index < 0 || uint32(index) >= len) return;
  if (isWide)
    buffer16[index] = mapChar(buffer16[index], true);
  else
    buffer8[index] = mapChar(buffer8[index], true);
}

void String::toLower() {
  if (buffer == nullptr) return;
  if (isWide) return mapText(buffer16, int32(len), false);
  for (uint32 i = 0; i < len; ++i) buffer8[i] = mapChar(buffer8[i], false);
}

void String::toUpper() {
  if (buffer == nullptr) return;
  if (isWide) return mapText(buffer16, int32(len), true);
  for (uint32 i = 0; i < len; ++i) buffer8[i] = mapChar(buffer8[i], true);
}

}  // namespace Quillon
