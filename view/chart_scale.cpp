// Chart labels and scaling.
#include "view/chart_scale.h"

#include <cstdint>

#include "view/dpi_scale.h"

const char* const RangeLabels[RangeCount * HorizontalGridLines] = {
    " 12500", " 10000", "  7500", "  5000", "  2500", "     0", // 12500 lux
    " 25000", " 20000", " 15000", " 10000", "  5000", "     0", // 25000 lux
    " 50000", " 40000", " 30000", " 20000", " 10000", "     0", // 50000 lux
    "100000", " 80000", " 60000", " 40000", " 20000", "     0", // 100000 lux
    "200000", "160000", "120000", " 80000", " 40000", "     0", // 200000 lux
};

const char* const HourLabels[VerticalGridLines] = {" 5", " 6", " 7", " 8", " 9", "10", "11", "12",
                                                   "13", "14", "15", "16", "17", "18", "19"};

namespace {

// Division rounding toward minus infinity, as an arithmetic right shift does.
int64_t FloorDiv(int64_t value, int64_t divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

int32_t SampleToY(int32_t count, int32_t range) {
    const int64_t c = count;
    int64_t y;
    switch (range) {
    // 12500 lx over the plot's 500 px: two pixels a count. Once written as
    // (267 - c) * 2, which is the same, 267 being half of PlotBottom.
    case 0: y = PlotBottom - 2 * c; break;
    case 1: y = PlotBottom - c; break;
    case 2: y = PlotBottom - FloorDiv(c, 2); break;
    case 4: y = PlotBottom - FloorDiv(c, 8); break;
    default: y = PlotBottom - FloorDiv(c, 4); break; // 3, the initial range
    }
    if (y < PlotTop) return PlotTop;
    if (y > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(y);
}

ChartFrame NaturalFrame(int dpi, int32_t left, int32_t top) {
    return {left, top, static_cast<int32_t>(Scaled(NaturalChartWidth, dpi)),
            static_cast<int32_t>(Scaled(NaturalChartHeight, dpi)), dpi};
}

namespace {

int32_t Drawable(int64_t v) {
    return v > DeepestDrawableY    ? DeepestDrawableY
           : v < -DeepestDrawableY ? -DeepestDrawableY
                                   : static_cast<int32_t>(v);
}

int64_t Stretched(int64_t at, int64_t v96, int32_t size, int32_t natural96, int dpi) {
    return at + MulDivRounded(Scaled(v96, dpi), size, Scaled(natural96, dpi));
}

int64_t Unstretched(int64_t at, int32_t v, int32_t size, int32_t natural96, int dpi) {
    return Unscaled(MulDivRounded(v - at, Scaled(natural96, dpi), size), dpi);
}

} // namespace

int32_t FrameX(const ChartFrame& f, int64_t x96) {
    return Drawable(Stretched(f.left, x96, f.width, NaturalChartWidth, f.dpi));
}

int32_t FrameY(const ChartFrame& f, int64_t y96) {
    return Drawable(Stretched(f.top, y96, f.height, NaturalChartHeight, f.dpi));
}

int64_t LayoutX(const ChartFrame& f, int32_t x) {
    return Unstretched(f.left, x, f.width, NaturalChartWidth, f.dpi);
}

int64_t LayoutY(const ChartFrame& f, int32_t y) {
    return Unstretched(f.top, y, f.height, NaturalChartHeight, f.dpi);
}

void TraceVertices(const int32_t samples[SampleCount], int32_t range, const ChartFrame& frame,
                   ChartPoint vertices[SampleCount]) {
    for (int i = 0; i < SampleCount; ++i)
        vertices[i] = {FrameX(frame, PlotLeft + 1 + i),
                       FrameY(frame, SampleToY(samples[i], range))};
}

const char* RangeLabel(int32_t range, int k) {
    if (range < 0 || range >= RangeCount) range = InitialDisplayRange;
    return RangeLabels[range * HorizontalGridLines + k];
}

int64_t FullScaleLux(int32_t range) {
    if (range < 0 || range >= RangeCount) range = InitialDisplayRange;
    return int64_t{12500} << range;
}

bool ThresholdLineY(int64_t lux, int32_t range, int32_t& y) {
    const int64_t full = FullScaleLux(range);
    if (lux < 0 || lux > full) return false;
    y = static_cast<int32_t>(PlotBottom - lux * (PlotBottom - PlotTop) / full);
    return true;
}
