#include "list/period_paint.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/sample_view.h"
#include "core/text.h"
#include "view/chart.h"
#include "view/dpi_scale.h"
#include "win/gdi_select.h"
#include "win/owned_handle.h"
#include "win/scoped_gdi.h"
#include "win/wide.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF BudgetGrey = RGB(96, 96, 96);
constexpr COLORREF ThresholdGreen = RGB(0, 128, 0);

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

COLORREF Colour(const Rgb& c) {
    return RGB(c.r, c.g, c.b);
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT r = {left, top, right, bottom};
    const OwnedBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.get());
}

void Text(HDC dc, int x, int y, const std::u16string& text, UINT align, COLORREF colour = Black) {
    const TextState state(dc, colour, TRANSPARENT, align | TA_NOUPDATECP);
    TextOutW(dc, x, y, Wide(text.c_str()), static_cast<int>(text.size()));
}

// The cells as one top-down bitmap, stretched so that each pixel shows one
// cell of those it covers.
void DrawCells(HDC dc, const PeriodPicture& p, const PlotBox& plot) {
    const PeriodGrid& g = p.grid;
    if (g.days == 0) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = g.span.minutes();
    info.bmiHeader.biHeight = -g.days;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, plot.left, plot.top, plot.width, plot.height, 0, 0, g.span.minutes(), g.days,
                  p.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, mode);
}

void Outline(HDC dc, int left, int top, int right, int bottom, COLORREF colour, int width = 1) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, width, colour));
    const Selection hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, left, top, right, bottom);
}

void DrawDates(HDC dc, const PeriodGrid& g, const PeriodLayout& l) {
    for (int day : LabelledDays(g.firstDay, g.days, l.plot, l.fontHeight)) {
        const CellSpan row = CellPixels(day, g.days, l.plot.top, l.plot.height);
        Text(dc, l.datesRight, (row.from + row.to) / 2 - l.fontHeight / 2,
             DateLabel(g.firstDay + day, day == 0), TA_RIGHT | TA_TOP);
    }
}

// Each whole hour under the map, as the main chart labels them; fewer when
// they would crowd.
void DrawHours(HDC dc, const PeriodGrid& g, const PeriodLayout& l, int dpi) {
    const int hours = g.span.end - g.span.first;
    const int minutes = g.span.minutes();
    int step = 1;
    while (step < hours && l.plot.width * step / hours < S(20, dpi))
        ++step;
    SelectedObject pen(dc, CreatePen(PS_SOLID, 1, Black));
    for (int h = 0; h <= hours; h += step) {
        const int x = h == hours ? l.plot.left + l.plot.width
                                 : CellPixels(h * 60, minutes, l.plot.left, l.plot.width).from;
        MoveToEx(dc, x, l.hoursTop - S(4, dpi), nullptr);
        LineTo(dc, x, l.hoursTop - S(1, dpi));
        const int hour = g.span.first + h;
        Text(dc, x, l.hoursTop, AsciiToUtf16((hour < 10 ? " " : "") + NumberText(hour)),
             TA_CENTER | TA_TOP);
    }
}

void DrawBars(HDC dc, const PeriodContent& c, const PeriodLayout& l, int dpi) {
    const PeriodPicture& p = *c.picture;
    const COLORREF colour = c.channel == 0 ? Ch1Colour : Ch2Colour;
    for (int day = 0; day < p.grid.days; ++day) {
        const int length =
            BarLength(p.dayLux[static_cast<size_t>(day)], p.longestDay, c.budget, l.bars.width);
        if (length == 0) continue;
        const CellSpan row = CellPixels(day, p.grid.days, l.bars.top, l.bars.height);
        // A row thinner than a pixel still shows its bar, over the next one.
        Fill(dc, l.bars.left, row.from, l.bars.left + length, std::max(row.to, row.from + 1),
             colour);
    }
    SelectedObject axis(dc, CreatePen(PS_SOLID, 1, Black));
    MoveToEx(dc, l.bars.left, l.bars.top, nullptr);
    LineTo(dc, l.bars.left, l.bars.top + l.bars.height);
    if (c.budget <= 0) return;
    const int x = l.bars.left + BudgetLineLength(p.longestDay, c.budget, l.bars.width);
    {
        SelectedObject dashes(dc, CreatePen(PS_DASH, 1, BudgetGrey));
        const int mode = SetBkMode(dc, TRANSPARENT);
        MoveToEx(dc, x, l.bars.top, nullptr);
        LineTo(dc, x, l.bars.top + l.bars.height);
        SetBkMode(dc, mode);
    }
    Text(dc, l.bars.left + l.bars.width, l.bars.top - S(4, dpi), DailyShareText(c.budget),
         TA_RIGHT | TA_BOTTOM, BudgetGrey);
}

