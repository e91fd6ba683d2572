#include <gtest/gtest.h>

#include <cmath>

#include "core/calendar.h"
#include "list/period_map.h"

namespace {

TEST(LuxColour, StopsAtEachHalfDecadeAndMixedBetweenThem) {
    const struct {
        int64_t lux;
        Rgb colour;
    } cases[] = {
        {-50, {68, 1, 84}},       {0, {68, 1, 84}},
        {10, {68, 1, 84}},        {100, {59, 82, 139}},
        {1000, {33, 145, 140}},   {10000, {94, 201, 98}},
        {100000, {253, 231, 37}}, {250000, {253, 231, 37}},
        {50, {66, 60, 129}},     // p = 1.398 between stops 1 and 2
        {99950, {253, 231, 37}}, // p = 7.9998: rounds to the last stop
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lux);
        const Rgb got = LuxColour(c.lux);
        EXPECT_EQ(got.r, c.colour.r);
        EXPECT_EQ(got.g, c.colour.g);
        EXPECT_EQ(got.b, c.colour.b);
    }
}

TEST(HourSpan, FiveToNineteenWidenedToTheSamplesAndWholeDaysPastMidnight) {
    const struct {
        int earliest, latest;
        bool pastMidnight;
        int first, end;
    } cases[] = {
        {300, 1139, false, 5, 19}, // 5:00 to 18:59
        {300, 1140, false, 5, 20}, // a sample at 19:00 ends it at 20:00
        {240, 600, false, 4, 19},  {359, 400, false, 5, 19},
        {0, 839, false, 0, 19},    {1200, 200, true, 0, 24},
    };
    for (const auto& c : cases) {
        const HourSpan s = SpanOfMinutes(c.earliest, c.latest, c.pastMidnight);
        EXPECT_EQ(s.first, c.first) << c.earliest;
        EXPECT_EQ(s.end, c.end) << c.latest;
    }
}

Recording Day(int year, int month, int day, int hour, int32_t base) {
    Recording r = {};
    r.StartStamp = {year, month, 0, day, hour, 0};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = base + i;
        r.Ch2Samples[i] = -base;
    }
    return r;
}

PeriodRecording Of(const Recording& r) {
    return {r.StartStamp, {r.Ch1Samples, r.Ch2Samples}};
}

TEST(PeriodGrid, DaysWithoutARecordingStayEmptyAndTheFirstChosenKeepsAMinute) {
    const Recording a = Day(2026, 2, 27, 5, 1000), b = Day(2026, 3, 2, 5, 2000),
                    overlap = Day(2026, 2, 27, 6, 5000);
    const PeriodGrid g = MakePeriodGrid({Of(a), Of(b), Of(overlap)}, 0);
    EXPECT_EQ(g.firstDay, DayNumber(2026, 2, 27));
    EXPECT_EQ(g.days, 4); // 27, 28 February, 1 and 2 March
    EXPECT_EQ(g.span.first, 5);
    EXPECT_EQ(g.span.end, 20); // overlap's last sample is at 19:59
    EXPECT_EQ(g.counts[g.index(0, 0)], 1000);
    EXPECT_EQ(g.counts[g.index(0, 60)], 1060); // a's, not overlap's
    EXPECT_EQ(g.source[g.index(0, 850)], 2);   // 19:10, after a's last minute
    EXPECT_EQ(g.counts[g.index(0, 899)], 5000 + 839);
    for (int m = 0; m < g.span.minutes(); ++m) {
        EXPECT_FALSE(g.held(1, m));
        EXPECT_FALSE(g.held(2, m));
    }
    EXPECT_EQ(MakePeriodGrid({Of(a)}, 1).counts[0], -1000);
}

