// Texts in the page's own pixels: fonts sized in points for the page's
// resolution, made and let go around what they draw.
#include "print/report_page.h"

#include <algorithm>

#include "core/text.h"
#include "view/chart.h"
#include "win/gdi_select.h"
#include "win/scoped_gdi.h"
#include "win/wide.h"

namespace {

// The chart's own face for every text of the page: a printer driver may
// send each face it meets whole, and a Japanese face is large (under Wine
// a second face doubles the time a page takes).
HFONT PageFont(int32_t height, bool bold = false) {
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
}

enum class Align { Left, Right, Centre };

// A line of text with its top at y, by its left or right edge or centre.
void PageText(HDC dc, int32_t x, int32_t y, const std::u16string& text, Align align = Align::Left) {
    const UINT mode = align == Align::Left ? TA_LEFT : align == Align::Right ? TA_RIGHT : TA_CENTER;
    const TextAlignment aligned(dc, mode | TA_TOP | TA_NOUPDATECP);
    TextOutW(dc, x, y, Wide(text.c_str()), static_cast<int>(text.size()));
}

// Clipped to its cell, so a long title never runs into the next column.
void CellText(HDC dc, const RECT& cell, int32_t padding, const std::u16string& text, bool right) {
    const TextAlignment aligned(dc, (right ? TA_RIGHT : TA_LEFT) | TA_TOP | TA_NOUPDATECP);
    const int x = right ? cell.right - padding : cell.left + padding;
    ExtTextOutW(dc, x, cell.top, ETO_CLIPPED, &cell, Wide(text.c_str()),
                static_cast<UINT>(text.size()), nullptr);
}

void Rule(HDC dc, int32_t left, int32_t right, int32_t y, int32_t width) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, width, RGB(0, 0, 0)));
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);
}

} // namespace

PageGeometry PageOf(HDC dc) {
    return {GetDeviceCaps(dc, HORZRES),         GetDeviceCaps(dc, VERTRES),
            GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
            GetDeviceCaps(dc, PHYSICALWIDTH),   GetDeviceCaps(dc, PHYSICALHEIGHT),
            GetDeviceCaps(dc, LOGPIXELSY)};
}

void PaintRecordingPage(HDC dc, const PageGeometry& page, const RecordingReport& report,
                        const ChartContent& chart) {
    const RecordingPageLayout l =
        LayOutRecordingPage(page, static_cast<int>(report.figures.size()));
    {
        SelectedObject font(dc, PageFont(l.titleSize, true));
        PageText(dc, l.left, l.titleY, report.title);
    }
    {
        SelectedObject font(dc, PageFont(l.textSize));
        const int32_t half = l.left + (l.right - l.left) / 2;
        PageText(dc, l.left, l.headerY, report.file);
        PageText(dc, half, l.headerY, report.period);
        PageText(dc, l.left, l.headerY + l.lineHeight, report.ch1);
        PageText(dc, half, l.headerY + l.lineHeight, report.ch2);
        PageText(dc, l.left, l.headerY + 2 * l.lineHeight, report.memo);

        int32_t y = l.tableY;
        for (const ReportFigureRow& row : report.figures) {
            PageText(dc, l.columns[0], y, row.label);
            PageText(dc, l.columns[1], y, row.ch1, Align::Right);
            PageText(dc, l.columns[2], y, row.ch2, Align::Right);
            y += l.lineHeight;
        }
        Rule(dc, l.left, l.columns[2], l.tableY + l.lineHeight - Points(page, 3),
             Points(page, 1) / 2);
    }
    {
        SelectedObject font(dc, PageFont(Points(page, 8)));
        PageText(dc, l.left, l.footerY, report.printedAt);
        PageText(dc, l.right, l.footerY, report.program, Align::Right);
        PageText(dc, l.left, l.footerY + l.lineHeight, report.path);
    }
    PaintChart(dc, l.chart, WithoutCursor(chart));
}

