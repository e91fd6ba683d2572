// Sample times, lux, stepping bounds and maxima.
#include <gtest/gtest.h>

#include <climits>

#include "core/sample_view.h"
#include "core/statistics.h"

namespace {

TEST(SampleTime, CountsMinutesFromTheStartWithoutWrappingTheDay) {
    const struct {
        Stamp start;
        int32_t n;
        int64_t hour, minute;
    } cases[] = {
        {{2015, 6, 2, 2, 5, 0}, 1, 5, 0},
        {{2015, 6, 2, 2, 5, 0}, 840, 18, 59},
        {{2015, 6, 2, 2, 23, 30}, 840, 37, 29},
        {{2015, 6, 2, 2, 0, 0}, 61, 1, 0},
        {{0, 0, 0, 0, -1, 0}, 1, -1, 0},
        {{0, 0, 0, 0, 0, -5}, 1, 0, -5}, // truncation: the remainder keeps the sign
        {{0, 0, 0, 0, 0, -65}, 1, -1, -5},
        {{0, 0, 0, 0, INT32_MAX, INT32_MAX},
         840,
         (int64_t{INT32_MAX} * 61 + 839) / 60,
         (int64_t{INT32_MAX} * 61 + 839) % 60},
    };
    for (const auto& c : cases) {
        const ClockTime t = SampleTime(c.start, c.n);
        EXPECT_EQ(t.hour, c.hour) << c.start.Hour << ":" << c.start.Minute << " n " << c.n;
        EXPECT_EQ(t.minute, c.minute) << c.start.Hour << ":" << c.start.Minute << " n " << c.n;
    }
}

TEST(LuxOf, FiftyLuxPerCountAndNoOverflow) {
    EXPECT_EQ(LuxOf(123), 6150);
    EXPECT_EQ(LuxOf(0), 0);
    EXPECT_EQ(LuxOf(-2), -100);
    EXPECT_EQ(LuxOf(INT32_MAX), int64_t{INT32_MAX} * 50);
    EXPECT_EQ(LuxOf(INT32_MIN), int64_t{INT32_MIN} * 50);
}

TEST(StepPosition, RefusesAWholeStepThatWouldLeaveTheDay) {
    const struct {
        int32_t from, step, to;
    } cases[] = {
        {1, -1, 1},      {1, -10, 1},     {1, -100, 1},    {1, 1, 2},        {2, -1, 1},
        {11, -10, 1},    {10, -10, 10},   {101, -100, 1},  {100, -100, 100}, {95, -100, 95},
        {839, 1, 840},   {840, 1, 840},   {830, 10, 840},  {831, 10, 831},   {740, 100, 840},
        {741, 100, 741}, {500, 100, 600}, {500, -10, 490},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepPosition(c.from, c.step), c.to) << c.from << " " << c.step;
}

TEST(MaximumIndex, SignedComparisonAndTheEarliestWinsATie) {
    int32_t s[SampleCount] = {};
    EXPECT_EQ(MaximumIndex(s), 0); // all equal
    s[10] = 7;
    s[20] = 7;
    EXPECT_EQ(MaximumIndex(s), 10);
    s[839] = 8;
    EXPECT_EQ(MaximumIndex(s), 839);
    for (int32_t& v : s)
        v = -100;
    s[300] = -3;
    s[301] = INT32_MIN;
    EXPECT_EQ(MaximumIndex(s), 300);
}

TEST(WeekdayText, NamesForTheWeekAndTheNumberOtherwise) {
    char out[WeekdayTextSize];
    const char* names[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int w = 0; w < 7; ++w) {
        WeekdayText(w, out);
        EXPECT_STREQ(out, names[w]);
    }
    WeekdayText(7, out);
    EXPECT_STREQ(out, "7");
    WeekdayText(-1, out);
    EXPECT_STREQ(out, "-1");
    WeekdayText(INT32_MIN, out);
    EXPECT_STREQ(out, "-2147483648");
}

} // namespace
