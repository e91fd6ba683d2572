// The period map's rules, window-free: the chosen recordings laid out as one
// row per calendar day and one column per minute of the hours they cover,
// the colour of a minute's illuminance, where each cell falls in a plot and
// which cell a point shows, the dates worth a label and the daily bars. The
// painter and the readout both use these, so a point read back is the cell
// that was drawn there.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/recording.h"

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Logarithmic from 10 lx (the first stop, and everything below it) to
// 100,000 lx (the last, and everything above).
Rgb LuxColour(int64_t lux);
// A minute that no recording holds.
constexpr Rgb NoRecordingColour = {217, 217, 217};

// The hours across the map: [first, end), in whole hours of the day.
struct HourSpan {
    int first, end;
    int minutes() const { return (end - first) * 60; }
};
// From 5:00 or the earliest sample's hour, whichever is earlier, to 19:00 or
// the hour after the latest sample's, whichever is later. A recording that
// runs past midnight makes it the whole day.
HourSpan SpanOfMinutes(int earliestMinuteOfDay, int latestMinuteOfDay, bool pastMidnight);

// Every chosen minute of one channel, one row per day from the first chosen
// day to the last. A minute two recordings hold shows the first's, in the
// order they were chosen; readable recordings whose stamp is not a real
// date are left out.
struct PeriodGrid {
    int64_t firstDay = 0; // day number (core/calendar)
    int days = 0;
    HourSpan span = {5, 19};
    std::vector<int32_t> counts; // days × span minutes, row by row
    std::vector<int32_t> source; // the recording's index, -1 where none holds it
    int index(int day, int minute) const { return day * span.minutes() + minute; }
    bool held(int day, int minute) const { return source[index(day, minute)] >= 0; }
};
PeriodGrid MakePeriodGrid(const std::vector<const Recording*>& chosen, int channel);

// A plot in device pixels. Column c covers the pixels x with
// floor((x - left) × columns ÷ width) = c, and rows likewise: when there are
// more cells than pixels each pixel shows one of those it covers.
struct PlotBox {
    int left, top, width, height;
};
struct CellSpan {
    int from, to; // pixels [from, to); empty when the cell shows nowhere
};
CellSpan CellPixels(int cell, int cells, int origin, int length);
// The cell a pixel shows; -1 outside.
int CellAt(int pixel, int cells, int origin, int length);

// The days (indices from the first) that get a date label down the left: the
// first and the last always, and between them every day, every Monday or
// the 1st of each month, the densest of these whose labels do not touch.
std::vector<int> LabelledDays(int64_t firstDay, int days, const PlotBox& plot, int labelHeight);
// "M/D", or "YYYY/M/D" for the first label and each 1 January.
std::u16string DateLabel(int64_t dayNumber, bool first);

// A day's bar in a column `width` pixels wide: the longest day or the
// budget's daily share, whichever is larger, fills it; none for a day whose
// integral is 0 or less. Integrals in lx·min (sums of lux), budget in lx·h.
int BarLength(int64_t dayLuxMinutes, int64_t longestDayLuxMinutes, int64_t yearlyBudget, int width);
