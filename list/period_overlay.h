// The period's days laid over one another, window-free: which days there
// are, each minute's percentiles when there are many, the colours, where a
// value falls on the linear axis of a full scale, the readout, and the day
// whose trace is nearest a point.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "list/period_map.h"

// Up to this many days each get a colour of their own; more are drawn grey
// under their median and the band of the 10th to 90th percentile.
constexpr int OwnColourDays = 6;
Rgb DayColour(int index); // 0..5, in date order
// A colour mixed half with white: each component ⌊(c + 256) ÷ 2⌋.
Rgb Tint(const Rgb& c);

// The value at rank ⌈P × n ÷ 100⌉ (1-based) of the values sorted ascending;
// the values are sorted in place. n is at least 1.
int64_t NearestRank(std::vector<int64_t>& values, int percent);

struct OverlayData {
    std::vector<int> days; // the grid's rows that hold a chosen minute, in date order
    // For each minute of the span, over the days that hold it: how many, and
    // the 10th, 50th and 90th percentiles of their lux (0 where none).
    std::vector<int> held;
    std::vector<int64_t> p10, p50, p90;
    bool many() const { return static_cast<int>(days.size()) > OwnColourDays; }
};
OverlayData MakeOverlay(const PeriodGrid& grid);

// The picture's parts in a frame: the legend along the top, the plot, the
// full scale's labels left of it and the hours under it.
struct OverlayLayout {
    PlotBox plot;
    int legendTop;
    int fontHeight;
};
OverlayLayout LayOutOverlay(const ChartFrame& frame);
// A lux value's y in the plot for full scale `range` (0..4), linear, with
// values above the full scale held at the top.
int OverlayY(int64_t lux, int32_t range, const PlotBox& plot);

// "12:34　7/14 1250 lx　7/15 900 lx", or with many days "12:34　中央値 1250 lx
// 10–90 %: 450–3200 lx　(28 日)"; the time alone where no day holds the
// minute (from the span's first hour).
std::u16string OverlayReadout(const PeriodPicture& p, const OverlayData& o, int minute);
// The grid row of the day whose trace passes nearest (x, y), within
// `reach` pixels; -1 for none.
int NearestDay(const PeriodPicture& p, const OverlayData& o, const OverlayLayout& l, int32_t range,
               int x, int y, int reach);
// The legend's name of a day: "7/14(火)".
std::u16string DayLegend(int64_t dayNumber);
