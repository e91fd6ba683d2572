// UTF-16 and UTF-8, for what leaves the program as UTF-8 (CSV files, the
// console tool's output) and what the console tool is given on Linux.
#pragma once
#include <string>
#include <string_view>

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// A byte that does not begin a valid sequence, and a sequence cut short,
// each become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
