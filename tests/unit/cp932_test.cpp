// The code page 932 conversion: every character both ways, and what becomes
// of bytes that are not code page 932.
#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/cp932_table.h"
#include "core/utf8.h"

namespace {

// The bytes of a text, or "refused" when a character has none.
std::string Encoded(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char bytes[2];
        const int n = EncodeCp932(NextCodePoint(text, i), bytes);
        if (n == 0) return "refused";
        out.append(bytes, n);
    }
    return out;
}

TEST(Cp932, EveryDoubleByteCharacterComesBackThroughItsEncoding) {
    int characters = 0, sameBytes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue; // never a trail byte
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string shown = Cp932ToUtf16({pair, 2});
            ASSERT_EQ(shown.size(), 1u) << std::hex << lead << trail;
            if (shown[0] == ReplacementCharacter) continue;
            ++characters;
            // Duplicated characters (NEC and IBM rows) come back as the one
            // pair the platform writes them as, which shows the same.
            const std::string bytes = Encoded(shown);
            ASSERT_NE(bytes, "refused") << std::hex << lead << trail;
            EXPECT_EQ(Cp932ToUtf16(bytes), shown);
            sameBytes += bytes == std::string(pair, 2);
        }
    }
    EXPECT_GT(characters, 9000);
    EXPECT_GT(sameBytes, characters - 400);
}

TEST(Cp932, TheEncodingListIsSortedAndDecodesToItself) {
    for (int i = 0; i < Cp932EncodingCount; ++i) {
        const Cp932Encoding& e = Cp932Encodings[i];
        if (i > 0) {
            ASSERT_LT(Cp932Encodings[i - 1].unit, e.unit);
        }
        std::string bytes;
        if (e.bytes >= 0x100) bytes += static_cast<char>(e.bytes >> 8);
        bytes += static_cast<char>(e.bytes & 0xFF);
        ASSERT_EQ(Cp932ToUtf16(bytes), std::u16string(1, e.unit)) << std::hex << e.unit;
    }
}

TEST(Cp932, InvalidAndCutSequencesShowAsReplacementCharacters) {
    const struct {
        const char* bytes;
        std::u16string shown;
    } cases[] = {
        {"abc", u"abc"},
        {"\x83\x5C", u"ソ"},         // a trail byte that is a backslash
        {"\x87\x55", u"Ⅱ"},          // the product title's numeral
        {"\xB1\xDF", u"ｱﾟ"},         // half-width katakana are single bytes
        {"\x5C\x7E", u"\\~"},        // ASCII stays ASCII
        {"a\x81", u"a\uFFFD"},       // a lead byte cut off at the end
        {"\x81 b", u"\uFFFD b"},     // a lead byte before a byte that cannot trail
        {"\x81\x7F", u"\uFFFD\x7F"}, // 0x7F never trails
        {"\x85\x40", u"\uFFFD"},     // a pair in range that is not a character
        {"\xA0\xFD\xFE\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf16(c.bytes), c.shown) << c.bytes;
}

TEST(Cp932, CharactersTheCodePageCannotHoldAreRefused) {
    EXPECT_EQ(Encoded(u"MARVEK Ⅱ"), "MARVEK \x87\x55");
    EXPECT_EQ(Encoded(u"表示"), "\x95\x5C\x8E\xA6");
    EXPECT_EQ(Encoded(u"￥"), "\x81\x8F"); // the full-width yen sign is held
    EXPECT_EQ(Encoded(u""), "");
    for (const char16_t* text : {u"café", u"¥", u"𠮷野", u"\xD800x", u"x\xDC00", u"\uFFFD"})
        EXPECT_EQ(Encoded(text), "refused");
    char out[2];
    EXPECT_EQ(EncodeCp932(U'\U00020BB7', out), 0);
    EXPECT_EQ(EncodeCp932(U'ｱ', out), 1);
    EXPECT_EQ(out[0], '\xB1');
}

TEST(Cp932, CodePointsJoinSurrogatePairsOnly) {
    const std::u16string text = u"a𠮷\xD800";
    size_t i = 0;
    EXPECT_EQ(NextCodePoint(text, i), U'a');
    EXPECT_EQ(NextCodePoint(text, i), U'\U00020BB7');
    EXPECT_EQ(i, 3u);
    EXPECT_EQ(NextCodePoint(text, i), char32_t{0xD800});
    EXPECT_EQ(i, 4u);
}

} // namespace

namespace {

TEST(Utf8ToUtf16, ValidSequencesBackAndEveryBrokenOneAsOneReplacement) {
    EXPECT_TRUE(Utf8ToUtf16("a\xE8\xA8\x98\xE9\x8C\xB2.mv2") == u"a記録.mv2");
    EXPECT_TRUE(Utf8ToUtf16("\xF0\x9F\x98\x80") == u"\U0001F600");
    EXPECT_TRUE(Utf8ToUtf16("\xC3\xA9") == u"\u00E9");
    const std::pair<std::string, std::u16string> broken[] = {
        {"\xFF"
         "a",
         u"\xFFFD"
         u"a"},
        {"\xC3", u"\xFFFD"}, // a lone lead, cut short
        {"\xE8\xA8"
         "a",
         u"\xFFFD\xFFFD"
         u"a"},
        {"\xC0\xAF", u"\xFFFD\xFFFD"},           // overlong
        {"\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"}, // a surrogate
    };
    for (const auto& [bytes, text] : broken)
        EXPECT_TRUE(Utf8ToUtf16(bytes) == text) << bytes.size();
    EXPECT_TRUE(Utf16ToUtf8(Utf8ToUtf16("\xE5\x8F\x97\xE4\xBF\xA1")) == "\xE5\x8F\x97\xE4\xBF\xA1");
}

} // namespace
