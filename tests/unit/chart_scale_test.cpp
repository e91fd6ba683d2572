// Count-to-y mapping and trace vertices.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "view/chart_readout.h"
#include "view/chart_scale.h"

namespace {

struct Case {
    int32_t range;
    int32_t count;
    int32_t y;
};

TEST(SampleToY, ScalesFloorsAndClampsAtTheTopOnly) {
    const Case cases[] = {
        // zero is the bottom line in every range
        {0, 0, 534},
        {1, 0, 534},
        {2, 0, 534},
        {3, 0, 534},
        {4, 0, 534},
        // full scale reaches the top line
        {0, 250, 34},
        {1, 500, 34},
        {2, 1000, 34},
        {3, 2000, 34},
        {4, 4000, 34},
        // beyond full scale is held on the top line
        {0, 251, 34},
        {4, 4095, 34},
        {1, INT32_MAX, 34},
        // small counts vanish under the shift
        {4, 7, 534},
        {4, 8, 533},
        {3, 3, 534},
        {3, 4, 533},
        {2, 1, 534},
        {0, 1, 532},
        // negative counts: the shift floors, and nothing clamps below
        {0, -1, 536},
        {1, -1, 535},
        {2, -1, 535},
        {3, -1, 535},
        {4, -1, 535},
        {4, -9, 536},
        {2, -3, 536},
        {3, -5, 536},
        {1, -100000, 100534},
        // mid-scale
        {0, 125, 284},
        {3, 1000, 284},
        {4, 2000, 284},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SampleToY(c.count, c.range), c.y) << "range " << c.range << " count " << c.count;
}

TEST(SampleToY, ExtremeCountsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(SampleToY(INT32_MIN, 0), INT32_MAX);
    EXPECT_EQ(SampleToY(INT32_MIN, 1), INT32_MAX);
    EXPECT_EQ(SampleToY(-1073741556, 0), INT32_MAX - 1); // last count that still fits
    EXPECT_EQ(SampleToY(INT32_MIN + 535, 1), INT32_MAX);
    EXPECT_EQ(SampleToY(INT32_MIN, 2), 534 + 1073741824);
    EXPECT_EQ(SampleToY(INT32_MIN, 4), 534 + 268435456);
}

TEST(SampleToY, FollowsTheRangeItIsGiven) {
    EXPECT_EQ(SampleToY(100, 0), 334);
    EXPECT_EQ(SampleToY(100, 4), 522);
}

TEST(TraceVertices, OneVertexPerMinuteFromX61ToX900) {
    int32_t samples[SampleCount] = {};
    samples[0] = 2000;
    samples[839] = -8;
    samples[400] = INT32_MIN;
    ChartPoint v[SampleCount];
    TraceVertices(samples, 3, NaturalFrame(96), v);
    EXPECT_EQ(v[0].x, 61);
    EXPECT_EQ(v[0].y, 34);
    EXPECT_EQ(v[839].x, 900);
    EXPECT_EQ(v[839].y, 536);
    EXPECT_EQ(v[1].y, 534);
    // far below the window, held at a depth every drawing layer can carry
    EXPECT_EQ(v[400].y, DeepestDrawableY);
    for (int i = 0; i < SampleCount; ++i)
        EXPECT_EQ(v[i].x, 61 + i);

    // At 144 DPI every coordinate is one and a half times, rounded as MulDiv
    // rounds; the depth limit holds after scaling.
    samples[1] = -1;      // y 535: 802.5
    samples[2] = -21000;  // y 5784: 8676, still drawable
    samples[3] = -100000; // y 25534: 38301 scaled, too deep
    TraceVertices(samples, 3, NaturalFrame(144), v);
    EXPECT_EQ(v[0].x, 92); // 91.5
    EXPECT_EQ(v[0].y, 51);
    EXPECT_EQ(v[839].x, 1350);
    EXPECT_EQ(v[839].y, 804);
    EXPECT_EQ(v[1].y, 803);
    EXPECT_EQ(v[2].y, 8676);
    EXPECT_EQ(v[3].y, DeepestDrawableY);
}

// The 96-DPI layout in any rectangle: s() of itself in the natural frame,
// stretched by MulDiv elsewhere, also where the sizes are not whole
// multiples; held within what GDI can carry.
TEST(ChartFrame, TheLayoutStretchedToAnyRectangle) {
    const struct {
        ChartFrame frame;
        int32_t x60, x61, x900, y34, y534;
    } cases[] = {
        {NaturalFrame(96), 60, 61, 900, 34, 534},
        {NaturalFrame(144), 90, 92, 1350, 51, 801},
        {NaturalFrame(120), 75, 76, 1125, 43, 668},
        {{0, 0, 1840, 1120, 96}, 120, 122, 1800, 68, 1068},
        {{10, 20, 1000, 700, 96}, 75, 76, 988, 63, 688},          // 65.2, 977.8; 667.5 up
        {{142, 300, 3224, 1375, 300}, 353, 356, 3296, 383, 1611}, // a printed page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame.width);
        EXPECT_EQ(FrameX(c.frame, 60), c.x60);
        EXPECT_EQ(FrameX(c.frame, 61), c.x61);
        EXPECT_EQ(FrameX(c.frame, 900), c.x900);
        EXPECT_EQ(FrameY(c.frame, 34), c.y34);
        EXPECT_EQ(FrameY(c.frame, 534), c.y534);
        EXPECT_EQ(FrameY(c.frame, INT32_MAX), DeepestDrawableY);
    }
    EXPECT_EQ(NaturalFrame(144, 5, 7).left, 5);
    EXPECT_EQ(NaturalFrame(144).width, 1380);
    EXPECT_EQ(NaturalFrame(144).height, 840);
}

// Every vertex is found under itself, in frames from the natural one up,
// and the traces' y is the natural layout's, then stretched.
TEST(ChartFrame, EachSampleIsFoundUnderItsOwnVertex) {
    int32_t samples[SampleCount];
    for (int i = 0; i < SampleCount; ++i)
        samples[i] = (i * 37) % 2000;
    const ChartFrame frames[] = {NaturalFrame(96),         NaturalFrame(144),
                                 NaturalFrame(120),        {0, 0, 1926, 1004, 96},
                                 {0, 0, 1391, 841, 96},    {0, 0, 2000, 1207, 144},
                                 {40, 30, 3224, 1375, 300}};
    for (const ChartFrame& f : frames) {
        ChartPoint v[SampleCount];
        TraceVertices(samples, 3, f, v);
        for (int i = 0; i < SampleCount; ++i) {
            ASSERT_EQ(SampleAtPoint(v[i].x, v[i].y, f), i + 1) << f.width << "x" << f.height;
            ASSERT_EQ(v[i].y, FrameY(f, SampleToY(samples[i], 3)));
        }
        EXPECT_EQ(SampleAtPoint(FrameX(f, 60), FrameY(f, 300), f), 0);
        EXPECT_EQ(SampleAtPoint(FrameX(f, 901), FrameY(f, 300), f), 0);
    }
}

// The threshold's line: where a trace of that many whole counts lies; a
// threshold between two counts floors; none above the full scale.
TEST(ChartScale, TheThresholdsLineInEachRange) {
    const struct {
        int32_t range;
        int64_t lux;
        bool drawn;
        int32_t y;
    } cases[] = {
        {3, 50000, true, 284}, {3, 100000, true, 34}, {3, 100001, false, 0}, {3, 0, true, 534},
        {3, 175, true, 534},   {3, 200, true, 533},   {0, 75, true, 531},    {0, 12500, true, 34},
        {0, 12501, false, 0},  {4, 200000, true, 34}, {4, 399, true, 534},   {2, 25000, true, 284},
    };
    for (const auto& c : cases) {
        int32_t y = -1;
        EXPECT_EQ(ThresholdLineY(c.lux, c.range, y), c.drawn) << c.range << " " << c.lux;
        if (c.drawn) {
            EXPECT_EQ(y, c.y) << c.range << " " << c.lux;
        }
    }
    for (int32_t range = 0; range < RangeCount; ++range)
        for (int32_t count = 0; count * LuxPerCount <= FullScaleLux(range); ++count) {
            int32_t y = -1;
            ASSERT_TRUE(ThresholdLineY(int64_t{count} * LuxPerCount, range, y));
            ASSERT_EQ(y, SampleToY(count, range)) << range << " " << count;
        }
}

TEST(ChartLabels, RangeLabelsEndInOneColumnAndHoursRunFiveToNineteen) {
    const char* top[RangeCount] = {" 12500", " 25000", " 50000", "100000", "200000"};
    for (int r = 0; r < RangeCount; ++r) {
        EXPECT_STREQ(RangeLabel(r, 0), top[r]);
        EXPECT_STREQ(RangeLabel(r, 5), "     0");
        for (int k = 0; k < HorizontalGridLines; ++k)
            EXPECT_EQ(std::strlen(RangeLabel(r, k)), 6u);
    }
    EXPECT_STREQ(RangeLabel(0, 2), "  7500");
    EXPECT_STREQ(RangeLabel(4, 1), "160000");
    EXPECT_STREQ(HourLabels[0], " 5");
    EXPECT_STREQ(HourLabels[14], "19");
    for (const char* h : HourLabels)
        EXPECT_EQ(std::strlen(h), 2u);
}

} // namespace
