// The typing rule of the text dialog, in code page 932 bytes.
#include "core/text_entry.h"

#include <algorithm>

#include "core/cp932.h"

namespace {

size_t Bytes932(std::u16string_view text) {
    return Utf16ToCp932Lossy(text).size();
}

} // namespace

Insertion FitInsertion(std::u16string_view current, size_t selectedFrom, size_t selectedTo,
                       std::u16string_view typed) {
    selectedTo = std::min(selectedTo, current.size());
    selectedFrom = std::min(selectedFrom, selectedTo);
    const size_t before = Bytes932(current);
    const size_t kept = before - Bytes932(current.substr(selectedFrom, selectedTo - selectedFrom));
    const size_t room = std::max(TypedTextLimit, before) - kept; // kept <= before

    Insertion result;
    size_t used = 0;
    for (size_t i = 0; i < typed.size();) {
        const size_t start = i;
        char32_t c = NextCodePoint(typed, i);
        if (c == U'\r' || c == U'\n') c = U' ';
        char bytes[2];
        const int n = EncodeCp932(c, bytes);
        if (n == 0 || c == 0) {
            result.refused = true;
            continue;
        }
        if (used + n > room) {
            result.cut = true;
            break;
        }
        used += n;
        if (c == U' ' && typed[start] != u' ')
            result.text += u' ';
        else
            result.text += typed.substr(start, i - start);
    }
    return result;
}
