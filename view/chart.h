// The chart, painted on any DC into any rectangle from what it is given: the
// main window's client area at its size and DPI, a memory DC in a test, an
// exported image or metafile (always the natural frame at 96 DPI), a page
// of a printer at its own resolution. Nothing is cached between paints.
// Only what can fall into the DC's clip box is drawn.
#pragma once
#include <windows.h>

#include "core/recording.h"
#include "core/threshold.h"
#include "view/chart_scale.h"

// Each channel's colour, wherever a channel is drawn.
constexpr COLORREF Ch1Colour = 0x00FF0000;
constexpr COLORREF Ch2Colour = 0x000000FF;
// The chart's labels' face at s(14) pixels, for other pictures drawn beside it.
HFONT CreateChartFont(int dpi);

// What a chart shows: the recording (its traces when loaded), the display
// range, the sample the cursor stands on (0: none), and the threshold's line
// when it is asked for (and there is a threshold within the full scale).
struct ChartContent {
    const Recording* recording;
    int32_t range;
    int32_t cursor;
    bool thresholdLine = false;
    Threshold threshold = {};
};

// The same chart for a picture of it, which never shows the cursor.
inline ChartContent WithoutCursor(ChartContent content) {
    content.cursor = 0;
    return content;
}

// Grid, axis labels for the range, channel captions and legend strokes.
int PaintChartFrame(HDC dc, int32_t range, const ChartFrame& frame);
// Both traces, channel 1 (blue) first so channel 2 (red) lies on top.
int PlotTraces(HDC dc, const Recording& r, int32_t range, const ChartFrame& frame);
// The pixels of the cursor line at sample n (1..840): one 96-DPI pixel wide
// at the sample's vertex, from the top grid line to the bottom one, both
// included.
RECT CursorColumn(int32_t n, const ChartFrame& frame);
// The whole chart: the frame, the cursor and the traces when loaded.
void PaintChart(HDC dc, const ChartFrame& frame, const ChartContent& content);
