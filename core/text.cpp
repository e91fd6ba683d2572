// Code page 932 fitting and number texts.
#include "core/text.h"

#include <cstring>

bool IsLeadByte932(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t FitText932(const char* s, size_t maxBytes) {
    size_t used = 0;
    while (s[used] != 0) {
        const bool pair = IsLeadByte932(static_cast<unsigned char>(s[used])) && s[used + 1] != 0;
        const size_t width = pair ? 2 : 1;
        if (used + width > maxBytes) break;
        used += width;
    }
    return used;
}

void CopyText932(char* out, size_t size, const char* s) {
    if (size == 0) return;
    const size_t n = FitText932(s, size - 1);
    std::memcpy(out, s, n);
    out[n] = 0;
}

int FormatNumber(int64_t value, char out[NumberTextSize]) {
    // Work on the magnitude as unsigned so that INT64_MIN needs no special case.
    uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0) out[length++] = '-';
    while (n > 0)
        out[length++] = digits[--n];
    out[length] = 0;
    return length;
}

std::u16string AsciiToUtf16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

bool ParseDigits(const std::string& text, int maxDigits, int64_t& value) {
    if (text.empty() || text.size() > static_cast<size_t>(maxDigits) || maxDigits > 18)
        return false;
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

bool Utf16ToAscii(const std::u16string& text, std::string& ascii) {
    for (char16_t c : text)
        if (c >= 128) return false;
    ascii.assign(text.begin(), text.end());
    return true;
}

std::string NumberText(int64_t value) {
    char text[NumberTextSize];
    return std::string(text, static_cast<size_t>(FormatNumber(value, text)));
}

void FlattenLineBreaks(char* text) {
    for (char* p = text; *p != 0; ++p)
        if (*p == '\r' || *p == '\n') *p = ' ';
}
