// ConstString and String: 8-bit and 16-bit text, its storage and its code-page conversion.
//
// Defines `ConstString`, a read-only view of 8-bit or 16-bit text, and `String`, which owns its
// text in exactly one width at a time and converts it in place between 8-bit code pages (see
// codepage.h) and UTF-16. Also the library-wide text constants and `UnicodeNormalization`.
// Normalisation lives in its own library, px7000_base_unicode, because it needs ICU.
#pragma once

#include "base/source/codepage.h"
#include "base/source/fstringtable.h"
#include "interfaces/ftypes.h"

namespace Quillon {

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
  virtual ~ConstString() = default;

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

}  // namespace Quillon
