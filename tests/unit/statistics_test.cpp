// The statistics dialog's rules.
#include <gtest/gtest.h>

#include <climits>

#include "core/statistics.h"

namespace {

TEST(Statistics, TextsOfHalvesClocksAndSigns) {
    EXPECT_EQ(TenthsText(0, 840), "0.0");
    EXPECT_EQ(TenthsText(-1, 840), "0.0"); // rounds to zero: no minus sign
    EXPECT_EQ(TenthsText(-105, 10), "-10.5");
    EXPECT_EQ(TenthsText(125, 10), "12.5");
    EXPECT_EQ(TenthsText(25, 200), "0.1"); // 0.125 rounds to 0.1
    EXPECT_EQ(TenthsText(15, 200), "0.1"); // 0.075: half away from zero
    EXPECT_EQ(TenthsText(-15, 200), "-0.1");
    EXPECT_EQ(TenthsText(INT64_C(840) * INT32_MAX * 50, 840), "107374182350.0");
    EXPECT_EQ(ClockText(0), "0:00");
    EXPECT_EQ(ClockText(425), "7:05");
    EXPECT_EQ(ClockText(840), "14:00");
    EXPECT_EQ(ClockText(37 * 60 + 29), "37:29");
    EXPECT_EQ(ClockText(-61), "-1:01");
}

TEST(Statistics, EarliestExtremesMeanDoseAndTimeAtOrAboveTheThreshold) {
    int32_t samples[SampleCount] = {};
    samples[10] = 900; // 45000 lux, twice: the earliest counts
    samples[20] = 900;
    samples[30] = -3; // -150 lux
    samples[40] = -3;
    for (int i = 100; i < 110; ++i)
        samples[i] = 10; // 500 lux: at the threshold counts
    const Stamp start = {2015, 6, 2, 2, 23, 30};
    const ChannelTexts t = TextsOf(samples, start, true, 500);
    EXPECT_EQ(t.highest, "45000");
    EXPECT_EQ(t.highestTime, "23:40");
    EXPECT_EQ(t.lowest, "-150");
    EXPECT_EQ(t.lowestTime, "24:00");
    // Σlux = 90000 - 300 + 5000 = 94700
    EXPECT_EQ(t.mean, "112.7");
    EXPECT_EQ(t.dose, "1578.3");
    EXPECT_EQ(t.aboveThreshold, "0:12");
    EXPECT_EQ(TextsOf(samples, start, false, 0).aboveThreshold, "-");
    EXPECT_EQ(TextsOf(samples, start, true, 0).aboveThreshold,
              "13:58"); // all but the two negatives

    int32_t extremes[SampleCount];
    for (int32_t& s : extremes)
        s = INT32_MIN;
    const ChannelFigures f = FiguresOf(extremes);
    EXPECT_EQ(f.highestIndex, 0);
    EXPECT_EQ(f.lowestLux, int64_t{INT32_MIN} * 50);
    EXPECT_EQ(TextsOf(extremes, {0, 0, 0, 0, -1, 0}, true, 1).highestTime, "-1:00");
}

TEST(Statistics, ThresholdIsOneToEightDigits) {
    int64_t lux = -1;
    EXPECT_TRUE(ParseThreshold("500", lux));
    EXPECT_EQ(lux, 500);
    EXPECT_TRUE(ParseThreshold("99999999", lux));
    EXPECT_EQ(lux, 99999999);
    for (const char* bad : {"", "123456789", "-1", "5 0", "1e3"})
        EXPECT_FALSE(ParseThreshold(bad, lux)) << bad;
}

// A stored threshold: empty is none, 1 to 8 digits a threshold; anything
// else is not trusted.
TEST(Statistics, AStoredThresholdIsEmptyOrDigitsOrIgnored) {
    Threshold t = {true, 7};
    EXPECT_TRUE(ThresholdOfText("", t));
    EXPECT_FALSE(t.given);
    EXPECT_TRUE(ThresholdOfText("0750", t));
    EXPECT_TRUE(t.given);
    EXPECT_EQ(t.lux, 750);
    for (const char* bad :
         {" 500", "500 ", "123456789", "-5", "５００", "0x10", "5.5", "\xef\xbc\x95"}) {
        t = {true, 7};
        EXPECT_FALSE(ThresholdOfText(bad, t)) << bad;
        EXPECT_EQ(t.lux, 7) << bad; // left as it was
    }
}

TEST(Statistics, FractionsRoundedOnceHalvesAwayFromZero) {
    const struct {
        __int128 numerator, denominator;
        int decimals;
        const char* text;
    } cases[] = {
        {1, 20, 1, "0.1"},
        {-1, 20, 1, "-0.1"},
        {1, 21, 1, "0.0"},
        {-1, 21, 1, "0.0"},
        {5, 2, 0, "3"},
        {-5, 2, 0, "-3"},
        {7, -2, 0, "-4"},
        {0, 3, 1, "0.0"},
        {2, 3, 2, "0.67"},
        {1000, 1, 1, "1000.0"},
        {__int128{INT64_MAX} * 36500, 60, 0, "5610884655753321949258"}, // beyond 64 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(FractionText(c.numerator, c.denominator, c.decimals), c.text) << c.text;
}

} // namespace
