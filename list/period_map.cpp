#include "list/period_map.h"

#include <algorithm>
#include <cmath>

#include "core/calendar.h"
#include "core/text.h"

namespace {

constexpr Rgb Stops[9] = {{68, 1, 84},    {71, 45, 123},  {59, 82, 139},
                          {44, 114, 142}, {33, 145, 140}, {40, 174, 128},
                          {94, 201, 98},  {173, 220, 48}, {253, 231, 37}};

constexpr int MinutesPerDay = 1440;

uint8_t Between(uint8_t from, uint8_t to, double part) {
    return static_cast<uint8_t>(std::lround(from + (to - from) * part));
}

// Where each minute of a recording falls: its day and its minute of the day.
struct Placed {
    int64_t day;
    int minute;
};

Placed PlaceOf(int64_t startDay, int startMinute, int n) {
    const int64_t at = startDay * MinutesPerDay + startMinute + n;
    return {at / MinutesPerDay, static_cast<int>(at % MinutesPerDay)};
}

int64_t StartDay(const Stamp& s) {
    return DayNumber(s.Year, s.Month, s.Day);
}

} // namespace

Rgb LuxColour(int64_t lux) {
    if (lux <= 10) return Stops[0];
    if (lux >= 100000) return Stops[8];
    const double t = (std::log10(static_cast<double>(lux)) - 1) / 4;
    const double p = 8 * std::clamp(t, 0.0, 1.0);
    const int k = std::min(static_cast<int>(p), 7);
    const double part = p - k;
    return {Between(Stops[k].r, Stops[k + 1].r, part), Between(Stops[k].g, Stops[k + 1].g, part),
            Between(Stops[k].b, Stops[k + 1].b, part)};
}

HourSpan SpanOfMinutes(int earliestMinuteOfDay, int latestMinuteOfDay, bool pastMidnight) {
    if (pastMidnight) return {0, 24};
    return {std::min(5, earliestMinuteOfDay / 60), std::max(19, latestMinuteOfDay / 60 + 1)};
}

PeriodGrid MakePeriodGrid(const std::vector<const Recording*>& chosen, int channel) {
    PeriodGrid g;
    int64_t first = INT64_MAX, last = INT64_MIN;
    int earliest = MinutesPerDay, latest = 0;
    bool pastMidnight = false;
    for (const Recording* r : chosen) {
        if (!IsRealStamp(r->StartStamp)) continue;
        const int64_t day = StartDay(r->StartStamp);
        const int minute = r->StartStamp.Hour * 60 + r->StartStamp.Minute;
        const Placed end = PlaceOf(day, minute, SampleCount - 1);
        first = std::min(first, day);
        last = std::max(last, end.day);
        pastMidnight = pastMidnight || end.day != day;
        earliest = std::min(earliest, minute);
        latest = std::max(latest, end.minute);
    }
    if (first > last) return g;
    g.firstDay = first;
    g.days = static_cast<int>(last - first + 1);
    g.span = SpanOfMinutes(earliest, latest, pastMidnight);
    const size_t cells = static_cast<size_t>(g.days) * static_cast<size_t>(g.span.minutes());
    g.counts.assign(cells, 0);
    g.source.assign(cells, -1);
    for (size_t i = 0; i < chosen.size(); ++i) {
        const Recording& r = *chosen[i];
        if (!IsRealStamp(r.StartStamp)) continue;
        const int32_t* samples = channel == 0 ? r.Ch1Samples : r.Ch2Samples;
        const int64_t day = StartDay(r.StartStamp);
        const int minute = r.StartStamp.Hour * 60 + r.StartStamp.Minute;
        for (int n = 0; n < SampleCount; ++n) {
            const Placed at = PlaceOf(day, minute, n);
            const int cell =
                g.index(static_cast<int>(at.day - first), at.minute - g.span.first * 60);
            if (g.source[static_cast<size_t>(cell)] >= 0) continue; // the first chosen keeps it
            g.source[static_cast<size_t>(cell)] = static_cast<int32_t>(i);
            g.counts[static_cast<size_t>(cell)] = samples[n];
        }
    }
    return g;
}

CellSpan CellPixels(int cell, int cells, int origin, int length) {
    // The first pixel x with floor(x × cells ÷ length) >= cell.
    auto firstPixel = [&](int64_t c) { return static_cast<int>((c * length + cells - 1) / cells); };
    return {origin + firstPixel(cell), origin + firstPixel(int64_t{cell} + 1)};
}

int CellAt(int pixel, int cells, int origin, int length) {
    if (pixel < origin || pixel >= origin + length || cells <= 0) return -1;
    return static_cast<int>(int64_t{pixel - origin} * cells / length);
}

std::vector<int> LabelledDays(int64_t firstDay, int days, const PlotBox& plot, int labelHeight) {
    if (days <= 0) return {};
    if (days == 1) return {0};
    // A label is centred on its row.
    auto centre = [&](int day) {
        const CellSpan row = CellPixels(day, days, plot.top, plot.height);
        return (row.from + row.to) / 2;
    };
    auto apart = [&](int a, int b) { return std::abs(centre(a) - centre(b)) >= labelHeight; };
    using Rule = bool (*)(int64_t day);
    const Rule rules[] = {
        [](int64_t) { return true; },
        [](int64_t day) { return WeekdayOfDay(day) == 1; },
        [](int64_t day) {
            int32_t y, m, d;
            DateOfDay(day, y, m, d);
            return d == 1;
        },
    };
    for (Rule rule : rules) {
        std::vector<int> chosen = {0};
        bool fits = true;
        for (int day = 1; day < days - 1 && fits; ++day) {
            if (!rule(firstDay + day)) continue;
            if (!apart(day, 0) || !apart(day, days - 1)) continue; // the ends come first
            fits = apart(day, chosen.back());
            chosen.push_back(day);
        }
        if (!fits) continue;
        if (apart(0, days - 1)) chosen.push_back(days - 1);
        return chosen;
    }
    return apart(0, days - 1) ? std::vector<int>{0, days - 1} : std::vector<int>{0};
}

std::u16string DateLabel(int64_t dayNumber, bool first) {
    int32_t y, m, d;
    DateOfDay(dayNumber, y, m, d);
    const std::string md = NumberText(m) + "/" + NumberText(d);
    return AsciiToUtf16(first || (m == 1 && d == 1) ? NumberText(y) + "/" + md : md);
}

int BarLength(int64_t dayLuxMinutes, int64_t longestDayLuxMinutes, int64_t yearlyBudget,
              int width) {
    if (dayLuxMinutes <= 0 || width <= 0) return 0;
    // In lx·min ÷ 365: the longest day × 365 against the budget × 60.
    using Wide = __int128;
    const Wide scale = std::max(Wide{longestDayLuxMinutes} * 365, Wide{yearlyBudget} * 60);
    if (scale <= 0) return 0;
    const Wide length = (Wide{dayLuxMinutes} * 365 * width * 2 + scale) / (scale * 2);
    return static_cast<int>(std::min<Wide>(length, width));
}
