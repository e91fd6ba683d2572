// Reading the chart with the mouse or the keys: a grey cursor line at one
// sample, and above the plot the readout with that sample's number, time of
// day and both values. While nothing is pointed at neither shows, so the
// window at rest looks as it always has.
#pragma once
#include <windows.h>

#include <cstdint>

// The sample the cursor stands on; 0 while none is shown.
int32_t CursorSample();
// The cursor follows the mouse over the plot; one the mouse placed hides
// when the mouse leaves the plot or the window.
void OnChartMouseMove(HWND window, int x, int y);
void OnChartMouseLeave();
// Arrows (Shift: an hour), Home and End move the cursor; the first press
// only shows it at the data view's position. Esc hides it.
void OnChartKey(WPARAM key);
// A click on the plot, or Enter: true when the data view is to open, at the
// sample clicked or under the cursor (DataViewPosition is set). Only when
// the data view may open.
bool ChartClickOpensDataView(int x, int y);
bool EnterOpensDataView();
// Hides the cursor and the readout; every new recording does.
void HideChartCursor();
