// Decoding by direct lookup; encoding by binary search over the sorted list of
// characters the code page holds.
#include "core/cp932.h"

#include <algorithm>

#include "core/cp932_table.h"
#include "core/text.h"

namespace {

int LeadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

bool IsTrailByte(unsigned char b) {
    return b >= Cp932FirstTrail && b <= Cp932LastTrail && b != 0x7F;
}

bool IsSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

} // namespace

std::u16string Cp932ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0) {
            out += u'\0';
            continue;
        }
        if (!IsLeadByte932(b)) {
            const char16_t u = Cp932SingleByte[b];
            out += u ? u : ReplacementCharacter;
            continue;
        }
        if (i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t u = Cp932DoubleByte[LeadIndex(b)][t - Cp932FirstTrail];
            out += u ? u : ReplacementCharacter;
            ++i;
            continue;
        }
        out += ReplacementCharacter;
    }
    return out;
}

int EncodeCp932(char32_t codePoint, char out[2]) {
    if (codePoint == 0) {
        out[0] = 0;
        return 1;
    }
    if (codePoint > 0xFFFF || IsSurrogate(codePoint)) return 0;
    const Cp932Encoding* end = Cp932Encodings + Cp932EncodingCount;
    const Cp932Encoding* found =
        std::lower_bound(Cp932Encodings, end, codePoint,
                         [](const Cp932Encoding& e, char32_t u) { return e.unit < u; });
    if (found == end || found->unit != codePoint) return 0;
    if (found->bytes < 0x100) {
        out[0] = static_cast<char>(found->bytes);
        return 1;
    }
    out[0] = static_cast<char>(found->bytes >> 8);
    out[1] = static_cast<char>(found->bytes & 0xFF);
    return 2;
}

char32_t NextCodePoint(std::u16string_view text, size_t& i) {
    const char32_t u = text[i++];
    if (u >= 0xD800 && u <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
        return 0x10000 + ((u - 0xD800) << 10) + (text[i++] - 0xDC00);
    return u;
}

std::string Utf16ToCp932Lossy(std::u16string_view text) {
    std::string bytes;
    for (size_t i = 0; i < text.size();) {
        char pair[2];
        const int n = EncodeCp932(NextCodePoint(text, i), pair);
        if (n == 0)
            bytes += '?';
        else
            bytes.append(pair, n);
    }
    return bytes;
}