TEST(PeriodGrid, ARecordingPastMidnightGoesOnOnTheNextRowAndBadStampsAreLeftOut) {
    Recording late = Day(2024, 2, 28, 20, 0);
    Recording impossible = Day(2024, 2, 30, 5, 7);
    const PeriodGrid g = MakePeriodGrid({Of(impossible), Of(late)}, 0);
    EXPECT_EQ(g.firstDay, DayNumber(2024, 2, 28));
    EXPECT_EQ(g.days, 2); // into the leap day
    EXPECT_EQ(g.span.first, 0);
    EXPECT_EQ(g.span.end, 24);
    EXPECT_EQ(g.counts[g.index(0, 20 * 60)], 0);
    EXPECT_EQ(g.counts[g.index(1, 0)], 240); // 0:00 on 29 February
    EXPECT_EQ(g.source[g.index(1, 0)], 1);
    EXPECT_FALSE(g.held(1, 600));
    EXPECT_EQ(MakePeriodGrid({Of(impossible)}, 0).days, 0);
    EXPECT_EQ(PeriodDayCount({Of(late)}), 2);
    EXPECT_EQ(PeriodDayCount({Of(impossible)}), 0);
}

// Twenty years of days, and not one more: a period longer would take
// gigabytes.
TEST(PeriodGrid, APeriodLongerThanTwentyYearsGetsNoGrid) {
    const Recording first = Day(2000, 1, 1, 5, 0);
    int32_t y, m, d;
    DateOfDay(DayNumber(2000, 1, 1) + MaxPeriodDays - 1, y, m, d);
    const Recording last = Day(y, m, d, 5, 0);
    EXPECT_EQ(PeriodDayCount({Of(first), Of(last)}), MaxPeriodDays);
    EXPECT_EQ(MakePeriodGrid({Of(first), Of(last)}, 0).days, MaxPeriodDays);
    DateOfDay(DayNumber(2000, 1, 1) + MaxPeriodDays, y, m, d);
    const Recording beyond = Day(y, m, d, 5, 0);
    EXPECT_EQ(PeriodDayCount({Of(first), Of(beyond)}), MaxPeriodDays + 1);
    EXPECT_EQ(MakePeriodGrid({Of(first), Of(beyond)}, 0).days, 0);
}

// Every pixel shows a cell whose pixels hold it, in plots that are not whole
// multiples of the cells, wider and narrower.
TEST(PeriodCells, APixelReadsBackTheCellDrawnThere) {
    const struct {
        int cells, origin, length;
    } cases[] = {{840, 60, 1000}, {1440, 17, 701}, {3650, 30, 512}, {7, 0, 100}, {1, 5, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells);
        EXPECT_EQ(CellAt(c.origin - 1, c.cells, c.origin, c.length), -1);
        EXPECT_EQ(CellAt(c.origin + c.length, c.cells, c.origin, c.length), -1);
        int covered = c.origin;
        for (int cell = 0; cell < c.cells; ++cell) {
            const CellSpan s = CellPixels(cell, c.cells, c.origin, c.length);
            EXPECT_EQ(s.from, covered);
            covered = s.to;
            for (int x = s.from; x < s.to; ++x)
                ASSERT_EQ(CellAt(x, c.cells, c.origin, c.length), cell) << x;
        }
        EXPECT_EQ(covered, c.origin + c.length);
    }
}

