// Chart painting. Each pen, brush and the font live only for the block that
// draws with them. Every coordinate is the 96-DPI layout scaled for the DPI
// it is drawn at, where it is made.
#include "view/chart.h"

#include <climits>

#include "view/chart_scale.h"
#include "view/dpi_scale.h"
#include "view/gdi_select.h"
#include "win/owned_handle.h"

namespace {

constexpr COLORREF Black = 0x00000000;
constexpr COLORREF Blue = 0x00FF0000;
constexpr COLORREF Red = 0x000000FF;
constexpr COLORREF Grey = 0x00808080;
constexpr int FontHeight = 14;

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

HFONT CreateChartFont(int dpi) {
    return CreateFontW(S(FontHeight, dpi), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
}

// The part of the DC a paint can change. A mouse move over the plot asks for
// two columns only: the labels (and their font) and the trace segments that
// cannot reach them are not drawn at all, which makes such a paint cheap.
RECT DirtyBox(HDC dc) {
    RECT box;
    if (GetClipBox(dc, &box) == ERROR) box = {INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
    return box;
}

struct Label {
    int x, y; // 96-DPI top-left corner
    const char* text;
};

constexpr int FrameLabelCount = HorizontalGridLines + VerticalGridLines + 2;

// The y-axis labels of the range, the hour labels and the channel captions.
void FrameLabels(int32_t range, Label out[FrameLabelCount]) {
    int i = 0;
    for (int k = 0; k < HorizontalGridLines; ++k)
        out[i++] = {10, 30 + GridRowHeight * k, RangeLabel(range, k)};
    for (int k = 0; k < VerticalGridLines; ++k)
        out[i++] = {52 + GridColumnWidth * k, 539, HourLabels[k]};
    out[i++] = {260, 8, "CH1"};
    out[i++] = {360, 8, "CH2"};
}

// A generous box: no character of the font is wider than it is high.
bool Touches(const Label& label, int dpi, const RECT& dirty) {
    int chars = 0;
    while (label.text[chars] != 0)
        ++chars;
    const RECT box = {S(label.x, dpi), S(label.y, dpi), S(label.x + chars * FontHeight, dpi),
                      S(label.y + FontHeight + 2, dpi)};
    return box.left < dirty.right && box.right > dirty.left && box.top < dirty.bottom &&
           box.bottom > dirty.top;
}

// The labels are ASCII, so each byte is its own UTF-16 unit.
void DrawLabel(HDC dc, int x, int y, const char* text) {
    wchar_t wide[16];
    int n = 0;
    for (; text[n] != 0 && n < 16; ++n)
        wide[n] = static_cast<unsigned char>(text[n]);
    TextOutW(dc, x, y, wide, n);
}

void DrawLabels(HDC dc, int32_t range, int dpi) {
    const RECT dirty = DirtyBox(dc);
    Label labels[FrameLabelCount];
    FrameLabels(range, labels);
    bool any = false;
    for (const Label& label : labels)
        any = any || Touches(label, dpi, dirty);
    if (!any) return;
    SelectedObject font(dc, CreateChartFont(dpi));
    for (const Label& label : labels)
        if (Touches(label, dpi, dirty)) DrawLabel(dc, S(label.x, dpi), S(label.y, dpi), label.text);
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawGrid(HDC dc, int dpi) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(1, dpi), Black));
    for (int k = 0; k < VerticalGridLines; ++k) {
        const int x = S(PlotLeft + GridColumnWidth * k, dpi);
        DrawLine(dc, x, S(PlotTop, dpi), x, S(PlotBottom, dpi));
    }
    for (int k = 0; k < HorizontalGridLines; ++k) {
        const int y = S(PlotTop + GridRowHeight * k, dpi);
        DrawLine(dc, S(PlotLeft, dpi), y, S(PlotRight, dpi), y);
    }
}

void DrawLegendStroke(HDC dc, COLORREF colour, int x, int dpi) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(3, dpi), colour));
    DrawLine(dc, S(x, dpi), S(14, dpi), S(x + 20, dpi), S(14, dpi));
}

// Every segment whose columns meet the dirty box, each drawn as the whole
// polyline would draw it: a line does not depend on where its polyline began.
void DrawTrace(HDC dc, COLORREF colour, const int32_t samples[SampleCount], int32_t range,
               int dpi) {
    const RECT dirty = DirtyBox(dc);
    const int margin = S(1, dpi) + 1; // the pen's width and a pixel
    ChartPoint v[SampleCount];
    TraceVertices(samples, range, dpi, v);
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(1, dpi), colour));
    bool drawing = false;
    for (int i = 0; i + 1 < SampleCount; ++i) {
        if (v[i + 1].x + margin < dirty.left || v[i].x - margin >= dirty.right) {
            drawing = false;
            continue;
        }
        if (!drawing) MoveToEx(dc, v[i].x, v[i].y, nullptr);
        drawing = true;
        LineTo(dc, v[i + 1].x, v[i + 1].y);
    }
}

// The cursor line, over the grid and under the traces.
void PaintCursor(HDC dc, int32_t n, int dpi) {
    const RECT column = CursorColumn(n, dpi);
    const OwnedBrush grey(CreateSolidBrush(Grey));
    FillRect(dc, &column, grey.get());
}

} // namespace

int PaintChartFrame(HDC dc, int32_t range, int dpi) {
    DrawGrid(dc, dpi);
    DrawLabels(dc, range, dpi);
    DrawLegendStroke(dc, Blue, 290, dpi);
    DrawLegendStroke(dc, Red, 390, dpi);
    return 0;
}

int PlotTraces(HDC dc, const Recording& r, int32_t range, int dpi) {
    DrawTrace(dc, Blue, r.Ch1Samples, range, dpi);
    DrawTrace(dc, Red, r.Ch2Samples, range, dpi);
    return 0;
}

RECT CursorColumn(int32_t n, int dpi) {
    const int x = S(PlotLeft + n, dpi);
    return {x, S(PlotTop, dpi), x + S(1, dpi), S(PlotBottom, dpi) + 1};
}

void PaintChart(HDC dc, const Recording& r, int32_t range, int dpi, int32_t cursor) {
    PaintChartFrame(dc, range, dpi);
    if (cursor > 0) PaintCursor(dc, cursor, dpi);
    if (IsLoaded(r)) PlotTraces(dc, r, range, dpi);
}
