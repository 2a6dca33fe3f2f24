// ConstString and String: 8-bit and 16-bit text, its storage and its code-page conversion.
//
// Defines `ConstString`, a read-only view of 8-bit or 16-bit text, and `String`, which owns its
// text in exactly one width at a time and converts it in place between 8-bit code pages (see
// codepage.h) and UTF-16. Also the library-wide text constants and `UnicodeNormalization`,
// and the free text functions: natural order, case-insensitive comparison and hashing.
//
// Alongside storage, the classes offer character classes and case mapping, comparison and
// search (fstringcompare.cpp, fstringsearch.cpp, fstringcase.cpp), find-and-replace and trimming
// (fstringreplace.cpp), number scanning (fstringscan.cpp), formatting (fstringformat.cpp, the
// 16-bit formatter in format16.h) and conversions to and from `FVariant` (fvariant.h).
//
// Operations that meet one 8-bit and one 16-bit operand widen the 8-bit one through code page
// 0 in a temporary and work in 16-bit.
//
// Order of characters: every case-sensitive comparison (compareAt, naturalCompare, strnatcmp8,
// strnatcmp16, getFirstDifferent) orders characters by their unsigned value, so 8-bit
// characters from 0x80 and 16-bit characters from 0x8000 sort after all others, as they do in
// the C library's strcmp and in the case-insensitive comparison.
//
// Some operations need ICU and live in their own library, px7000_base_unicode, which the
// module never links: normalisation, the 16-bit case mapping, strnicmp16, and everything that
// takes a CompareMode or changes case (compareAt, getFirstDifferent, findNext, findPrev,
// countOccurences, String::toLower/toUpper). Each says so below.
#pragma once

#include <cstdarg>

#include "base/source/codepage.h"
#include "base/source/format16.h"
#include "base/source/fstringtable.h"
#include "interfaces/ftypes.h"

namespace Quillon {

class FVariant;
class IAttributes;
class IStringResult;
class String;

// The empty 8-bit text; one address shared by every unit.
inline constexpr char8 kEmptyString8[] = "";
// The empty 16-bit text, the string table's copy of kEmptyString8 (the same in every unit).
static const char16* const kEmptyString16 = ConstStringTable::instance()->getString(kEmptyString8);
static const char16* const kEmptyString = kEmptyString16;

// The forms of the Unicode standard.
enum UnicodeNormalization {
  kUnicodeNormC = 0,   // composed
  kUnicodeNormD = 1,   // decomposed
  kUnicodeNormKC = 2,  // compatibility composed
  kUnicodeNormKD = 3,  // compatibility decomposed
};

// A view of zero-terminated 8-bit or 16-bit text. Does not own the text, which must outlive
// the view, and never converts it. Indexes and counts are in characters of the text's width.
class ConstString {
 public:
  // The longest text a string can hold, in characters.
  static constexpr uint32 kMaxLength = (1u << 30) - 1;

  ConstString() : buffer(nullptr), len(0), isWide(0) {}
  // Views `text` (no text for null).
  ConstString(const char8* text);
  ConstString(const char16* text);
  // Views `other`'s text from `offset` on; offsets outside the text are clamped to it.
  ConstString(const ConstString& other, int32 offset);
  ConstString(const ConstString&) = default;
  // Views the variant's text when it holds 8-bit or 16-bit text; else no text. Copies nothing.
  explicit ConstString(const FVariant& variant);
  virtual ~ConstString() = default;

  // How comparisons and searches treat letter case.
  enum CompareMode { kCaseSensitive = 0, kCaseInsensitive = 1 };

  // The number of characters, the terminating zero excluded.
  virtual int32 length() const { return int32(len); }
  // The text when it is 8-bit (16-bit) and present, else the empty text of that width.
  virtual const char8* text8() const;
  virtual const char16* text16() const;
  // The same as text16().
  virtual const char16* text() const { return text16(); }
  // The text as an untyped pointer; null without text.
  virtual const void* ptr() const { return buffer; }
  // The character at `index` in that width; 0 outside the text, without text, or when the
  // text is in the other width.
  virtual char8 getChar8(int32 index) const;
  virtual char16 getChar16(int32 index) const;

