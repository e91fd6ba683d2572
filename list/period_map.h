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
#include "core/threshold.h"
#include "view/chart_scale.h"

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
struct PeriodRecording {
    Stamp start;
    const int32_t* samples[2]; // each channel's 840 counts
};
struct PeriodGrid {
    int64_t firstDay = 0; // day number (core/calendar)
    int days = 0;
    HourSpan span = {5, 19};
    std::vector<int32_t> counts; // days × span minutes, row by row
    std::vector<int32_t> source; // the recording's index, -1 where none holds it
    int index(int day, int minute) const { return day * span.minutes() + minute; }
    bool held(int day, int minute) const { return source[index(day, minute)] >= 0; }
};
// Twenty years of days at most: a grid of a whole day's minutes for each
// stays near 100 MB. A longer period gets an empty grid.
constexpr int64_t MaxPeriodDays = 7305;
PeriodGrid MakePeriodGrid(const std::vector<PeriodRecording>& chosen, int channel);
// The calendar days from the first chosen minute's to the last's; 0 when no
// recording has a real stamp.
int64_t PeriodDayCount(const std::vector<PeriodRecording>& chosen);

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
// Where a budget's daily share stands in the same column.
int BudgetLineLength(int64_t longestDayLuxMinutes, int64_t yearlyBudget, int width);
// "1日あたり 41.1 lx・h": the budget ÷ 365, one decimal, rounded once.
std::u16string DailyShareText(int64_t yearlyBudget);

// The grid with what every paint needs, worked out once: each cell's colour
// (0x00RRGGBB, row by row, as a top-down bitmap holds it), each day's sum of
// lux and the largest of those.
struct PeriodPicture {
    PeriodGrid grid;
    std::vector<uint32_t> pixels;
    std::vector<int64_t> dayLux;
    int64_t longestDay = 0;
};
PeriodPicture MakePeriodPicture(const std::vector<PeriodRecording>& chosen, int channel);

// The picture's natural size at 96 DPI, and where its parts go in a frame:
// the dates down the left, the map, the bars right of it, the legend last.
// The parts beside the map keep their size for the DPI; the map takes what
// is left.
constexpr int PeriodNaturalWidth = 900;
constexpr int PeriodNaturalHeight = 500;
struct PeriodLayout {
    PlotBox plot;
    int datesRight; // the dates end here, right-aligned
    int hoursTop;   // the hour labels' top
    PlotBox bars;   // the bars' column, as high as the map
    PlotBox scale;  // the colour bar, 10 lx at its bottom
    PlotBox swatch; // the grey of 記録なし
    int legendText; // where the legend's texts start
    int fontHeight;
};
PeriodLayout LayOutPeriod(const ChartFrame& frame);
// The height in the colour bar of a lux value: 0 at 10 lx or less, the
// bar's height at 100,000 lx or more.
int ScaleHeight(int64_t lux, int height);

// What a point of the picture shows.
enum class PeriodSpot { Nothing, Minute, Bar };
struct PeriodHit {
    PeriodSpot spot = PeriodSpot::Nothing;
    int day = 0, minute = 0; // minute: from the span's first hour
};
PeriodHit HitInPeriod(const PeriodPicture& p, const PeriodLayout& l, int x, int y);
// The readout for it: "2026/07/14(火) 12:34　CH1 12350 lx", "…　記録なし",
// "2026/07/14(火)　CH1 積算 8166.7 lx・h", or empty.
std::u16string PeriodReadout(const PeriodPicture& p, int channel, const PeriodHit& hit);
// The recording (its index among those chosen) that holds what the hit
// shows: the minute's, or a bar's day's first minute's; -1 for none.
int RecordingAt(const PeriodPicture& p, const PeriodHit& hit);