void DrawLegend(HDC dc, const PeriodContent& c, const PeriodLayout& l, int dpi) {
    const PlotBox& s = l.scale;
    const int bottom = s.top + s.height;
    // One line of the scale's colour a pixel row, 10 lx at the bottom.
    for (int y = s.top; y < bottom; ++y) {
        const double t = (bottom - 1 - y + 0.5) / s.height;
        const int64_t lux = static_cast<int64_t>(std::pow(10.0, 1 + 4 * t) + 0.5);
        Fill(dc, s.left, y, s.left + s.width, y + 1, Colour(LuxColour(lux)));
    }
    Outline(dc, s.left - 1, s.top - 1, s.left + s.width + 1, bottom + 1, Black);
    SelectedObject pen(dc, CreatePen(PS_SOLID, 1, Black));
    auto tick = [&](int64_t lux, const std::u16string& text, COLORREF colour) {
        const int y = bottom - ScaleHeight(lux, s.height);
        MoveToEx(dc, s.left + s.width, y, nullptr);
        LineTo(dc, s.left + s.width + S(4, dpi), y);
        Text(dc, l.legendText, y - l.fontHeight / 2, text, TA_LEFT | TA_TOP, colour);
    };
    // The threshold's label takes the place of a decade's it would touch.
    const bool threshold = c.threshold.given && c.threshold.lux >= 10 && c.threshold.lux <= 100000;
    const int thresholdY = bottom - ScaleHeight(c.threshold.lux, s.height);
    for (int64_t lux : {10, 100, 1000, 10000, 100000}) {
        const int y = bottom - ScaleHeight(lux, s.height);
        const bool hidden = threshold && std::abs(y - thresholdY) < l.fontHeight;
        tick(lux, hidden ? u"" : AsciiToUtf16(NumberText(lux)) + u" lx", Black);
    }
    if (threshold) {
        SelectedObject green(dc, CreatePen(PS_SOLID, S(2, dpi), ThresholdGreen));
        MoveToEx(dc, s.left - S(4, dpi), thresholdY, nullptr);
        LineTo(dc, s.left + s.width + S(4, dpi), thresholdY);
        Text(dc, l.legendText, thresholdY - l.fontHeight / 2,
             u"しきい値 " + AsciiToUtf16(NumberText(c.threshold.lux)) + u" lx", TA_LEFT | TA_TOP,
             ThresholdGreen);
    }
    const PlotBox& w = l.swatch;
    Fill(dc, w.left, w.top, w.left + w.width, w.top + w.height, Colour(NoRecordingColour));
    Outline(dc, w.left - 1, w.top - 1, w.left + w.width + 1, w.top + w.height + 1, Black);
    Text(dc, l.legendText, w.top + w.height / 2 - l.fontHeight / 2, u"記録なし", TA_LEFT | TA_TOP);
}

} // namespace

void PaintPeriodMap(HDC dc, const ChartFrame& frame, const PeriodContent& c) {
    Fill(dc, frame.left, frame.top, frame.left + frame.width, frame.top + frame.height,
         RGB(255, 255, 255));
    const PeriodLayout l = LayOutPeriod(frame);
    const PeriodPicture& p = *c.picture;
    DrawCells(dc, p, l.plot);
    Outline(dc, l.plot.left - 1, l.plot.top - 1, l.plot.left + l.plot.width + 1,
            l.plot.top + l.plot.height + 1, Black);
    SelectedObject font(dc, CreateChartFont(frame.dpi));
    DrawDates(dc, p.grid, l);
    DrawHours(dc, p.grid, l, frame.dpi);
    DrawBars(dc, c, l, frame.dpi);
    DrawLegend(dc, c, l, frame.dpi);
    if (c.cursorShown && p.grid.days > 0) {
        const CellSpan x =
            CellPixels(c.cursorMinute, p.grid.span.minutes(), l.plot.left, l.plot.width);
        const CellSpan y = CellPixels(c.cursorDay, p.grid.days, l.plot.top, l.plot.height);
        Outline(dc, x.from - 1, y.from - 1, std::max(x.to, x.from + 1) + 1,
                std::max(y.to, y.from + 1) + 1, Black);
    }
}

