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

} // namespace
