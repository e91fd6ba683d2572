// Prints the platform's code page 932 mapping as the C++ source of the
// tables in core/cp932_table.cpp. Run under Windows (or Wine) by
// tools/cp932/make_table.sh; the output is committed, so the program never
// asks the system's code page at run time.
#include <windows.h>

#include <cstdio>

#include "core/cp932_table.h"
#include <vector>

namespace {

bool IsLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The UTF-16 unit of a byte sequence, or 0 when it is not valid code page 932.
unsigned Decode(const char* bytes, int length) {
    wchar_t w[4] = {};
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, length, w, 4);
    return n == 1 ? static_cast<unsigned>(w[0]) : 0;
}

} // namespace

int main() {
    std::printf("// Made by tools/cp932/make_table.sh from the platform's code page 932\n"
                "// mapping; do not edit by hand.\n"
                "#include \"core/cp932_table.h\"\n\n");

    std::printf("const uint16_t Cp932SingleByte[256] = {");
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const unsigned u = IsLead(b) ? 0 : (b == 0 ? 0 : Decode(&c, 1));
        std::printf("%s0x%04X,", b % 12 ? " " : "\n    ", u);
    }
    std::printf("\n};\n\n");

    std::printf("const uint16_t Cp932DoubleByte[Cp932LeadCount][Cp932TrailCount] = {");
    for (int lead = 0; lead < 256; ++lead) {
        if (!IsLead(lead)) continue;
        std::printf("\n    {");
        for (int trail = Cp932FirstTrail; trail <= Cp932LastTrail; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            std::printf("%s0x%04X,", (trail - Cp932FirstTrail) % 12 ? " " : "\n     ",
                        Decode(pair, 2));
        }
        std::printf("},");
    }
    std::printf("\n};\n\n");

    // Every BMP character the code page holds exactly, with the bytes it is
    // written as (one byte below 0x100), in order of the character.
    std::vector<unsigned> pairs;
    for (unsigned u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const wchar_t w = static_cast<wchar_t>(u);
        char bytes[4] = {};
        BOOL defaulted = FALSE;
        const int n =
            WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, bytes, 4, nullptr, &defaulted);
        if (n < 1 || n > 2 || defaulted) continue;
        const unsigned code = n == 1 ? static_cast<unsigned char>(bytes[0])
                                     : static_cast<unsigned char>(bytes[0]) << 8 |
                                           static_cast<unsigned char>(bytes[1]);
        const unsigned back = Decode(bytes, n);
        if (back != u) continue; // not a round trip: a best fit after all
        pairs.push_back(u << 16 | code);
    }
    std::printf("const int Cp932EncodingCount = %zu;\n", pairs.size());
    std::printf("const Cp932Encoding Cp932Encodings[] = {");
    for (size_t i = 0; i < pairs.size(); ++i)
        std::printf("%s{0x%04X, 0x%04X},", i % 6 ? " " : "\n    ", pairs[i] >> 16,
                    pairs[i] & 0xFFFF);
    std::printf("\n};\n");
    return 0;
}
