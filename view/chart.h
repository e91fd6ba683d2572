// The chart of the main window's client area, painted on any DC from the
// recording, the display range and the DPI it is given: the window's paint
// DC, a memory DC in a test, an exported image (always at 96 DPI). Nothing is
// cached between paints. Only what can fall into the DC's clip box is drawn.
#pragma once
#include <windows.h>

#include "core/recording.h"

// Grid, axis labels for the range, channel captions and legend strokes.
int PaintChartFrame(HDC dc, int32_t range, int dpi);
// Both traces, channel 1 (blue) first so channel 2 (red) lies on top.
int PlotTraces(HDC dc, const Recording& r, int32_t range, int dpi);
// The pixels of the cursor line at sample n (1..840): one 96-DPI pixel wide,
// from the top grid line to the bottom one, both included.
RECT CursorColumn(int32_t n, int dpi);
// The whole chart as the main window shows it: the frame, the cursor at
// sample `cursor` (0: none) and the traces when the recording is loaded.
void PaintChart(HDC dc, const Recording& r, int32_t range, int dpi, int32_t cursor);
