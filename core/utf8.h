// UTF-16 to UTF-8, for what leaves the program as UTF-8: CSV files and the
// console tool's output.
#pragma once
#include <string>
#include <string_view>

// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