namespace {

constexpr COLORREF DayGrey = RGB(200, 200, 200);
constexpr COLORREF CursorGrey = RGB(128, 128, 128);

// The x of a minute's vertex.
int MinuteX(int minute, int minutes, const PlotBox& plot) {
    return CellPixels(minute, minutes, plot.left, plot.width).from;
}

void OverlayGrid(HDC dc, const PeriodContent& c, const OverlayLayout& l, int dpi) {
    const PeriodGrid& g = c.picture->grid;
    SelectedObject pen(dc, CreatePen(PS_SOLID, 1, Black));
    for (int k = 0; k < HorizontalGridLines; ++k) {
        const int y = l.plot.top + k * (l.plot.height - 1) / (HorizontalGridLines - 1);
        MoveToEx(dc, l.plot.left, y, nullptr);
        LineTo(dc, l.plot.left + l.plot.width, y);
        Text(dc, l.plot.left - S(4, dpi), y - l.fontHeight / 2,
             AsciiToUtf16(RangeLabel(c.range, k)), TA_RIGHT | TA_TOP);
    }
    const int hours = g.span.end - g.span.first;
    int step = 1;
    while (step < hours && l.plot.width * step / hours < S(20, dpi))
        ++step;
    for (int h = 0; h <= hours; h += step) {
        const int x =
            h == hours ? l.plot.left + l.plot.width - 1 : MinuteX(h * 60, g.span.minutes(), l.plot);
        MoveToEx(dc, x, l.plot.top, nullptr);
        LineTo(dc, x, l.plot.top + l.plot.height);
        const int hour = g.span.first + h;
        Text(dc, x, l.plot.top + l.plot.height + S(4, dpi),
             AsciiToUtf16((hour < 10 ? " " : "") + NumberText(hour)), TA_CENTER | TA_TOP);
    }
}

// Each run of minutes that `has` accepts as one polyline through `y`.
template <class Has, class Y> void Runs(HDC dc, int minutes, const PlotBox& plot, Has has, Y y) {
    std::vector<POINT> run;
    auto flush = [&] {
        if (run.size() == 1) run.push_back({run[0].x + 1, run[0].y});
        if (run.size() > 1) Polyline(dc, run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (int m = 0; m < minutes; ++m) {
        if (!has(m)) {
            flush();
            continue;
        }
        run.push_back({MinuteX(m, minutes, plot), y(m)});
    }
    flush();
}

void OverlayBand(HDC dc, const PeriodContent& c, const OverlayLayout& l, COLORREF channel) {
    const OverlayData& o = *c.overlay;
    const int minutes = c.picture->grid.span.minutes();
    const OwnedBrush tint(CreateSolidBrush(
        Colour(Tint({GetRValue(channel), GetGValue(channel), GetBValue(channel)}))));
    const Selection brush(dc, tint.get());
    const Selection pen(dc, GetStockObject(NULL_PEN));
    std::vector<POINT> band;
    auto flush = [&](int end) {
        if (band.empty()) return;
        // Back along the 10th percentile.
        const int first = end - static_cast<int>(band.size());
        for (int m = end - 1; m >= first; --m)
            band.push_back({MinuteX(m, minutes, l.plot) + 1,
                            OverlayY(o.p10[static_cast<size_t>(m)], c.range, l.plot) + 1});
        Polygon(dc, band.data(), static_cast<int>(band.size()));
        band.clear();
    };
    for (int m = 0; m < minutes; ++m) {
        if (o.held[static_cast<size_t>(m)] == 0) {
            flush(m);
            continue;
        }
        band.push_back({MinuteX(m, minutes, l.plot),
                        OverlayY(o.p90[static_cast<size_t>(m)], c.range, l.plot)});
    }
    flush(minutes);
}

void OverlayLegend(HDC dc, const PeriodContent& c, const OverlayLayout& l, int dpi,
                   COLORREF channel) {
    const OverlayData& o = *c.overlay;
    int x = l.plot.left;
    const int y = l.legendTop;
    auto entry = [&](const std::u16string& text, COLORREF colour, int width, bool box) {
        if (box) {
            Fill(dc, x, y + S(3, dpi), x + S(20, dpi), y + l.fontHeight - S(3, dpi), colour);
        } else {
            SelectedObject pen(dc, CreatePen(PS_SOLID, width, colour));
            MoveToEx(dc, x, y + l.fontHeight / 2, nullptr);
            LineTo(dc, x + S(20, dpi), y + l.fontHeight / 2);
        }
        x += S(26, dpi);
        Text(dc, x, y, text, TA_LEFT | TA_TOP, box || o.many() ? Black : colour);
        SIZE size = {};
        GetTextExtentPoint32W(dc, Wide(text.c_str()), static_cast<int>(text.size()), &size);
        x += size.cx + S(16, dpi);
    };
    if (o.many()) {
        entry(u"中央値", channel, S(2, dpi), false);
        entry(u"10–90 %",
              Colour(Tint({GetRValue(channel), GetGValue(channel), GetBValue(channel)})), 1, true);
        entry(u"各日 (" + AsciiToUtf16(NumberText(static_cast<int64_t>(o.days.size()))) + u" 日)",
              DayGrey, 1, false);
        return;
    }
    for (size_t i = 0; i < o.days.size(); ++i)
        entry(DayLegend(c.picture->grid.firstDay + o.days[i]),
              Colour(DayColour(static_cast<int>(i))), S(2, dpi), false);
}

} // namespace

void PaintPeriodOverlay(HDC dc, const ChartFrame& frame, const PeriodContent& c) {
    Fill(dc, frame.left, frame.top, frame.left + frame.width, frame.top + frame.height,
         RGB(255, 255, 255));
    const OverlayLayout l = LayOutOverlay(frame);
    const PeriodGrid& g = c.picture->grid;
    const OverlayData& o = *c.overlay;
    const int minutes = g.span.minutes();
    const COLORREF channel = c.channel == 0 ? Ch1Colour : Ch2Colour;
    SelectedObject font(dc, CreateChartFont(frame.dpi));
    OverlayGrid(dc, c, l, frame.dpi);
    OverlayLegend(dc, c, l, frame.dpi, channel);
    // Nothing below the zero line or outside the plot.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, l.plot.left, l.plot.top, l.plot.left + l.plot.width,
                      l.plot.top + l.plot.height);
    if (o.many()) OverlayBand(dc, c, l, channel);
    if (c.thresholdLine && c.threshold.given && c.threshold.lux <= FullScaleLux(c.range)) {
        SelectedObject dashes(dc, CreatePen(PS_DASH, 1, ThresholdGreen));
        const int mode = SetBkMode(dc, TRANSPARENT);
        const int y = OverlayY(c.threshold.lux, c.range, l.plot);
        MoveToEx(dc, l.plot.left, y, nullptr);
        LineTo(dc, l.plot.left + l.plot.width, y);
        SetBkMode(dc, mode);
    }
    for (size_t i = 0; i < o.days.size(); ++i) {
        const int day = o.days[i];
        SelectedObject pen(dc, o.many() ? CreatePen(PS_SOLID, 1, DayGrey)
                                        : CreatePen(PS_SOLID, S(2, frame.dpi),
                                                    Colour(DayColour(static_cast<int>(i)))));
        Runs(
            dc, minutes, l.plot, [&](int m) { return g.held(day, m); },
            [&](int m) {
                return OverlayY(LuxOf(g.counts[static_cast<size_t>(g.index(day, m))]), c.range,
                                l.plot);
            });
    }
    if (o.many()) {
        SelectedObject pen(dc, CreatePen(PS_SOLID, S(2, frame.dpi), channel));
        Runs(
            dc, minutes, l.plot, [&](int m) { return o.held[static_cast<size_t>(m)] > 0; },
            [&](int m) { return OverlayY(o.p50[static_cast<size_t>(m)], c.range, l.plot); });
    }
    if (c.cursorShown) {
        const int x = MinuteX(c.cursorMinute, minutes, l.plot);
        Fill(dc, x, l.plot.top, x + 1, l.plot.top + l.plot.height, CursorGrey);
    }
    RestoreDC(dc, saved);
}

void PaintPeriod(HDC dc, const ChartFrame& frame, const PeriodContent& c) {
    if (c.view == PeriodView::Overlay && c.overlay)
        PaintPeriodOverlay(dc, frame, c);
    else
        PaintPeriodMap(dc, frame, c);
}
