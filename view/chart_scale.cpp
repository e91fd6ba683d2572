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
    case 0: y = (267 - c) * 2; break;
    case 1: y = PlotBottom - c; break;
    case 2: y = PlotBottom - FloorDiv(c, 2); break;
    case 4: y = PlotBottom - FloorDiv(c, 8); break;
    default: y = PlotBottom - FloorDiv(c, 4); break; // 3, the initial range
    }
    if (y < PlotTop) return PlotTop;
    if (y > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(y);
}

void TraceVertices(const int32_t samples[SampleCount], int32_t range, int dpi,
                   ChartPoint vertices[SampleCount]) {
    for (int i = 0; i < SampleCount; ++i) {
        const int64_t y = Scaled(SampleToY(samples[i], range), dpi);
        vertices[i] = {static_cast<int32_t>(Scaled(PlotLeft + 1 + i, dpi)),
                       y > DeepestDrawableY ? DeepestDrawableY : static_cast<int32_t>(y)};
    }
}

const char* RangeLabel(int32_t range, int k) {
    if (range < 0 || range >= RangeCount) range = InitialDisplayRange;
    return RangeLabels[range * HorizontalGridLines + k];
}
