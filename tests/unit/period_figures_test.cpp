#include <gtest/gtest.h>

#include <vector>

#include "core/calendar.h"
#include "list/period_figures.h"

namespace {

// A day from 8:00 whose CH1 holds `ch1` minute by minute (0 after), CH2 0.
struct Day {
    std::vector<int32_t> ch1, ch2;
    PeriodRecording recording;
    Day(int year, int month, int day, int hour, std::vector<int32_t> counts)
        : ch1(SampleCount, 0), ch2(SampleCount, 0) {
        for (size_t i = 0; i < counts.size(); ++i)
            ch1[i] = counts[i];
        recording = {{year, month, 0, day, hour, 0}, {ch1.data(), ch2.data()}};
    }
};

std::vector<PeriodFigureRow> Figures(const std::vector<const Day*>& days, OccupiedHours hours,
                                     Threshold threshold = {true, 500}, int64_t budget = 0) {
    std::vector<PeriodRecording> chosen;
    for (const Day* d : days)
        chosen.push_back(d->recording);
    const PeriodGrid grids[2] = {MakePeriodGrid(chosen, 0), MakePeriodGrid(chosen, 1)};
    return PeriodFigureRows(grids, hours, true, threshold, budget);
}

std::u16string Cell(const std::vector<PeriodFigureRow>& rows, const char* field, int ch = 0) {
    for (const PeriodFigureRow& row : rows)
        if (std::string(row.field) == field) return row.cell[ch];
    return u"(none)";
}

TEST(OccupiedHours, HMmFromMidnightToMidnightAndFromBeforeTo) {
    const struct {
        const char16_t* text;
        bool read;
        int minutes;
    } clocks[] = {{u"8:00", true, 480},   {u"08:30", true, 510}, {u"0:00", true, 0},
                  {u"24:00", true, 1440}, {u"24:01", false, 0},  {u"8:60", false, 0},
                  {u"8:5", false, 0},     {u"8", false, 0},      {u"-1:00", false, 0},
                  {u"１:00", false, 0},   {u"", false, 0},       {u"123:00", false, 0}};
    for (const auto& c : clocks) {
        int m = -1;
        EXPECT_EQ(ParseClock(c.text, m), c.read) << c.minutes;
        if (c.read) {
            EXPECT_EQ(m, c.minutes);
        }
    }
    OccupiedHours h;
    EXPECT_EQ(ParseOccupiedHours(u"9:00", u"17:30", h), nullptr);
    EXPECT_EQ(h.from, 540);
    EXPECT_EQ(h.to, 1050);
    EXPECT_NE(ParseOccupiedHours(u"17:00", u"17:00", h), nullptr);
    EXPECT_NE(ParseOccupiedHours(u"x", u"17:00", h), nullptr);
    EXPECT_EQ(h.from, 540); // unchanged by a refusal
    EXPECT_EQ(OccupiedHoursText({480, 1080}), u"8:00-18:00");
    EXPECT_TRUE(ParseOccupiedHoursText(u"0:00-24:00", h));
    EXPECT_EQ(h.to, 1440);
    EXPECT_FALSE(ParseOccupiedHoursText(u"18:00-8:00", h));
    EXPECT_FALSE(ParseOccupiedHoursText(u"8:00", h));
}

// 50, 100, 300, 3000 and 3050 lx in the five occupied minutes 8:00-8:05;
// 8:05 (1000 lx) is outside them.
TEST(PeriodFigures, TheBandEdgesAndTheOccupiedHoursEdges) {
    const Day d(2026, 7, 14, 8, {1, 2, 6, 60, 61, 20});
    const auto rows = Figures({&d}, {480, 485});
    EXPECT_EQ(Cell(rows, "udi_fell_short_percent"), u"20.0 %");
    EXPECT_EQ(Cell(rows, "udi_supplementary_percent"), u"20.0 %");
    EXPECT_EQ(Cell(rows, "udi_autonomous_percent"), u"40.0 %");
    EXPECT_EQ(Cell(rows, "udi_exceeded_percent"), u"20.0 %");
    EXPECT_EQ(Cell(rows, "da_percent"), u"40.0 %");       // 2 of 5 at 500 lx or more
    EXPECT_EQ(Cell(rows, "cda_percent"), u"58.0 %");      // (0.1 + 0.2 + 0.6 + 1 + 1) ÷ 5
    EXPECT_EQ(Cell(rows, "above_1000_minutes"), u"0:02"); // 3000, 3050; not 8:05's 1000
    EXPECT_EQ(Cell(rows, "coverage_percent"), u"100.0 %");
    // Every recorded minute counts for 積算: (1+2+6+60+61+20) × 50 ÷ 60.
    EXPECT_EQ(Cell(rows, "integrated_lxh"), u"125.0 lx・h");
    // The whole day: 840 recorded minutes, 834 of them 0 lx.
    const auto day = Figures({&d}, {0, 1440});
    EXPECT_EQ(Cell(day, "coverage_percent"), u"58.3 %"); // 840 of 1440
    EXPECT_EQ(Cell(day, "udi_fell_short_percent"), u"99.4 %");
    EXPECT_EQ(Cell(day, "udi_supplementary_percent", 1), u"0.0 %");
}

TEST(PeriodFigures, MissingDaysThresholdAndBudgetThatDoNotApply) {
    const Day a(2026, 7, 14, 5, {}), b(2026, 7, 16, 5, {});
    auto rows = Figures({&a, &b}, {480, 1080}, {}, 0);
    EXPECT_EQ(Cell(rows, "days"), u"3 (記録 2)");
    EXPECT_EQ(rows[1].value[0], "2");
    EXPECT_FALSE(rows[1].inTable);
    EXPECT_EQ(Cell(rows, "coverage_percent"), u"66.7 %");
    EXPECT_EQ(Cell(rows, "da_percent"), u"—");
    EXPECT_EQ(Cell(rows, "cda_percent"), u"—");
    EXPECT_EQ(Cell(rows, "budget_percent"), u"—");
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"—"); // no budget, and no light either
    // A threshold of 0: every minute is at or above it, and cDA has no share.
    rows = Figures({&a}, {480, 1080}, {true, 0}, 15000);
    EXPECT_EQ(Cell(rows, "da_percent"), u"100.0 %");
    EXPECT_EQ(Cell(rows, "cda_percent"), u"—");
    EXPECT_EQ(Cell(rows, "budget_percent"), u"0.0 %");
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"—");
    // No occupied minute recorded: shares of nothing.
    rows = Figures({&a}, {20 * 60, 21 * 60});
    EXPECT_EQ(Cell(rows, "udi_autonomous_percent"), u"—");
    EXPECT_EQ(Cell(rows, "coverage_percent"), u"0.0 %");
    // Unreadable hours: names stay, cells go.
    const PeriodGrid grids[2] = {MakePeriodGrid({a.recording}, 0),
                                 MakePeriodGrid({a.recording}, 1)};
    for (const PeriodFigureRow& row : PeriodFigureRows(grids, {}, false, {true, 500}, 100)) {
        EXPECT_NE(row.name, nullptr);
        EXPECT_EQ(row.cell[0], u"");
        EXPECT_EQ(row.value[1], "");
    }
}

