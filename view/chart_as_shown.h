// The chart as the main window shows it, for the window, the exports and the
// printed page alike.
#pragma once
#include "view/chart.h"

// The recording, the range and the threshold's line when it is on, with the
// cursor given.
ChartContent ChartAsShown(int32_t cursor = 0);
