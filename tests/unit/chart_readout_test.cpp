// The sample under the mouse and the readout's text; the scale of the screen.
#include <gtest/gtest.h>

#include <climits>

#include "view/chart_readout.h"
#include "view/dpi_scale.h"

namespace {

TEST(DpiScale, MulDivRoundingAtTheCommonScales) {
    const struct {
        int dpi;
        int64_t value, scaled;
    } cases[] = {
        {96, 1, 1},    {96, 534, 534}, {96, -9, -9},     {120, 1, 1},
        {120, 2, 3},   {120, 60, 75},  {120, 534, 668},  {120, -2, -3},
        {144, 1, 2},   {144, 3, 5},    {144, 14, 21},    {144, 930, 1395},
        {144, -1, -2}, {192, 1, 2},    {192, 534, 1068}, {192, 32767, 65534},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scaled(c.value, c.dpi), c.scaled) << c.dpi << " " << c.value;
    EXPECT_EQ(Unscaled(100, 144), 67); // 66.67
    EXPECT_EQ(Unscaled(91, 144), 61);  // 60.67
    EXPECT_EQ(Unscaled(90, 144), 60);
    EXPECT_EQ(Unscaled(75, 120), 60);
    EXPECT_EQ(Unscaled(76, 120), 61); // 60.8
}

TEST(ChartReadout, TheSampleUnderAPointOfThePlot) {
    const struct {
        int x, y, dpi;
        int32_t n;
    } cases[] = {
        {61, 34, 96, 1},   {900, 534, 96, 840},    {60, 200, 96, 0},    {901, 200, 96, 0},
        {400, 33, 96, 0},  {400, 535, 96, 0},      {183, 300, 96, 123}, {-5, 100, 96, 0},
        {91, 51, 144, 1},  {1350, 801, 144, 840},  {90, 300, 144, 0},   {1351, 300, 144, 0},
        {122, 68, 192, 1}, {1800, 1068, 192, 840}, {1801, 500, 192, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SampleAtPoint(c.x, c.y, NaturalFrame(c.dpi)), c.n)
            << c.x << "," << c.y << " at " << c.dpi;
}

TEST(ChartReadout, TimeOfDayAcrossMidnightAndLuxWithTheirSigns) {
    Recording r = {};
    r.StartStamp = {2015, 6, 2, 2, 7, 0};
    r.Ch1Samples[122] = 247;
    r.Ch2Samples[122] = -2;
    EXPECT_EQ(ReadoutText(r, 123), "No.123  9:02  CH1 12350 lx  CH2 -100 lx");
    EXPECT_EQ(ReadoutText(r, 1), "No.1  7:00  CH1 0 lx  CH2 0 lx");

    r.StartStamp.Hour = 23;
    r.StartStamp.Minute = 30;
    r.Ch1Samples[839] = INT32_MAX;
    r.Ch2Samples[839] = INT32_MIN;
    EXPECT_EQ(ReadoutText(r, 31), "No.31  24:00  CH1 0 lx  CH2 0 lx");
    EXPECT_EQ(ReadoutText(r, 840), "No.840  37:29  CH1 107374182350 lx  CH2 -107374182400 lx");

    r.StartStamp.Hour = 0;
    r.StartStamp.Minute = -10; // from an edited file
    EXPECT_EQ(ReadoutText(r, 1), "No.1  -0:10  CH1 0 lx  CH2 0 lx");
}

} // namespace
