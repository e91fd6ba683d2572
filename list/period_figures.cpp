#include "list/period_figures.h"

#include "core/calendar.h"
#include "core/sample_view.h"
#include "core/statistics.h"
#include "core/text.h"

namespace {

using Wide = __int128;

constexpr char16_t Dash[] = u"—"; // U+2014: the figure does not apply

// What one channel's chosen minutes hold, counted once each.
struct Counts {
    int64_t days = 0, daysRecorded = 0;
    int64_t occupiedPerDay = 0;
    int64_t occupied = 0;  // recorded minutes in the occupied hours
    int64_t band[4] = {};  // <100, 100-<300, 300-3000, >3000
    int64_t atOrAbove = 0; // lux >= threshold
    Wide capped = 0;       // Σ min(threshold, max(0, lux))
    int64_t above1000 = 0; // minutes
    Wide luxSum = 0;       // over every recorded minute
};

Counts CountOf(const PeriodGrid& g, const OccupiedHours& hours, const Threshold& threshold) {
    Counts c;
    c.days = g.days;
    c.occupiedPerDay = hours.to - hours.from;
    for (int day = 0; day < g.days; ++day) {
        bool recorded = false;
        for (int m = 0; m < g.span.minutes(); ++m) {
            if (!g.held(day, m)) continue;
            recorded = true;
            const int64_t lux = LuxOf(g.counts[static_cast<size_t>(g.index(day, m))]);
            c.luxSum += lux;
            const int t = g.span.first * 60 + m;
            if (t < hours.from || t >= hours.to) continue;
            ++c.occupied;
            ++c.band[lux < 100 ? 0 : lux < 300 ? 1 : lux <= 3000 ? 2 : 3];
            if (threshold.given) {
                c.atOrAbove += lux >= threshold.lux;
                c.capped += lux <= 0 ? 0 : lux < threshold.lux ? lux : threshold.lux;
            }
            c.above1000 += lux > 1000;
        }
        c.daysRecorded += recorded;
    }
    return c;
}

struct Figure {
    std::u16string cell;
    std::string value;
};

Figure Percent(Wide numerator, Wide denominator) {
    if (denominator == 0) return {Dash, ""};
    const std::string v = FractionText(numerator * 100, denominator, 1);
    return {AsciiToUtf16(v) + u" %", v};
}

PeriodFigureRow Row(const char16_t* name, const char* field, bool inTable = true) {
    PeriodFigureRow row;
    row.name = name;
    row.field = field;
    row.inTable = inTable;
    return row;
}

Figure None() {
    return {Dash, ""};
}

// "2027/3/14"
std::string DateText(int64_t dayNumber) {
    int32_t y, m, d;
    DateOfDay(dayNumber, y, m, d);
    return NumberText(y) + "/" + NumberText(m) + "/" + NumberText(d);
}

// The day the budget is used up at the mean exposure of the recorded days:
// day ⌈budget × days recorded ÷ 積算⌉ from the first (day 1), 積算 = Σlux ÷ 60.
Figure RunsOut(const PeriodGrid& g, const Counts& c, int64_t budget) {
    if (budget <= 0 || c.luxSum <= 0 || c.daysRecorded == 0) return None();
    const Wide n = Wide{budget} * c.daysRecorded * SamplesPerHour;
    const Wide day = (n + c.luxSum - 1) / c.luxSum;
    const Wide last = DayNumber(9999, 12, 31);
    if (g.firstDay + day - 1 > last) return None(); // beyond the calendar
    const std::string v = DateText(g.firstDay + static_cast<int64_t>(day) - 1);
    return {AsciiToUtf16(v), v};
}

} // namespace

bool ParseClock(const std::u16string& text, int& minutes) {
    const size_t colon = text.find(u':');
    if (colon == std::u16string::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return false;
    int h = 0, m = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == colon) continue;
        const char16_t c = text[i];
        if (c < u'0' || c > u'9') return false;
        (i < colon ? h : m) = (i < colon ? h : m) * 10 + (c - u'0');
    }
    if (m > 59 || h > 24 || (h == 24 && m != 0)) return false;
    minutes = h * 60 + m;
    return true;
}

