// The chart in the main window's client area, painted straight onto the
// paint DC. Nothing is cached between paints.
#pragma once
#include <windows.h>

// Grid, axis labels, channel captions and legend strokes.
int PaintChartFrame(HDC dc);
// Both traces, channel 1 (blue) first so channel 2 (red) lies on top.
int PlotTraces(HDC dc);