  bool isWideString() const { return isWide != 0; }
  bool isEmpty() const { return len == 0; }
  // True when no character exceeds 127; the empty text is ASCII.
  bool isAsciiString() const;
  // Whether 16-bit text is already in `form`; false for 8-bit text. Needs px7000_base_unicode.
  bool isNormalized(UnicodeNormalization form = kUnicodeNormC) const;

  // Copy `n` characters from `index` (all up to the end when `n` is negative or reaches past
  // it) into `destination` with a zero after them; text of the other width is converted
  // through code page 0. `destination` holds the count plus one characters. Return the count,
  // 0 (and the empty text written) when `index` is outside the text or a conversion fails.
  int32 copyTo8(char8* destination, int32 index = 0, int32 n = -1) const;
  int32 copyTo16(char16* destination, int32 index = 0, int32 n = -1) const;
  int32 copyTo(char16* destination, int32 index = 0, int32 n = -1) const {
    return copyTo16(destination, index, n);
  }
  // Hands the text to `result`: 16-bit text through its IString when it has one, else as 8-bit
  // text (code page 0). Does nothing for a null `result`.
  void copyTo(IStringResult* result) const;
  // Assigns `n` characters from `index` to `result` in this text's width, stopping at an
  // embedded zero. False when `index` is outside the text.
  bool extract(String& result, int32 index, int32 n = -1) const;

  // --- Character classes and case mapping (fstringcompare.cpp, fstringcase.cpp) ---
  // The 8-bit classes are the C library's; so are isCharAlpha and isCharAlphaNum for 16-bit
  // characters. A 16-bit space is exactly U+0020, U+00A0, U+2002 to U+200B, U+202F, U+205F or
  // U+3000 (tab and line feed are not).

  static bool isCharSpace(char8 c);
  static bool isCharSpace(char16 c);
  static bool isCharAlpha(char8 c);
  static bool isCharAlpha(char16 c);
  static bool isCharAlphaNum(char8 c);
  static bool isCharAlphaNum(char16 c);
  // '0' to '9' only.
  static bool isCharDigit(char8 c);
  static bool isCharDigit(char16 c);
  // Below 128, as an unsigned value.
  static bool isCharAscii(char8 c);
  static bool isCharAscii(char16 c);
  // The case of one character. 8-bit: 'A' to 'Z' (and the C library's mapping for the rest).
  // 16-bit: the Unicode simple mapping; a character whose mapping is not exactly one 16-bit
  // character comes back unchanged. The 16-bit forms need px7000_base_unicode.
  static char8 toLower(char8 c);
  static char16 toLower(char16 c);
  static char8 toUpper(char8 c);
  static char16 toUpper(char16 c);

  // --- Comparison (fstringsearch.cpp and fstringcompare.cpp) ---

  // Compares this text from `index` with `other`, at most `n` characters when `n` >= 0, like
  // strncmp (strncasecmp in kCaseInsensitive; 16-bit text then compares by Unicode default
  // case folding). Negative, 0 or positive; 0 when `n` is 0; -1 when `index` is outside a
  // non-empty text or this text is empty and `other` is not. Needs px7000_base_unicode.
  int32 compareAt(int32 index, const ConstString& other, int32 n = -1,
                  CompareMode mode = kCaseSensitive) const;
  // Natural order (see strnatcmp8): numbers by value. An empty text sorts first.
  int32 naturalCompare(const ConstString& other, CompareMode mode = kCaseSensitive) const;
  // The first index at which the texts differ, the terminators included (so a prefix yields
  // its own length); kCaseInsensitive compares lower-case mappings. -1 when the texts are
  // equal or a widening fails. Needs px7000_base_unicode.
  int32 getFirstDifferent(const ConstString& other, CompareMode mode = kCaseSensitive) const;

  // --- Search (fstringsearch.cpp and fstringcompare.cpp) ---
  // Results are indexes; -1 when nothing is found, when the pattern is empty, or when a
  // character cannot be converted to this text's width through code page 0. findNext, findPrev
  // and countOccurences need px7000_base_unicode.