// 60 lx·h a day for 2 recorded days: a budget of 1000 lx·h lasts day
// ⌈1000 × 2 ÷ 120⌉ = 17 from the first, across a year's end and a leap day.
TEST(PeriodFigures, TheDayTheBudgetRunsOut) {
    const std::vector<int32_t> light(72, 1); // 72 minutes of 50 lx = 60 lx·h
    const Day a(2026, 12, 20, 8, light), b(2026, 12, 21, 8, light);
    auto rows = Figures({&a, &b}, {480, 1080}, {true, 500}, 1000);
    EXPECT_EQ(Cell(rows, "integrated_lxh"), u"120.0 lx・h");
    EXPECT_EQ(Cell(rows, "budget_percent"), u"12.0 %");
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"2027/1/5");
    const Day c(2028, 2, 20, 8, light), d(2028, 2, 21, 8, light);
    rows = Figures({&c, &d}, {480, 1080}, {true, 500}, 1000);
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"2028/3/7"); // 29 February counted
    // Exactly at a whole day: 1020 ÷ 60 = 17.
    rows = Figures({&a, &b}, {480, 1080}, {true, 500}, 1020);
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"2027/1/5");
    rows = Figures({&a, &b}, {480, 1080}, {true, 500}, 1021);
    EXPECT_EQ(Cell(rows, "budget_used_up"), u"2027/1/6");
}

TEST(PeriodFigures, RoundedOnceAtTheHalfAndSumsPast64Bits) {
    // 1 of 16 occupied minutes at 100 lx: 6.25 % rounds to 6.3.
    std::vector<int32_t> counts(16, 0);
    counts[0] = 2;
    const Day d(2026, 7, 14, 8, counts);
    const auto rows = Figures({&d}, {480, 496});
    EXPECT_EQ(Cell(rows, "udi_supplementary_percent"), u"6.3 %");
    EXPECT_EQ(Cell(rows, "udi_fell_short_percent"), u"93.8 %"); // 93.75
    // 3000 days of the largest count: Σlux × 100 passes 64 bits.
    std::vector<int32_t> top(SampleCount, INT32_MAX), zero(SampleCount, 0);
    std::vector<PeriodRecording> chosen;
    const int64_t first = DayNumber(2000, 1, 1);
    for (int i = 0; i < 3000; ++i) {
        int32_t y, m, day;
        DateOfDay(first + i, y, m, day);
        chosen.push_back({{y, m, 0, day, 5, 0}, {top.data(), zero.data()}});
    }
    const PeriodGrid grids[2] = {MakePeriodGrid(chosen, 0), MakePeriodGrid(chosen, 1)};
    const auto big = PeriodFigureRows(grids, {0, 1440}, true, {true, 500}, 1000000000);
    EXPECT_EQ(Cell(big, "integrated_lxh"), u"4509715658700000.0 lx・h");
    EXPECT_EQ(Cell(big, "budget_percent"), u"450971565.9 %");
    EXPECT_EQ(big[12].value[0], "2000/1/1"); // the first day already uses it up
}

TEST(PeriodFigures, TheToolsTableHasBareNumbersAndEmptyFieldsForTheDash) {
    const Day d(2026, 7, 14, 8, {1, 2, 6, 60, 61, 20});
    const std::string tsv = PeriodFiguresTsv(Figures({&d}, {480, 485}, {}, 0));
    EXPECT_EQ(tsv.substr(0, tsv.find('\n', tsv.find('\n', tsv.find('\n') + 1) + 1) + 1),
              "figure\tch1\tch2\ndays\t1\t1\ndays_recorded\t1\t1\n");
    EXPECT_NE(tsv.find("\nudi_autonomous_percent\t40.0\t0.0\n"), std::string::npos);
    EXPECT_NE(tsv.find("\nda_percent\t\t\n"), std::string::npos);
    EXPECT_NE(tsv.find("\nabove_1000_minutes\t2\t0\n"), std::string::npos);
    EXPECT_NE(tsv.find("\nintegrated_lxh\t125.0\t0.0\n"), std::string::npos);
    EXPECT_NE(tsv.find("\nbudget_used_up\t\t\n"), std::string::npos);
}

} // namespace
