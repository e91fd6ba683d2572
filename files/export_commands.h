// The Tools menu: the recording as CSV, the chart as a PNG file or on the
// clipboard. Exporting changes nothing else: the recording, the caption and
// the current file stay as they were.
#pragma once
#include <windows.h>

// Each returns 0 when done, -1 when cancelled or an error was shown.
int ExportCsv(HWND window);
int ExportChartImage(HWND window);
int CopyChart(HWND window);