  // The first match at or after `startIndex` (0 when negative) of `other`'s first `n`
  // characters (all when `n` is negative) lying wholly inside this text.
  int32 findNext(int32 startIndex, const ConstString& other, int32 n = -1,
                 CompareMode mode = kCaseSensitive) const;
  int32 findNext(int32 startIndex, char8 c, CompareMode mode = kCaseSensitive) const;
  int32 findNext(int32 startIndex, char16 c, CompareMode mode = kCaseSensitive) const;
  // The last match starting at or before `startIndex` (the last character when negative or
  // past the end); a match may reach beyond `startIndex`.
  int32 findPrev(int32 startIndex, const ConstString& other, int32 n = -1,
                 CompareMode mode = kCaseSensitive) const;
  int32 findPrev(int32 startIndex, char8 c, CompareMode mode = kCaseSensitive) const;
  int32 findPrev(int32 startIndex, char16 c, CompareMode mode = kCaseSensitive) const;
  // How often `c` occurs from `startIndex` on; -1 when it cannot be converted.
  int32 countOccurences(char8 c, int32 startIndex = 0, CompareMode mode = kCaseSensitive) const;
  int32 countOccurences(char16 c, int32 startIndex = 0, CompareMode mode = kCaseSensitive) const;
  // Whether the character at `index` is `c` (converted through code page 0); at or past the
  // end, whether `c` is zero. False for a negative `index` or a character that cannot convert.
  bool testChar8(int32 index, char8 c) const;
  bool testChar16(int32 index, char16 c) const;
  // Whether the character at `index` is '0' to '9'; false outside the text.
  bool isDigit(int32 index) const;
  // Where the run of digits that ends the text begins; -1 when the text does not end in a
  // digit, or, with `width` above 0, when the run is not exactly `width` digits long.
  int32 getTrailingNumberIndex(uint32 width = 0) const;

  // --- Number scanning (fstringscan.cpp) ---
  // Each reads a number at the start of zero-terminated text (after white space); when that
  // fails and `scanToEnd` is true, one character further on, and so on to the end. False, the
  // value untouched, when no number is read or the text is null. 16-bit text is read as its
  // code page 0 narrowing.

  static bool scanInt64_8(const char8* text, int64& value, bool scanToEnd = true);
  static bool scanInt64_16(const char16* text, int64& value, bool scanToEnd = true);
  static bool scanInt64(const char8* text, int64& value, bool scanToEnd = true) {
    return scanInt64_8(text, value, scanToEnd);
  }
  static bool scanInt64(const char16* text, int64& value, bool scanToEnd = true) {
    return scanInt64_16(text, value, scanToEnd);
  }
  // Like strtoull: a leading minus sign negates in unsigned arithmetic.
  static bool scanUInt64_8(const char8* text, uint64& value, bool scanToEnd = true);
  static bool scanUInt64_16(const char16* text, uint64& value, bool scanToEnd = true);
  static bool scanUInt64(const char8* text, uint64& value, bool scanToEnd = true) {
    return scanUInt64_8(text, value, scanToEnd);
  }
  static bool scanUInt64(const char16* text, uint64& value, bool scanToEnd = true) {
    return scanUInt64_16(text, value, scanToEnd);
  }
  // Reads hexadecimal digits (an optional 0x) as an unsigned int and keeps its low 8 bits.
  static bool scanHex_8(const char8* text, uint8& value, bool scanToEnd = true);
  static bool scanHex_16(const char16* text, uint8& value, bool scanToEnd = true);
  static bool scanHex(const char8* text, uint8& value, bool scanToEnd = true) {
    return scanHex_8(text, value, scanToEnd);
  }
  static bool scanHex(const char16* text, uint8& value, bool scanToEnd = true) {
    return scanHex_16(text, value, scanToEnd);
  }
  // The same on this text from `offset`; false when `offset` is outside the text. The 32-bit
  // forms read 64 bits and keep the low 32.
  bool scanInt64(int64& value, int32 offset = 0, bool scanToEnd = true) const;
  bool scanUInt64(uint64& value, int32 offset = 0, bool scanToEnd = true) const;
  bool scanHex(uint8& value, int32 offset = 0, bool scanToEnd = true) const;
  bool scanInt32(int32& value, int32 offset = 0, bool scanToEnd = true) const;
  bool scanUInt32(uint32& value, int32 offset = 0, bool scanToEnd = true) const;
  // Reads a floating-point number; the first comma from `offset` on counts as a decimal point.
  bool scanFloat(double& value, int32 offset = 0, bool scanToEnd = true) const;

