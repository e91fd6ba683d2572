// The period map painted on any DC into any frame: the period window's
// picture at its size and DPI, the PNG and EMF at the natural frame and 96
// DPI, a printed page at the printer's. Everything it shows comes in; the
// cells are one bitmap stretched into the map.
#pragma once
#include <windows.h>

#include "core/threshold.h"
#include "list/period_map.h"
#include "list/period_overlay.h"

enum class PeriodView { Map = 0, Overlay = 1 };

struct PeriodContent {
    const PeriodPicture* picture;
    int channel;         // 0: CH1, 1: CH2
    Threshold threshold; // a tick on the colour scale when within it
    int64_t budget;      // lx·h a year; 0: none
    bool cursorShown = false;
    int cursorDay = 0, cursorMinute = 0;
    // The overlay of days: its figures, full scale, and the threshold's line
    // as the main chart shows it.
    PeriodView view = PeriodView::Map;
    const OverlayData* overlay = nullptr;
    int32_t range = 3;
    bool thresholdLine = false;
};

// Whichever view the content asks for.
void PaintPeriod(HDC dc, const ChartFrame& frame, const PeriodContent& content);
void PaintPeriodMap(HDC dc, const ChartFrame& frame, const PeriodContent& content);
void PaintPeriodOverlay(HDC dc, const ChartFrame& frame, const PeriodContent& content);
