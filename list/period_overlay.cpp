#include "list/period_overlay.h"

#include <algorithm>

#include "core/calendar.h"
#include "core/sample_view.h"
#include "core/statistics.h"
#include "core/text.h"
#include "view/chart_scale.h"
#include "view/dpi_scale.h"

namespace {

constexpr Rgb DayColours[OwnColourDays] = {{0, 114, 178},   {213, 94, 0},  {0, 158, 115},
                                           {204, 121, 167}, {230, 159, 0}, {86, 180, 233}};
constexpr char16_t Wide3000 = u'\u3000';

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

std::u16string Lux(int64_t lux) {
    return AsciiToUtf16(NumberText(lux));
}

int64_t CellLux(const PeriodGrid& g, int day, int minute) {
    return LuxOf(g.counts[static_cast<size_t>(g.index(day, minute))]);
}

} // namespace

Rgb DayColour(int index) {
    return DayColours[std::clamp(index, 0, OwnColourDays - 1)];
}

Rgb Tint(const Rgb& c) {
    return {static_cast<uint8_t>((c.r + 256) / 2), static_cast<uint8_t>((c.g + 256) / 2),
            static_cast<uint8_t>((c.b + 256) / 2)};
}

namespace {

// The same of values already sorted.
int64_t RankOfSorted(const std::vector<int64_t>& values, int percent) {
    const int64_t n = static_cast<int64_t>(values.size());
    const int64_t rank = std::max<int64_t>(1, (int64_t{percent} * n + 99) / 100);
    return values[static_cast<size_t>(std::min(rank, n) - 1)];
}

} // namespace

int64_t NearestRank(std::vector<int64_t>& values, int percent) {
    std::sort(values.begin(), values.end());
    return RankOfSorted(values, percent);
}

OverlayData MakeOverlay(const PeriodGrid& g) {
    OverlayData o;
    const int minutes = g.span.minutes();
    for (int day = 0; day < g.days; ++day)
        for (int m = 0; m < minutes; ++m)
            if (g.held(day, m)) {
                o.days.push_back(day);
                break;
            }
    o.held.assign(static_cast<size_t>(minutes), 0);
    o.p10.assign(static_cast<size_t>(minutes), 0);
    o.p50 = o.p90 = o.p10;
    std::vector<int64_t> values;
    for (int m = 0; m < minutes; ++m) {
        values.clear();
        for (int day : o.days)
            if (g.held(day, m)) values.push_back(CellLux(g, day, m));
        const size_t i = static_cast<size_t>(m);
        o.held[i] = static_cast<int>(values.size());
        if (values.empty() || !o.many()) continue;
        std::sort(values.begin(), values.end());
        o.p10[i] = RankOfSorted(values, 10);
        o.p50[i] = RankOfSorted(values, 50);
        o.p90[i] = RankOfSorted(values, 90);
    }
    return o;
}

OverlayLayout LayOutOverlay(const ChartFrame& f) {
    OverlayLayout l;
    const int dpi = f.dpi;
    l.fontHeight = S(14, dpi);
    l.legendTop = f.top + S(8, dpi);
    l.plot.left = f.left + S(60, dpi);
    l.plot.top = f.top + S(34, dpi);
    l.plot.width = std::max(1, f.width - S(80, dpi));
    l.plot.height = std::max(1, f.height - S(58, dpi));
    return l;
}

int OverlayY(int64_t lux, int32_t range, const PlotBox& plot) {
    const int64_t full = FullScaleLux(range);
    const int64_t clipped = std::clamp<int64_t>(lux, INT32_MIN, full);
    const int64_t bottom = plot.top + plot.height - 1;
    const int64_t y = bottom - clipped * (plot.height - 1) / full;
    return static_cast<int>(std::min<int64_t>(y, INT32_MAX));
}

std::u16string DayLegend(int64_t dayNumber) {
    int32_t y, m, d;
    DateOfDay(dayNumber, y, m, d);
    static constexpr char16_t Letters[] = u"日月火水木金土";
    return AsciiToUtf16(NumberText(m) + "/" + NumberText(d)) + u"(" +
           Letters[WeekdayOfDay(dayNumber)] + u")";
}

std::u16string OverlayReadout(const PeriodPicture& p, const OverlayData& o, int minute) {
    const PeriodGrid& g = p.grid;
    if (minute < 0 || minute >= g.span.minutes()) return u"";
    std::u16string text = AsciiToUtf16(ClockText(g.span.first * 60 + minute));
    const size_t i = static_cast<size_t>(minute);
    if (o.held[i] == 0) return text;
    if (o.many())
        return text + Wide3000 + u"中央値 " + Lux(o.p50[i]) + u" lx" + Wide3000 + u"10–90 %: " +
               Lux(o.p10[i]) + u"–" + Lux(o.p90[i]) + u" lx" + Wide3000 + u"(" +
               AsciiToUtf16(NumberText(o.held[i])) + u" 日)";
    for (int day : o.days) {
        if (!g.held(day, minute)) continue;
        const std::u16string date = DayLegend(g.firstDay + day);
        text += Wide3000 + date.substr(0, date.find(u'(')) + u" " + Lux(CellLux(g, day, minute)) +
                u" lx";
    }
    return text;
}

int NearestDay(const PeriodPicture& p, const OverlayData& o, const OverlayLayout& l, int32_t range,
               int x, int y, int reach) {
    const PeriodGrid& g = p.grid;
    const int minutes = g.span.minutes();
    int best = -1;
    int64_t bestDistance = int64_t{reach} * reach + 1;
    // The traces' vertices within reach across, and the segments between.
    const int from = CellAt(std::max(x - reach, l.plot.left), minutes, l.plot.left, l.plot.width);
    const int to = CellAt(std::min(x + reach, l.plot.left + l.plot.width - 1), minutes, l.plot.left,
                          l.plot.width);
    if (from < 0 || to < 0) return -1;
    for (int day : o.days)
        for (int m = from; m <= to; ++m) {
            if (!g.held(day, m)) continue;
            const int64_t dx = CellPixels(m, minutes, l.plot.left, l.plot.width).from - x;
            const int64_t dy = OverlayY(CellLux(g, day, m), range, l.plot) - y;
            const int64_t d2 = dx * dx + dy * dy;
            if (d2 < bestDistance) {
                bestDistance = d2;
                best = day;
            }
        }
    return best;
}