  // --- Variants (fvariant.cpp) ---

  // Lets `variant` borrow this text in its own width (the empty text without a buffer); the
  // text must outlive the variant's use of it.
  void toVariant(FVariant& variant) const;

 protected:
  // Not public: assigning a view through a reference to a String would make the String free
  // text it does not own.
  ConstString& operator=(const ConstString&) = default;

  // Mutable because a String converts its text in place when read in the other width.
  union {
    mutable void* buffer;
    mutable char8* buffer8;
    mutable char16* buffer16;
  };
  mutable uint32 len : 30;
  mutable uint32 isWide : 1;
};

// Owns zero-terminated text in one width at a time, in a buffer from the C allocator that
// holds exactly len + 1 characters (a shortening `replace` may leave it larger). Reading
// operations convert in place, so a String is never shared between threads unguarded.
// Operations never throw: a failed allocation or conversion leaves the string as it was.
class String : public ConstString {
 public:
  String() { isWide = 1; }
  // Assigns `text` (see assign); an empty 8-bit (16-bit) string for null.
  String(const char8* text, int32 n = -1, bool isTerminated = true);
  String(const char16* text, int32 n = -1, bool isTerminated = true);
  // Copies `other`'s text in its width, `n` characters when `n` is 0 or more.
  String(const String& other, int32 n = -1);
  String(const ConstString& other, int32 n = -1);
  // Takes `other`'s buffer; `other` ends empty.
  String(String&& other) noexcept;
  // Takes the variant's text or number, as fromVariant; an empty 16-bit string otherwise.
  explicit String(const FVariant& variant);
  String& operator=(const String& other) { return assign(other); }
  String& operator=(String&& other) noexcept;
  ~String() override;

  // Convert to 8-bit (code page 0) or 16-bit first, in place; the empty text of that width
  // when the conversion fails.
  const char8* text8() const override;
  const char16* text16() const override;
  char8 getChar8(int32 index) const override;
  char16 getChar16(int32 index) const override;

  // --- Conversion ---

  // Decodes 8-bit text in `codePage` to 16-bit. False, the string unchanged, when it cannot.
  bool toWideString(uint32 codePage = kCodePageSystemDefault);
  // Encodes 16-bit text in `codePage`, '?' for what the set lacks. 8-bit text is taken to be
  // in code page 0 and re-encoded. False, the string unchanged, on failure.
  bool toMultiByte(uint32 codePage = kCodePageSystemDefault);
  // Assigns UTF-8 `text` and decodes it; the decoding's result.
  bool fromUTF8(const char8* text);
  // Raw conversions; see detail::decodeMultiByte and detail::encodeWide in codepage.h.
  static int32 multiByteToWideString(char16* destination, const char8* source, int32 charCount,
                                     uint32 codePage = kCodePageSystemDefault);
  static int32 wideStringToMultiByte(char8* destination, const char16* source, int32 byteCount,
                                     uint32 codePage = kCodePageSystemDefault);
  // Brings 16-bit text to `form`; false for 8-bit text. Needs px7000_base_unicode.
  bool normalize(UnicodeNormalization form = kUnicodeNormC);
  // Writes a length byte and at most 255 8-bit characters (code page 0) to `destination`,
  // which holds 256 bytes.
  void toPascalString(unsigned char* destination) const;
  // Becomes the 8-bit text of the Pascal string `source`; false for null or when out of memory.
  bool fromPascalString(const unsigned char* source);

  // --- Assignment ---

  // Copies `text` up to its zero, at most `n` characters when `n` is 0 or more; with
  // `isTerminated` false, exactly `n` characters (none when negative). The string takes the
  // text's width. The string's own buffer as `text` leaves it unchanged.
  String& assign(const char8* text, int32 n = -1, bool isTerminated = true);
  String& assign(const char16* text, int32 n = -1, bool isTerminated = true);
  // Copies `other`'s text in its width up to an embedded zero, `n` characters when `n` >= 0.
  String& assign(const ConstString& other, int32 n = -1);
  // `count` copies of `c` in its width.
  String& assign(char8 c, int32 count = 1);
  String& assign(char16 c, int32 count = 1);
  // Sizes the buffer for `newLength` characters of width `wide`, reinterpreting the bytes when
  // the width changes. `fill` pads a longer text with spaces. A zero is kept at `newLength` and
  // `len` never exceeds it; `newLength` 0 frees the buffer. False when out of memory.
  bool resize(int32 newLength, bool wide, bool fill = false);

