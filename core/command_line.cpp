// The program's name ends at its closing quote, or at the first space or tab
// when it is not quoted, as Windows splits it.
#include "core/command_line.h"

#include <cstring>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

} // namespace

std::u16string CommandLinePath(std::u16string_view line) {
    size_t i = 0;
    if (!line.empty() && line[0] == u'"') {
        const size_t close = line.find(u'"', 1);
        i = close == std::u16string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
    }
    std::u16string_view rest = line.substr(i);
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && IsBlank(rest.back()))
        rest.remove_suffix(1);
    if (rest.size() >= 2 && rest.front() == u'"' && rest.back() == u'"')
        rest = rest.substr(1, rest.size() - 2);
    return std::u16string(rest);
}

bool ForwardedPath(const void* data, size_t bytes, std::u16string& path) {
    if (!data || bytes % sizeof(char16_t) != 0) return false;
    const size_t units = bytes / sizeof(char16_t);
    if (units < 2 || units > LongestPath + 1) return false;
    std::u16string text(units, u'\0');
    std::memcpy(&text[0], data, bytes); // the data need not be aligned
    if (text.back() != 0 || text.find(u'\0') != units - 1) return false;
    text.pop_back();
    path = std::move(text);
    return true;
}