void PaintPicturePage(HDC dc, const PageGeometry& page, const std::vector<std::u16string>& heading,
                      int naturalWidth, int naturalHeight, const PagePicturePainter& paint,
                      const PageTable& table) {
    const int lines = heading.empty() ? 0 : static_cast<int>(heading.size()) - 1;
    const PicturePageLayout l =
        LayOutPicturePage(page, lines, naturalWidth, naturalHeight, static_cast<int>(table.size()));
    if (!heading.empty()) {
        SelectedObject font(dc, PageFont(l.titleSize, true));
        PageText(dc, l.left, l.top, heading[0]);
    }
    {
        SelectedObject font(dc, PageFont(l.textSize));
        for (int i = 0; i < lines; ++i)
            PageText(dc, l.left, l.linesY + i * l.lineHeight, heading[static_cast<size_t>(i) + 1]);
        int32_t y = l.tableY;
        for (const std::vector<std::u16string>& row : table) {
            for (size_t c = 0; c < row.size() && c < 3; ++c)
                PageText(dc, l.columns[c], y, row[c], c == 0 ? Align::Left : Align::Right);
            y += l.lineHeight;
        }
    }
    paint(dc, l.picture);
}

TableLayout LayOutTable(HDC dc, const PageGeometry& page, const PrintedTable& table) {
    const RecordingPageLayout margins = LayOutRecordingPage(page, 0);
    TableLayout t = {};
    t.left = margins.left;
    t.right = margins.right;
    t.top = margins.top;
    t.bottom = margins.bottom - Points(page, 14); // "n / N" below
    t.textSize = Points(page, 9);
    t.padding = Points(page, 4);
    // Each column as wide as its widest text; all narrower together if the
    // page is not wide enough.
    {
        SelectedObject font(dc, PageFont(t.textSize));
        t.widths.assign(table.titles.size(), 0);
        auto measure = [&](size_t c, const std::u16string& text) {
            SIZE size = {};
            GetTextExtentPoint32W(dc, Wide(text.c_str()), static_cast<int>(text.size()), &size);
            t.widths[c] = std::max<int32_t>(t.widths[c], size.cx + 2 * t.padding);
        };
        for (size_t c = 0; c < table.titles.size(); ++c)
            measure(c, table.titles[c]);
        for (const auto& row : table.rows)
            for (size_t c = 0; c < row.size() && c < t.widths.size(); ++c)
                measure(c, row[c]);
    }
    int64_t total = 0;
    for (int32_t w : t.widths)
        total += w;
    const int32_t room = t.right - t.left;
    if (total > room) {
        t.textSize = static_cast<int32_t>(std::max<int64_t>(1, t.textSize * room / total));
        t.padding = static_cast<int32_t>(t.padding * room / total);
        for (int32_t& w : t.widths)
            w = static_cast<int32_t>(w * room / total);
    }
    t.lineHeight = t.textSize * 3 / 2;
    const int32_t lines = (t.bottom - t.top) / std::max(1, t.lineHeight);
    t.perPage = std::max(1, lines - 1); // the titles' line
    t.firstPage = std::max(1, t.perPage - static_cast<int>(table.heading.size()) - 1);
    return t;
}

int TablePageTotal(const TableLayout& t, const PrintedTable& table) {
    return TablePageCount(static_cast<int>(table.rows.size()), t.firstPage, t.perPage);
}

void PaintTablePage(HDC dc, const PageGeometry& page, const PrintedTable& table,
                    const TableLayout& t, int index) {
    const int pages = TablePageTotal(t, table);
    SelectedObject font(dc, PageFont(t.textSize));
    int32_t y = t.top;
    if (index == 0) {
        for (const std::u16string& line : table.heading) {
            PageText(dc, t.left, y, line);
            y += t.lineHeight;
        }
        y += t.lineHeight / 2;
    }
    auto line = [&](const std::vector<std::u16string>& cells) {
        int32_t x = t.left;
        for (size_t c = 0; c < cells.size() && c < t.widths.size(); ++c) {
            const RECT cell = {x, y, x + t.widths[c], y + t.lineHeight};
            CellText(dc, cell, t.padding, cells[c], table.rightAligned[c]);
            x += t.widths[c];
        }
        y += t.lineHeight;
    };
    line(table.titles);
    int32_t tableRight = t.left;
    for (int32_t w : t.widths)
        tableRight += w;
    Rule(dc, t.left, tableRight, y - t.lineHeight / 8, std::max(1, Points(page, 1) / 2));
    const int first = TablePageStart(index, t.firstPage, t.perPage);
    const int count = index == 0 ? t.firstPage : t.perPage;
    for (int i = first; i < first + count && i < static_cast<int>(table.rows.size()); ++i)
        line(table.rows[static_cast<size_t>(i)]);
    const std::string foot = NumberText(index + 1) + " / " + NumberText(pages);
    PageText(dc, (t.left + t.right) / 2, t.bottom + Points(page, 2), AsciiToUtf16(foot),
             Align::Centre);
}
