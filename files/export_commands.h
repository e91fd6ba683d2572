// The Tools menu: the recording as CSV, the chart as a PNG file or on the
// clipboard. Exporting changes nothing else: the recording, the caption and
// the current file stay as they were.
#pragma once
#include <windows.h>

#include "view/chart.h"

// The chart as the window shows it (the recording, the range, the
// threshold's line when it is on), with the cursor given.
ChartContent ChartAsShown(int32_t cursor = 0);

// Each returns 0 when done, -1 when cancelled or an error was shown.
int ExportCsv(HWND window);
int ExportChartImage(HWND window);
int CopyChart(HWND window);
