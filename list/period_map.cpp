#include "list/period_map.h"

#include <algorithm>
#include <cmath>

#include "core/calendar.h"
#include "core/sample_view.h"
#include "core/statistics.h"
#include "core/text.h"
#include "view/dpi_scale.h"

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

namespace {

struct PeriodExtent {
    int64_t first = INT64_MAX, last = INT64_MIN; // days
    int earliest = MinutesPerDay, latest = 0;    // minutes of the day
    bool pastMidnight = false;
};

PeriodExtent ExtentOf(const std::vector<PeriodRecording>& chosen) {
    PeriodExtent e;
    for (const PeriodRecording& r : chosen) {
        if (!IsRealStamp(r.start)) continue;
        const int64_t day = StartDay(r.start);
        const int minute = r.start.Hour * 60 + r.start.Minute;
        const Placed end = PlaceOf(day, minute, SampleCount - 1);
        e.first = std::min(e.first, day);
        e.last = std::max(e.last, end.day);
        e.pastMidnight = e.pastMidnight || end.day != day;
        e.earliest = std::min(e.earliest, minute);
        e.latest = std::max(e.latest, end.minute);
    }
    return e;
}

} // namespace

int64_t PeriodDayCount(const std::vector<PeriodRecording>& chosen) {
    const PeriodExtent e = ExtentOf(chosen);
    return e.first > e.last ? 0 : e.last - e.first + 1;
}

