// The main window's children laid out for its DPI: each at s() of its
// 96-DPI place, the labels in a font made for the DPI.
#pragma once
#include <windows.h>

#include "view/chart_scale.h"

// The window's first size, outside, at 96 DPI; scaled for its screen.
constexpr int MainWidth = 930;
constexpr int MainHeight = 620;

// Where the window draws its chart: the natural frame at the window's DPI
// while the window is at its first size or smaller (what does not fit is
// clipped), and larger by as much as the window has grown beyond it.
ChartFrame MainChartFrame(HWND window);

// The status label, the progress bar (hidden) and the readout (hidden),
// created once, placed for the window's DPI.
void CreateChildren(HWND window);
// Again for a new DPI; the font made for the old one is let go.
void LayOutChildren(int dpi);
// The labels' font, when the window is destroyed.
void ReleaseChildFont();
