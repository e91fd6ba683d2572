// The chart of the main window's client area, painted on any DC from the
// recording and the display range it is given: the window's paint DC, a
// memory DC in a test, an exported image. Nothing is cached between paints.
#pragma once
#include <windows.h>

#include "core/recording.h"

// Grid, axis labels for the range, channel captions and legend strokes.
int PaintChartFrame(HDC dc, int32_t range);
// Both traces, channel 1 (blue) first so channel 2 (red) lies on top.
int PlotTraces(HDC dc, const Recording& r, int32_t range);
// The whole chart as the main window shows it: the frame, and the traces when
// the recording is loaded.
void PaintChart(HDC dc, const Recording& r, int32_t range);
