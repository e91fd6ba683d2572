// Window-free chart geometry: the label tables, the count-to-y mapping, the
// rectangle a chart is drawn into and the vertex list of a trace. The Win32
// painter only draws what this gives.
#pragma once
#include <cstdint>

#include "core/recording.h"

constexpr int32_t PlotLeft = 60;
constexpr int32_t PlotRight = 900;
constexpr int32_t PlotTop = 34;         // full scale
constexpr int32_t PlotBottom = 534;     // zero
constexpr int32_t GridColumnWidth = 60; // one hour
constexpr int32_t GridRowHeight = 100;  // a fifth of the full scale
constexpr int VerticalGridLines = 15;
constexpr int HorizontalGridLines = 6;

// Six labels per display range, top to bottom, right-aligned in six columns.
extern const char* const RangeLabels[RangeCount * HorizontalGridLines];
// The hours 5 to 19 under the vertical grid lines; fixed, whatever the start time.
extern const char* const HourLabels[VerticalGridLines];

// y of a count in the given range: floor-scaled, clamped at the top line only.
// A result beyond the 32-bit range (extreme counts from an edited file)
// saturates instead of overflowing.
int32_t SampleToY(int32_t count, int32_t range);

// The full scale of a range in lux: 12500 × 2^range (a range outside 0..4
// reads as the initial one).
int64_t FullScaleLux(int32_t range);
// The y of a threshold's line in the natural layout: 534 − floor(lux × 500 ÷
// full scale), which is a trace's own y for every lux that is a whole number
// of counts. False when lux is above the full scale: no line is drawn.
bool ThresholdLineY(int64_t lux, int32_t range, int32_t& y);

// GDI, and the 16-bit X11 coordinates beneath Wine, cannot carry every 32-bit
// y. Far below the window every pixel a one-pixel-wide step draws is the same,
// so vertices are held at this depth.
constexpr int32_t DeepestDrawableY = 32767;

struct ChartPoint {
    int32_t x;
    int32_t y;
};

// The chart's natural size at 96 DPI: everything it draws lies in it.
constexpr int32_t NaturalChartWidth = 920;
constexpr int32_t NaturalChartHeight = 560;

// Where a chart is drawn: a rectangle in device pixels, and the DPI its
// texts and pens follow. Its natural frame at a DPI is s(920) × s(560)
// (s: the scale of view/dpi_scale.h); drawn there, every coordinate of the
// 96-DPI layout is s() of itself. Any other size stretches the grid, the
// labels' places and the traces to fill it.
struct ChartFrame {
    int32_t left, top, width, height;
    int dpi;
};
ChartFrame NaturalFrame(int dpi, int32_t left = 0, int32_t top = 0);

// A coordinate of the 96-DPI layout in the frame: left + MulDiv(s(x),
// width, s(920)), and the same for y. Held within what GDI can carry.
int32_t FrameX(const ChartFrame& frame, int64_t x96);
int32_t FrameY(const ChartFrame& frame, int64_t y96);
// A device pixel back in the 96-DPI layout, to the nearest.
int64_t LayoutX(const ChartFrame& frame, int32_t x);
int64_t LayoutY(const ChartFrame& frame, int32_t y);

// Sample i at x = FrameX(61 + i) and y = FrameY(SampleToY): the y is worked
// out in the natural layout first, so its clamp and shifts stay exact.
void TraceVertices(const int32_t samples[SampleCount], int32_t range, const ChartFrame& frame,
                   ChartPoint vertices[SampleCount]);

// Label k (0 = top) of a range; a range outside 0..4 reads as the initial one.
const char* RangeLabel(int32_t range, int k);