  // --- Editing (fstringedit.cpp) ---
  // Text of the other width widens this string (code page 0) or is widened to join it; when
  // that conversion fails the edit does nothing. Counts below 0 mean "up to the zero".

  // Appends `text`; this string's own buffer is ignored.
  String& append(const char8* text, int32 n = -1);
  String& append(const char16* text, int32 n = -1);
  String& append(const ConstString& other, int32 n = -1);
  // Appends `count` copies of `c`; a zero character appends nothing.
  String& append(char8 c, int32 count = 1);
  String& append(char16 c, int32 count = 1);
  // Inserts before `index` (which may equal the length); nothing when it is outside the text.
  String& insertAt(int32 index, const char8* text, int32 n = -1);
  String& insertAt(int32 index, const char16* text, int32 n = -1);
  String& insertAt(int32 index, const ConstString& other, int32 n = -1);
  // Replaces `count` characters from `index` (to the end when negative or past it) by `text`;
  // never inserts. A shorter result keeps the larger buffer.
  String& replace(int32 index, int32 count, const char8* text, int32 textCount = -1);
  String& replace(int32 index, int32 count, const char16* text, int32 textCount = -1);
  String& replace(int32 index, int32 count, const ConstString& other, int32 textCount = -1);
  // Removes `n` characters from `index` (to the end when negative or past it).
  String& remove(int32 index = 0, int32 n = -1);
  // Stores `c` at `index` in the string's width, padding with spaces up to it; a zero cuts the
  // text there. False when a 16-bit `c` is not one byte in code page 0 or out of memory.
  bool setChar8(int32 index, char8 c);
  bool setChar16(int32 index, char16 c);

  // --- Find and replace, removal, trimming (fstringreplace.cpp), case (fstringcase.cpp) ---

  // Which characters removeChars and trim remove, by the C library's classes (isspace,
  // isalnum, isalpha and their wide forms).
  enum CharGroup { kSpace = 0, kNotAlphaNum = 1, kNotAlpha = 2 };

  // Replaces the first (every, when `all`) case-sensitive occurrence of `toReplace` by
  // `toReplaceWith`; replaced text is never searched again. Returns the number of
  // replacements; 0, the string unchanged, for null texts, no match, a failed conversion or
  // when out of memory. A 16-bit replacement widens the string.
  int32 replace(const char8* toReplace, const char8* toReplaceWith, bool all = false);
  int32 replace(const char16* toReplace, const char16* toReplaceWith, bool all = false);
  // Overwrites every character found in the zero-terminated set `characters` by `replacement`
  // (a space for 0). True when a character was replaced; false, the string unchanged, when
  // the set or the replacement cannot be converted to the string's width.
  bool replaceChars8(const char8* characters, char8 replacement);
  bool replaceChars16(const char16* characters, char16 replacement);
  // Removes every character found in the set; false only when the set cannot be converted.
  bool removeChars8(const char8* characters);
  bool removeChars16(const char16* characters);
  // Removes every character of `group`; true when one was removed.
  bool removeChars(CharGroup group = kSpace);
  // Removes the characters of `group` at both ends; true when the length changed.
  bool trim(CharGroup group = kSpace);
  // Change the case of the character at `index` (nothing outside the text) or of every
  // character, with the mappings of toLower(char8) and the others. Need px7000_base_unicode.
  void toLower(int32 index);
  void toUpper(int32 index);
  void toLower();
  void toUpper();
  using ConstString::toLower;
  using ConstString::toUpper;

  // --- Formatting (fstringformat.cpp) ---

