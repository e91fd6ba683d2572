// The text dialog's typing rule and the cleaning of texts for the file.
#include <gtest/gtest.h>

#include "core/text.h"
#include "core/text_entry.h"

namespace {

std::u16string Repeat(std::u16string_view s, int n) {
    std::u16string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(FitInsertion, KeepsWholeCharactersWithinFortyBytes) {
    const std::u16string a = u"あ"; // two bytes in code page 932
    const struct {
        std::u16string current;
        size_t from, to;
        std::u16string typed, inserted;
        bool refused, cut;
    } cases[] = {
        {u"", 0, 0, Repeat(a, 25), Repeat(a, 20), false, true},
        {u"abc", 3, 3, Repeat(a, 20), Repeat(a, 18), false, true},
        {Repeat(u"x", 40), 40, 40, u"y", u"", false, true},
        {Repeat(u"x", 39), 39, 39, a, u"", false, true},      // one byte left
        {Repeat(u"x", 39), 39, 39, u"ｱ", u"ｱ", false, false}, // half-width: one byte
        {Repeat(u"x", 40), 0, 2, a, a, false, false},         // replaces two bytes
        // A 55-byte text from a file: shortened or kept, never lengthened.
        {Repeat(u"w", 55), 55, 55, u"x", u"", false, true},
        {Repeat(u"w", 55), 0, 2, u"x", u"x", false, false},
        {Repeat(u"w", 55), 0, 1, u"x", u"x", false, false},
        {Repeat(u"w", 55), 0, 1, a, u"", false, true},
        // What code page 932 cannot hold is left out; line breaks become spaces.
        {u"", 0, 0, u"café", u"caf", true, false},
        {u"", 0, 0, u"𠮷野", u"野", true, false},
        {u"", 0, 0, u"a\rb", u"a b", false, false},
        {u"", 0, 0, u"x\r\ny", u"x  y", false, false},
        {u"", 0, 0, u"￥¥", u"￥", true, false},
    };
    for (const auto& c : cases) {
        const Insertion got = FitInsertion(c.current, c.from, c.to, c.typed);
        EXPECT_TRUE(got.text == c.inserted) << c.current.size() << " " << c.typed.size();
        EXPECT_EQ(got.refused, c.refused) << c.typed.size();
        EXPECT_EQ(got.cut, c.cut) << c.typed.size();
    }
}

TEST(FlattenLineBreaks, EveryCrAndLfByteBecomesASpace) {
    char text[] = "a\rb\r\nc\n\x83\x5C";
    FlattenLineBreaks(text);
    EXPECT_STREQ(text, "a b  c \x83\x5C");
}

} // namespace
