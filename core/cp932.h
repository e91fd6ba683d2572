// The one conversion between code page 932, in which the recording's texts,
// the files and the logger speak, and UTF-16, in which the window shows them.
// Window-free and the same on every system: it never asks the system's code
// page, so what the user sees does not depend on the locale.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// What is shown where the bytes are not valid code page 932.
constexpr char16_t ReplacementCharacter = 0xFFFD;

// Code page 932 bytes as UTF-16. A lead byte without a valid trail byte, a
// pair or single byte that is not a character, and a lead byte cut off at the
// end each become one U+FFFD; a byte after a bad lead byte is read again on
// its own, so ASCII is never swallowed.
std::u16string Cp932ToUtf16(std::string_view bytes);

// The code page 932 bytes of one character (a UTF-32 code point): their
// number (1 or 2) in out, or 0 when the code page cannot hold it.
int EncodeCp932(char32_t codePoint, char out[2]);

// UTF-16 as code page 932; each character that cannot be held (an unpaired
// surrogate too) becomes "?", as the system's own conversion does.
std::string Utf16ToCp932Lossy(std::u16string_view text);

// Code points of UTF-16 text: the next one from text[i], advancing i; an
// unpaired surrogate is returned as itself.
char32_t NextCodePoint(std::u16string_view text, size_t& i);