  // Formats like vsnprintf into at most 4095 characters (16-bit formats: at most 4096, see
  // vsnwprintf) and assigns the result in the format's width. False, the string unchanged,
  // when the formatter fails.
  bool printf(const char8* format, ...) __attribute__((format(printf, 2, 3)));
  bool printf(const char16* format, ...);
  bool vprintf(const char8* format, va_list arguments) __attribute__((format(printf, 2, 0)));
  bool vprintf(const char16* format, va_list arguments);
  // Assigns the number in decimal, in the string's current width; false when out of memory.
  bool printInt64(int64 value);
  // Assigns the number with six decimals less the trailing zeros, keeping one digit after the
  // point (2.0, 3.14), in the string's current width; false when out of memory.
  bool printFloat(double value);
  // Counts the number that ends the text on by one (from 1 when there is none, and to at least
  // `minNumber`), written with at least `width` digits after `separator` (none when 0 or when
  // the text is otherwise empty): "Track 07" gives "Track 08". A separator that the 8-bit
  // string cannot hold widens it. False, the string unchanged, for a `width` above 32, a
  // number too large to count on, or when out of memory.
  bool incrementTrailingNumber(uint32 width, char16 separator = 0, uint32 minNumber = 1);

  // --- Variants (fvariant.cpp) ---

  // Takes the variant's 8-bit or 16-bit text, or formats its number (printInt64, printFloat).
  // For any other content the string ends empty and the result is false.
  bool fromVariant(const FVariant& variant);
  // Hands the text to `variant`, which then owns it; the string ends empty. False, both
  // unchanged, when out of memory.
  bool passToVariant(FVariant& variant);
  // Stores the text (borrowed for the call) under `attributeId`; true when the store accepts.
  bool toAttributes(IAttributes* attributes, const char8* attributeId) const;
  // Reads the value under `attributeId` and takes it as fromVariant; false when the store has
  // none or holds neither text nor a number.
  bool fromAttributes(IAttributes* attributes, const char8* attributeId);

  // --- Buffer hand-over ---

  // Frees this string's buffer and takes `other`'s, which ends with no buffer.
  void take(String& other);
  // Frees this string's buffer and adopts `buffer` (zero-terminated, C allocator).
  void take(void* buffer, bool wide);
  // Hands the buffer to the caller, who frees it with free(); the string ends empty.
  void* pass();
  void swapContent(String& other);
  // Recounts `len` up to the first zero.
  void updateLength();

 private:
  template <typename C>
  String& assignText(const C* text, int32 n, bool isTerminated);
  template <typename C>
  String& assignChar(C c, int32 count);
  template <typename C>
  String& appendText(const C* text, int32 n);
  template <typename C>
  String& appendChar(C c, int32 count);
  template <typename C>
  String& insertText(int32 index, const C* text, int32 n);
  template <typename C>
  String& replaceText(int32 index, int32 count, const C* text, int32 textCount);
  template <typename C>
  bool storeChar(int32 index, C c);

  // Frees the buffer and becomes the empty text of width `wide`.
  void clear(bool wide);
  // Writes a zero character at `index` of the buffer, which must reach it.
  void terminateAt(uint32 index);
  // Whether `p` points into this string's buffer.
  bool ownsPointer(const void* p) const;
};

// Natural order of zero-terminated texts: runs of digits compare by value ("file2" before
// "file10"); of equal values the one with more leading zeros sorts after ("a1" before "a01");
// other characters compare by unsigned value, or, without `caseSensitive`, by the C library's
// upper-case mapping. A null text sorts before every other, two are equal. Negative, 0 or
// positive.
int32 strnatcmp8(const char8* a, const char8* b, bool caseSensitive = true);
int32 strnatcmp16(const char16* a, const char16* b, bool caseSensitive = true);
// Compares at most `n` characters of two zero-terminated 16-bit texts by Unicode default case
// folding, in code-unit order: -1, 0 or 1; 0 when `n` is below 1. A null text counts as empty.
// Needs px7000_base_unicode.
int32 strnicmp16(const char16* a, const char16* b, int32 n);
// Hash of zero-terminated text: per character, shift left by 6 and add the character as a
// signed value, modulo `hashSize`; unreduced when `hashSize` is 0. 0 for a null text.
uint32 hashString8(const char8* text, uint32 hashSize);
uint32 hashString16(const char16* text, uint32 hashSize);

}  // namespace Quillon
