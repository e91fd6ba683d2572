// Window-free text helpers for code page 932 byte strings and number texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The first byte of a double-byte character in code page 932.
bool IsLeadByte932(unsigned char byte);

// How many bytes of the zero-terminated s fit in at most maxBytes without
// cutting a double-byte character in two.
size_t FitText932(const char* s, size_t maxBytes);

// Copies s into a buffer of `size` bytes, shortened as FitText932 allows,
// always zero-terminated.
void CopyText932(char* out, size_t size, const char* s);

// Longest number text: a minus sign and 19 digits, and the zero.
constexpr int NumberTextSize = 21;
// Signed decimal, "-" when negative, no padding or grouping. Returns the length.
int FormatNumber(int64_t value, char out[NumberTextSize]);
// The same as a string.
std::string NumberText(int64_t value);
// A number as typed in a field that takes digits: 1 to maxDigits ASCII
// digits, nothing else. False otherwise.
bool ParseDigits(const std::string& text, int maxDigits, int64_t& value);
// An ASCII text (a number, a date) as UTF-16.
std::u16string AsciiToUtf16(const std::string& ascii);
// A UTF-16 text that is all ASCII, as such; false for any other.
bool Utf16ToAscii(const std::u16string& text, std::string& ascii);

// Each CR byte and each LF byte becomes a space, so that a text is one line
// of the recording file (CR LF gives two spaces). No code page 932 trail byte
// is a CR or an LF, so this never splits a character.
void FlattenLineBreaks(char* text);
