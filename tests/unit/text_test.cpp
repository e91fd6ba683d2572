// Code page 932 fitting and number texts.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/text.h"

namespace {

TEST(Text932, FitsWithoutSplittingADoubleByteCharacter) {
    EXPECT_EQ(FitText932("abc", 2), 2u);
    EXPECT_EQ(FitText932("abc", 10), 3u);
    EXPECT_EQ(FitText932("a\x82\xA0", 2), 1u); // the pair does not fit
    EXPECT_EQ(FitText932("a\x82\xA0", 3), 3u);
    EXPECT_EQ(FitText932("\xB1\xB2", 1), 1u);  // half-width katakana are single bytes
    EXPECT_EQ(FitText932("\xE0\x40x", 2), 2u); // second lead range
    EXPECT_EQ(FitText932("ab\x82", 10), 3u);   // a lone lead byte at the end is one byte
    char out[4];
    CopyText932(out, sizeof out, "\x82\xA0\x82\xA2");
    EXPECT_STREQ(out, "\x82\xA0");
}

TEST(NumberText, SignedDecimalWithoutPadding) {
    char out[NumberTextSize];
    const struct {
        int64_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {5, "5"},
                 {-100, "-100"},
                 {6150, "6150"},
                 {INT32_MIN, "-2147483648"},
                 {int64_t{INT32_MIN} * 50, "-107374182400"},
                 {INT64_MIN, "-9223372036854775808"},
                 {INT64_MAX, "9223372036854775807"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, out), static_cast<int>(strlen(c.text)));
        EXPECT_STREQ(out, c.text);
    }
}

} // namespace
