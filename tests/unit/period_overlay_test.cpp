#include <gtest/gtest.h>

#include <vector>

#include "core/calendar.h"
#include "list/period_overlay.h"

namespace {

TEST(NearestRank, TheValueAtRankCeilingOfPTimesNOver100) {
    const struct {
        std::vector<int64_t> values;
        int percent;
        int64_t expected;
    } cases[] = {
        {{7}, 10, 7},
        {{7}, 50, 7},
        {{7}, 90, 7},
        {{9, 3}, 10, 3},
        {{9, 3}, 50, 3},
        {{9, 3}, 90, 9},                        // ranks 1, 1, 2
        {{70, 10, 60, 20, 50, 30, 40}, 10, 10}, // rank ⌈0.7⌉ = 1
        {{70, 10, 60, 20, 50, 30, 40}, 50, 40}, // rank ⌈3.5⌉ = 4
        {{70, 10, 60, 20, 50, 30, 40}, 90, 70}, // rank ⌈6.3⌉ = 7
        {{5, 5, 5, 1, 9}, 50, 5},
        {{-100, -50, 0}, 10, -100},
        {{-100, -50, 0}, 50, -50},
    };
    for (auto c : cases)
        EXPECT_EQ(NearestRank(c.values, c.percent), c.expected) << c.percent;
}

TEST(OverlayColours, SixDaysInTheirOrderAndATintHalfWithWhite) {
    const Rgb first = DayColour(0), sixth = DayColour(5);
    EXPECT_TRUE((first == Rgb{0, 114, 178}));
    EXPECT_TRUE((DayColour(1) == Rgb{213, 94, 0}));
    EXPECT_TRUE((sixth == Rgb{86, 180, 233}));
    EXPECT_TRUE((Tint({0, 0, 255}) == Rgb{128, 128, 255}));
    EXPECT_TRUE((Tint({255, 1, 0}) == Rgb{255, 128, 128}));
}

struct Days {
    std::vector<std::vector<int32_t>> samples;
    std::vector<PeriodRecording> chosen;
    // One recording a day from 1 July 2026 at `hour`, CH1 = base + day.
    Days(int count, int hour, int32_t base) {
        for (int d = 0; d < count; ++d)
            samples.emplace_back(SampleCount, base + d);
        for (int d = 0; d < count; ++d)
            chosen.push_back(
                {{2026, 7, 0, 1 + d, hour, 0},
                 {samples[static_cast<size_t>(d)].data(), samples[static_cast<size_t>(d)].data()}});
    }
};

TEST(Overlay, DaysSplitAtMidnightAndEachMinutesPercentilesOverTheDaysThatHoldIt) {
    // Seven days from 5:00 and one more from 20:00 into the next day: that one
    // gives two days, and the span is the whole day.
    Days week(7, 5, 10);
    std::vector<int32_t> late(SampleCount, 100);
    week.chosen.push_back({{2026, 7, 0, 9, 20, 0}, {late.data(), late.data()}});
    const PeriodPicture p = MakePeriodPicture(week.chosen, 0);
    const OverlayData o = MakeOverlay(p.grid);
    EXPECT_EQ(o.days, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 8, 9})); // 8 July holds nothing
    EXPECT_TRUE(o.many());
    // 12:00 is held by the seven days alone: counts 10..16, lux × 50.
    EXPECT_EQ(o.held[12 * 60], 7);
    EXPECT_EQ(o.p10[12 * 60], 500);
    EXPECT_EQ(o.p50[12 * 60], 650);
    EXPECT_EQ(o.p90[12 * 60], 800);
    // 21:00 only by the late day, 1:00 only by its second half.
    EXPECT_EQ(o.held[21 * 60], 1);
    EXPECT_EQ(o.p50[21 * 60], 5000);
    EXPECT_EQ(o.held[60], 1);
    EXPECT_EQ(o.held[19 * 60 + 30], 0);
    // (In a variable: the macro's own text of it would need code page 932.)
    const std::u16string noon = u"12:00\u3000中央値 650 lx\u300010–90 %: 500–800 lx\u3000(7 日)";
    EXPECT_EQ(OverlayReadout(p, o, 12 * 60), noon);
    EXPECT_EQ(OverlayReadout(p, o, 19 * 60 + 30), u"19:30");
}

TEST(Overlay, UpToSixDaysAreReadOneByOneInDateOrder) {
    Days two(2, 5, 20);
    const PeriodPicture p = MakePeriodPicture(two.chosen, 0);
    const OverlayData o = MakeOverlay(p.grid);
    EXPECT_FALSE(o.many());
    EXPECT_EQ(OverlayReadout(p, o, 7 * 60 + 34), u"12:34\u30007/1 1000 lx\u30007/2 1050 lx");
    EXPECT_EQ(DayLegend(DayNumber(2026, 7, 14)), u"7/14(火)");
}

TEST(Overlay, TheAxisOfAFullScaleAndTheDayNearestAPoint) {
    const PlotBox plot = {60, 34, 820, 501};
    EXPECT_EQ(OverlayY(0, 3, plot), 534);
    EXPECT_EQ(OverlayY(100000, 3, plot), 34);
    EXPECT_EQ(OverlayY(250000, 3, plot), 34); // held at the top
    EXPECT_EQ(OverlayY(50000, 3, plot), 284);
    EXPECT_EQ(OverlayY(6250, 0, plot), 284);
    EXPECT_GT(OverlayY(-500, 3, plot), 534);

    // 20000 and 40000 lx all day.
    std::vector<int32_t> dim(SampleCount, 400), bright(SampleCount, 800);
    const PeriodPicture p =
        MakePeriodPicture({{{2026, 7, 0, 1, 5, 0}, {dim.data(), dim.data()}},
                           {{2026, 7, 0, 2, 5, 0}, {bright.data(), bright.data()}}},
                          0);
    const OverlayData o = MakeOverlay(p.grid);
    const OverlayLayout l = LayOutOverlay({0, 0, 900, 500, 96});
    const int x = CellPixels(300, 840, l.plot.left, l.plot.width).from;
    const int y0 = OverlayY(20000, 3, l.plot), y1 = OverlayY(40000, 3, l.plot);
    EXPECT_EQ(NearestDay(p, o, l, 3, x, y0 + 3, 5), 0);
    EXPECT_EQ(NearestDay(p, o, l, 3, x + 2, y1 - 2, 5), 1);
    EXPECT_EQ(NearestDay(p, o, l, 3, x, (y0 + y1) / 2, 5), -1); // beyond reach of both
}

} // namespace