TEST(DateLabels, EveryDayThenMondaysThenMonthsAndAlwaysBothEnds) {
    const int64_t wednesday = DayNumber(2026, 7, 1);
    // 10 rows of 40 px: every day.
    EXPECT_EQ(LabelledDays(wednesday, 10, {0, 0, 100, 400}, 14),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // 60 rows of 5 px: the Mondays (6, 13, ...) and both ends.
    EXPECT_EQ(LabelledDays(wednesday, 60, {0, 0, 100, 300}, 14),
              (std::vector<int>{0, 5, 12, 19, 26, 33, 40, 47, 54, 59}));
    // A year in 365 px: the 1st of each month; 1 July is the first day itself.
    const std::vector<int> year = LabelledDays(wednesday, 365, {0, 10, 100, 365}, 14);
    EXPECT_EQ(year.front(), 0);
    EXPECT_EQ(year[1], 31); // 1 August
    EXPECT_EQ(year.back(), 364);
    // Too little room for even the months: the ends alone, or the first.
    EXPECT_EQ(LabelledDays(wednesday, 365, {0, 0, 100, 100}, 14), (std::vector<int>{0, 364}));
    EXPECT_EQ(LabelledDays(wednesday, 2, {0, 0, 100, 20}, 14), (std::vector<int>{0}));
    EXPECT_EQ(LabelledDays(wednesday, 1, {0, 0, 100, 20}, 14), (std::vector<int>{0}));
}

TEST(DateLabels, TheYearAtTheFirstLabelAndOnEachFirstOfJanuary) {
    EXPECT_EQ(DateLabel(DayNumber(2026, 7, 14), true), u"2026/7/14");
    EXPECT_EQ(DateLabel(DayNumber(2026, 7, 15), false), u"7/15");
    EXPECT_EQ(DateLabel(DayNumber(2027, 1, 1), false), u"2027/1/1");
    EXPECT_EQ(DateLabel(DayNumber(2027, 12, 31), false), u"12/31");
}

TEST(DailyBars, TheLongestDayOrTheBudgetsDailyShareFillsTheColumn) {
    const struct {
        int64_t day, longest, budget;
        int width, length;
    } cases[] = {
        {600, 600, 0, 80, 80},
        {300, 600, 0, 80, 40},
        {0, 600, 0, 80, 0},
        {-5, 600, 0, 80, 0},
        {1, 600, 0, 80, 0},
        {4, 600, 0, 80, 1},           // 0.53 rounds up
        {600, 600, 365 * 20, 80, 40}, // the share is 1200 lx·min a day
        {600, 600, 365 * 5, 80, 80},  // a smaller share: the day fills it
        {INT64_MAX / 400, INT64_MAX / 400, 0, 100, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarLength(c.day, c.longest, c.budget, c.width), c.length)
            << c.day << " " << c.longest << " " << c.budget;
}

TEST(PeriodLayout, TheMapTakesWhatTheDatesBarsAndLegendLeaveAtAnyDpi) {
    for (const ChartFrame f : {ChartFrame{0, 0, 900, 500, 96}, ChartFrame{10, 20, 1901, 1011, 96},
                               ChartFrame{0, 0, 1350, 750, 144}}) {
        SCOPED_TRACE(f.width);
        const PeriodLayout l = LayOutPeriod(f);
        const double s = f.dpi / 96.0;
        EXPECT_EQ(l.plot.left, f.left + static_cast<int>(84 * s));
        EXPECT_LT(l.datesRight, l.plot.left);
        EXPECT_LT(l.plot.left + l.plot.width, l.bars.left);
        EXPECT_LT(l.bars.left + l.bars.width, l.scale.left);
        EXPECT_LE(l.legendText + static_cast<int>(140 * s), f.left + f.width);
        EXPECT_EQ(l.bars.top, l.plot.top);
        EXPECT_EQ(l.bars.height, l.plot.height);
        EXPECT_LE(l.hoursTop + l.fontHeight, f.top + f.height);
        EXPECT_LE(l.swatch.top + l.swatch.height, l.plot.top + l.plot.height);
    }
    // A wider frame widens the map alone.
    const PeriodLayout natural = LayOutPeriod({0, 0, 900, 500, 96});
    const PeriodLayout wider = LayOutPeriod({0, 0, 1000, 600, 96});
    EXPECT_EQ(wider.plot.width, natural.plot.width + 100);
    EXPECT_EQ(wider.plot.height, natural.plot.height + 100);
    EXPECT_EQ(wider.bars.width, natural.bars.width);
}

TEST(PeriodLegend, TheScaleAndTheBudgetsDailyShare) {
    EXPECT_EQ(ScaleHeight(0, 300), 0);
    EXPECT_EQ(ScaleHeight(10, 300), 0);
    EXPECT_EQ(ScaleHeight(1000, 300), 150);
    EXPECT_EQ(ScaleHeight(100000, 300), 300);
    EXPECT_EQ(ScaleHeight(500000, 300), 300);
    EXPECT_EQ(DailyShareText(15000), u"1日あたり 41.1 lx・h");
    EXPECT_EQ(DailyShareText(365), u"1日あたり 1.0 lx・h");
    // 36.5 lx·h a day is 0.05 lx·h: the half rounds away from zero.
    EXPECT_EQ(DailyShareText(18), u"1日あたり 0.0 lx・h");
    EXPECT_EQ(DailyShareText(20), u"1日あたり 0.1 lx・h");
    EXPECT_EQ(BudgetLineLength(600, 365 * 20, 80), 80);
    EXPECT_EQ(BudgetLineLength(2400, 365 * 20, 80), 40);
    EXPECT_EQ(BudgetLineLength(2400, 0, 80), 0);
}

TEST(PeriodReadout, AMinuteAnEmptyMinuteADaysBarAndNothing) {
    const Recording a = Day(2026, 7, 14, 5, 100), b = Day(2026, 7, 16, 5, 0);
    const PeriodPicture p = MakePeriodPicture({Of(a), Of(b)}, 0);
    const PeriodLayout l = LayOutPeriod({0, 0, 900, 500, 96});
    auto at = [&](int day, int minute) { return PeriodHit{PeriodSpot::Minute, day, minute}; };
    // 12:34 is minute 454 of 14 July's recording: (100 + 454) × 50 lx.
    EXPECT_EQ(PeriodReadout(p, 0, at(0, 7 * 60 + 34)), u"2026/07/14(火) 12:34\u3000CH1 27700 lx");
    EXPECT_EQ(PeriodReadout(MakePeriodPicture({Of(a), Of(b)}, 1), 1, at(0, 0)),
              u"2026/07/14(火) 5:00\u3000CH2 -5000 lx");
    EXPECT_EQ(PeriodReadout(p, 0, at(1, 0)), u"2026/07/15(水) 5:00\u3000記録なし");
    // Σ(i for 0..839) × 50 ÷ 60 = 293650.0, and 840 × 100 × 50 ÷ 60 more.
    EXPECT_EQ(PeriodReadout(p, 0, {PeriodSpot::Bar, 0, 0}),
              u"2026/07/14(火)\u3000CH1 積算 363650.0 lx・h");
    EXPECT_EQ(PeriodReadout(p, 0, {}), u"");
    // Each cell's pixel is its lux's colour, from the table of counts too.
    auto pixel = [](const Rgb& c) { return uint32_t{c.r} << 16 | c.g << 8 | c.b; };
    EXPECT_EQ(p.pixels[static_cast<size_t>(p.grid.index(0, 7 * 60 + 34))], pixel(LuxColour(27700)));
    EXPECT_EQ(p.pixels[static_cast<size_t>(p.grid.index(1, 0))], pixel(NoRecordingColour));
    const PeriodPicture dark = MakePeriodPicture({Of(a)}, 1); // -5000 lx and down
    EXPECT_EQ(dark.pixels[0], pixel(LuxColour(0)));
    std::vector<int32_t> bright(SampleCount, 2001); // 100050 lx
    const PeriodPicture sun =
        MakePeriodPicture({{a.StartStamp, {bright.data(), bright.data()}}}, 0);
    EXPECT_EQ(sun.pixels[0], pixel(LuxColour(100000)));
    EXPECT_EQ(RecordingAt(p, at(2, 10)), 1);
    EXPECT_EQ(RecordingAt(p, at(1, 10)), -1);
    EXPECT_EQ(RecordingAt(p, {PeriodSpot::Bar, 0, 0}), 0);

    // Points: the plot's first pixel, the bars' column, and beside both.
    EXPECT_EQ(HitInPeriod(p, l, l.plot.left, l.plot.top).spot, PeriodSpot::Minute);
    const PeriodHit last =
        HitInPeriod(p, l, l.plot.left + l.plot.width - 1, l.plot.top + l.plot.height - 1);
    EXPECT_EQ(last.day, 2);
    EXPECT_EQ(last.minute, CellAt(l.plot.left + l.plot.width - 1, 840, l.plot.left, l.plot.width));
    EXPECT_EQ(HitInPeriod(p, l, l.bars.left + 1, l.plot.top).spot, PeriodSpot::Bar);
    // The empty day has no bar.
    EXPECT_EQ(HitInPeriod(p, l, l.bars.left + 1, l.plot.top + l.plot.height / 2).spot,
              PeriodSpot::Nothing);
    EXPECT_EQ(HitInPeriod(p, l, l.plot.left - 1, l.plot.top).spot, PeriodSpot::Nothing);
    EXPECT_EQ(HitInPeriod(p, l, l.plot.left, l.plot.top - 1).spot, PeriodSpot::Nothing);
}

} // namespace
