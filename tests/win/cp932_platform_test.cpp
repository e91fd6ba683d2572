// The table the conversion was made from still agrees with the platform's own
// code page 932: every byte and pair decodes as MultiByteToWideChar does (bar
// the replacement character for what is not a character), and every encoded
// character is written as WideCharToMultiByte writes it.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/cp932_table.h"

namespace {

std::u16string PlatformDecoded(const char* bytes, int length) {
    wchar_t w[4] = {};
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, length, w, 4);
    if (n != 1) return u"\uFFFD";
    return std::u16string(1, static_cast<char16_t>(w[0]));
}

TEST(Cp932Platform, EveryPairDecodesAsThePlatformDecodesIt) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(Cp932ToUtf16({pair, 2}), PlatformDecoded(pair, 2)) << lead << " " << trail;
        }
    }
}

TEST(Cp932Platform, EveryCharacterIsWrittenAsThePlatformWritesIt) {
    for (int i = 0; i < Cp932EncodingCount; ++i) {
        const wchar_t w = Cp932Encodings[i].unit;
        char platform[4] = {};
        const int n =
            WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, platform, 4, nullptr, nullptr);
        char ours[2];
        ASSERT_EQ(EncodeCp932(w, ours), n) << int{w};
        ASSERT_EQ(std::string(ours, n), std::string(platform, n)) << int{w};
    }
}

} // namespace