const char16_t* ParseOccupiedHours(const std::u16string& from, const std::u16string& to,
                                   OccupiedHours& out) {
    OccupiedHours h;
    if (!ParseClock(from, h.from) || !ParseClock(to, h.to))
        return u"在室時間は 8:00 のように 0:00〜24:00 で入力してください";
    if (h.from >= h.to) return u"在室時間の始まりは終わりより前にしてください";
    out = h;
    return nullptr;
}

std::u16string OccupiedHoursText(const OccupiedHours& hours) {
    return AsciiToUtf16(ClockText(hours.from) + "-" + ClockText(hours.to));
}

bool ParseOccupiedHoursText(const std::u16string& text, OccupiedHours& out) {
    const size_t dash = text.find(u'-');
    return dash != std::u16string::npos &&
           !ParseOccupiedHours(text.substr(0, dash), text.substr(dash + 1), out);
}

std::vector<PeriodFigureRow> PeriodFigureRows(const PeriodGrid grids[2], const OccupiedHours& hours,
                                              bool valid, const Threshold& threshold,
                                              int64_t budget) {
    std::vector<PeriodFigureRow> rows = {
        Row(u"日数", "days"),
        Row(u"日数", "days_recorded", false), // the window's one row holds both
        Row(u"記録率", "coverage_percent"),
        Row(u"UDI 不足 (<100 lx)", "udi_fell_short_percent"),
        Row(u"UDI 補助 (100–300 lx)", "udi_supplementary_percent"),
        Row(u"UDI 自律 (300–3000 lx)", "udi_autonomous_percent"),
        Row(u"UDI 過剰 (>3000 lx)", "udi_exceeded_percent"),
        Row(u"DA (しきい値)", "da_percent"),
        Row(u"cDA (しきい値)", "cda_percent"),
        Row(u"1000 lx 超", "above_1000_minutes"),
        Row(u"積算", "integrated_lxh"),
        Row(u"年間許容量に対して", "budget_percent"),
        Row(u"許容量に達する日", "budget_used_up"),
    };
    if (!valid) return rows;
    for (int ch = 0; ch < 2; ++ch) {
        const PeriodGrid& g = grids[ch];
        const Counts c = CountOf(g, hours, threshold);
        auto put = [&](size_t row, const Figure& f) {
            rows[row].cell[ch] = f.cell;
            rows[row].value[ch] = f.value;
        };
        const std::string days = NumberText(c.days), recorded = NumberText(c.daysRecorded);
        put(0, {AsciiToUtf16(days) + u" (記録 " + AsciiToUtf16(recorded) + u")", days});
        put(1, {AsciiToUtf16(recorded), recorded});
        put(2, Percent(c.occupied, Wide{c.days} * c.occupiedPerDay));
        for (int b = 0; b < 4; ++b)
            put(3 + static_cast<size_t>(b), Percent(c.band[b], c.occupied));
        put(7, threshold.given ? Percent(c.atOrAbove, c.occupied) : None());
        put(8, threshold.given && threshold.lux > 0
                   ? Percent(c.capped, Wide{threshold.lux} * c.occupied)
                   : None());
        put(9, {AsciiToUtf16(ClockText(c.above1000)), NumberText(c.above1000)});
        const std::string dose = FractionText(c.luxSum, SamplesPerHour, 1);
        put(10, {AsciiToUtf16(dose) + u" lx・h", dose});
        put(11, budget > 0 ? Percent(c.luxSum, Wide{budget} * SamplesPerHour) : None());
        put(12, RunsOut(g, c, budget));
    }
    return rows;
}

std::string PeriodFiguresTsv(const std::vector<PeriodFigureRow>& rows) {
    std::string out = "figure\tch1\tch2\n";
    for (const PeriodFigureRow& row : rows)
        out += std::string(row.field) + "\t" + row.value[0] + "\t" + row.value[1] + "\n";
    return out;
}