PeriodGrid MakePeriodGrid(const std::vector<PeriodRecording>& chosen, int channel) {
    PeriodGrid g;
    const PeriodExtent e = ExtentOf(chosen);
    const int64_t first = e.first, last = e.last;
    if (first > last || last - first + 1 > MaxPeriodDays) return g;
    g.firstDay = first;
    g.days = static_cast<int>(last - first + 1);
    g.span = SpanOfMinutes(e.earliest, e.latest, e.pastMidnight);
    const size_t cells = static_cast<size_t>(g.days) * static_cast<size_t>(g.span.minutes());
    g.counts.assign(cells, 0);
    g.source.assign(cells, -1);
    for (size_t i = 0; i < chosen.size(); ++i) {
        const PeriodRecording& r = chosen[i];
        if (!IsRealStamp(r.start)) continue;
        const int32_t* samples = r.samples[channel == 0 ? 0 : 1];
        const int64_t day = StartDay(r.start);
        const int minute = r.start.Hour * 60 + r.start.Minute;
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

namespace {

using Wide = __int128;

Wide BarScale(int64_t longestDayLuxMinutes, int64_t yearlyBudget) {
    return std::max(Wide{longestDayLuxMinutes} * 365, Wide{yearlyBudget} * 60);
}

int Rounded(Wide numerator, Wide denominator) {
    return static_cast<int>((numerator * 2 + denominator) / (denominator * 2));
}

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

constexpr char16_t WeekdayLetters[] = u"日月火水木金土";
constexpr char16_t Wide3000 = u'\u3000';

// "2026/07/14(火)"
std::u16string DayText(int64_t dayNumber) {
    int32_t y, m, d;
    DateOfDay(dayNumber, y, m, d);
    auto two = [](int32_t v) { return (v < 10 ? "0" : "") + NumberText(v); };
    return AsciiToUtf16(NumberText(y) + "/" + two(m) + "/" + two(d)) + u"(" +
           WeekdayLetters[WeekdayOfDay(dayNumber)] + u")";
}

std::u16string ChannelText(int channel) {
    return channel == 0 ? u"CH1" : u"CH2";
}

} // namespace

int BudgetLineLength(int64_t longestDayLuxMinutes, int64_t yearlyBudget, int width) {
    const Wide scale = BarScale(longestDayLuxMinutes, yearlyBudget);
    if (yearlyBudget <= 0 || scale <= 0 || width <= 0) return 0;
    return std::min(width, Rounded(Wide{yearlyBudget} * 60 * width, scale));
}

std::u16string DailyShareText(int64_t yearlyBudget) {
    return u"1日あたり " + AsciiToUtf16(FractionText(yearlyBudget, 365, 1)) + u" lx・h";
}

namespace {

// A count's colour as a pixel: 10 lx is 0.2 counts and 100,000 lx 2000, so
// one table of the counts between holds every colour but the two ends.
uint32_t CountPixel(int32_t count) {
    constexpr int32_t Highest = 100000 / LuxPerCount;
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(Highest + 1);
        for (int32_t c = 0; c <= Highest; ++c) {
            const Rgb rgb = LuxColour(LuxOf(c));
            t[static_cast<size_t>(c)] = uint32_t{rgb.r} << 16 | rgb.g << 8 | rgb.b;
        }
        return t;
    }();
    return table[static_cast<size_t>(std::clamp(count, 0, Highest))];
}

} // namespace

PeriodPicture MakePeriodPicture(const std::vector<PeriodRecording>& chosen, int channel) {
    PeriodPicture p;
    p.grid = MakePeriodGrid(chosen, channel);
    const PeriodGrid& g = p.grid;
    p.pixels.resize(g.counts.size());
    p.dayLux.assign(static_cast<size_t>(g.days), 0);
    const uint32_t none =
        uint32_t{NoRecordingColour.r} << 16 | NoRecordingColour.g << 8 | NoRecordingColour.b;
    for (int day = 0; day < g.days; ++day)
        for (int m = 0; m < g.span.minutes(); ++m) {
            const size_t i = static_cast<size_t>(g.index(day, m));
            if (g.source[i] < 0) {
                p.pixels[i] = none;
                continue;
            }
            const int32_t count = g.counts[i];
            p.dayLux[static_cast<size_t>(day)] += LuxOf(count);
            p.pixels[i] = CountPixel(count);
        }
    for (int64_t lux : p.dayLux)
        p.longestDay = std::max(p.longestDay, lux);
    return p;
}

PeriodLayout LayOutPeriod(const ChartFrame& f) {
    PeriodLayout l;
    const int dpi = f.dpi;
    l.fontHeight = S(14, dpi);
    const int right = f.left + f.width;
    const int legend = right - S(170, dpi);
    l.legendText = legend + S(30, dpi);
    l.bars.width = S(110, dpi);
    l.bars.left = legend - S(12, dpi) - l.bars.width;
    l.plot.left = f.left + S(84, dpi);
    l.plot.top = f.top + S(24, dpi);
    l.plot.width = std::max(1, l.bars.left - S(8, dpi) - l.plot.left);
    l.plot.height = std::max(1, f.height - S(48, dpi));
    l.datesRight = l.plot.left - S(6, dpi);
    l.hoursTop = l.plot.top + l.plot.height + S(4, dpi);
    l.bars.top = l.plot.top;
    l.bars.height = l.plot.height;
    l.scale = {legend + S(8, dpi), l.plot.top, S(16, dpi), std::max(1, l.plot.height - S(36, dpi))};
    l.swatch = {l.scale.left, l.scale.top + l.scale.height + S(16, dpi), S(16, dpi), S(12, dpi)};
    return l;
}

int ScaleHeight(int64_t lux, int height) {
    if (lux <= 10) return 0;
    if (lux >= 100000) return height;
    const double t = (std::log10(static_cast<double>(lux)) - 1) / 4;
    return static_cast<int>(std::lround(t * height));
}

PeriodHit HitInPeriod(const PeriodPicture& p, const PeriodLayout& l, int x, int y) {
    const PeriodGrid& g = p.grid;
    PeriodHit hit;
    const int day = CellAt(y, g.days, l.plot.top, l.plot.height);
    if (day < 0) return hit;
    const int minute = CellAt(x, g.span.minutes(), l.plot.left, l.plot.width);
    if (minute >= 0) return {PeriodSpot::Minute, day, minute};
    // The whole row of the bars' column, so that a short bar is easy to find.
    if (x >= l.bars.left && x < l.bars.left + l.bars.width &&
        p.dayLux[static_cast<size_t>(day)] > 0)
        return {PeriodSpot::Bar, day, 0};
    return hit;
}

std::u16string PeriodReadout(const PeriodPicture& p, int channel, const PeriodHit& hit) {
    const PeriodGrid& g = p.grid;
    if (hit.spot == PeriodSpot::Nothing || hit.day < 0 || hit.day >= g.days) return u"";
    const std::u16string day = DayText(g.firstDay + hit.day);
    if (hit.spot == PeriodSpot::Bar)
        return day + Wide3000 + ChannelText(channel) + u" 積算 " +
               AsciiToUtf16(DoseText(p.dayLux[static_cast<size_t>(hit.day)])) + u" lx・h";
    const std::u16string time =
        u" " + AsciiToUtf16(ClockText(g.span.first * 60 + hit.minute)) + Wide3000;
    if (!g.held(hit.day, hit.minute)) return day + time + u"記録なし";
    return day + time + ChannelText(channel) + u" " +
           AsciiToUtf16(
               NumberText(LuxOf(g.counts[static_cast<size_t>(g.index(hit.day, hit.minute))]))) +
           u" lx";
}

int RecordingAt(const PeriodPicture& p, const PeriodHit& hit) {
    const PeriodGrid& g = p.grid;
    if (hit.spot == PeriodSpot::Nothing || hit.day < 0 || hit.day >= g.days) return -1;
    if (hit.spot == PeriodSpot::Minute)
        return g.source[static_cast<size_t>(g.index(hit.day, hit.minute))];
    for (int m = 0; m < g.span.minutes(); ++m)
        if (g.held(hit.day, m)) return g.source[static_cast<size_t>(g.index(hit.day, m))];
    return -1;
}
