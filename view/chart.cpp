// Chart painting. Each pen, brush and the font live only for the block that
// draws with them. Every coordinate is the 96-DPI layout placed in the frame
// where it is made; widths and text sizes follow the DPI only.
#include "view/chart.h"

#include <climits>

#include "core/text.h"
#include "view/chart_scale.h"
#include "view/dpi_scale.h"
#include "win/gdi_select.h"
#include "win/scoped_gdi.h"
#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

// The legend along the top: each channel's caption, then its stroke.
constexpr int Ch1LegendX = 260;
constexpr int Ch2LegendX = 360;
constexpr int LegendStrokeGap = 30;

constexpr COLORREF Black = 0x00000000;
constexpr COLORREF Blue = Ch1Colour;
constexpr COLORREF Red = Ch2Colour;
constexpr COLORREF Grey = 0x00808080;
constexpr COLORREF ThresholdGreen = RGB(0, 128, 0);
constexpr int FontHeight = 14;

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

// The part of the DC a paint can change. A mouse move over the plot asks for
// two columns only: the labels (and their font) and the trace segments that
// cannot reach them are not drawn at all, which makes such a paint cheap.
RECT DirtyBox(HDC dc) {
    RECT box;
    if (GetClipBox(dc, &box) == ERROR) box = {INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
    return box;
}

// A label keeps its place beside a point of the grid (its anchor) as the
// frame stretches; the legend's anchor is the frame's corner, so it stays
// along the top.
struct Label {
    int anchorX, anchorY; // 96-DPI layout
    int x, y;             // 96-DPI top-left corner in the natural frame
    const char* text;
};

constexpr int FrameLabelCount = HorizontalGridLines + VerticalGridLines + 2;

// The y-axis labels of the range, the hour labels and the channel captions.
void FrameLabels(int32_t range, Label out[FrameLabelCount]) {
    int i = 0;
    for (int k = 0; k < HorizontalGridLines; ++k) {
        const int line = PlotTop + GridRowHeight * k;
        out[i++] = {PlotLeft, line, 10, line - 4, RangeLabel(range, k)};
    }
    for (int k = 0; k < VerticalGridLines; ++k) {
        const int line = PlotLeft + GridColumnWidth * k;
        out[i++] = {line, PlotBottom, line - 8, PlotBottom + 5, HourLabels[k]};
    }
    out[i++] = {0, 0, Ch1LegendX, 8, "CH1"};
    out[i++] = {0, 0, Ch2LegendX, 8, "CH2"};
}

// Where the label's top-left corner falls: its anchor's place in the frame,
// and its distance from the anchor at the frame's DPI.
POINT LabelCorner(const Label& label, const ChartFrame& f) {
    return {FrameX(f, label.anchorX) + S(label.x, f.dpi) - S(label.anchorX, f.dpi),
            FrameY(f, label.anchorY) + S(label.y, f.dpi) - S(label.anchorY, f.dpi)};
}

// A generous box: no character of the font is wider than it is high.
bool Touches(const Label& label, const ChartFrame& f, const RECT& dirty) {
    int chars = 0;
    while (label.text[chars] != 0)
        ++chars;
    const POINT at = LabelCorner(label, f);
    const RECT box = {at.x, at.y, at.x + S(chars * FontHeight, f.dpi),
                      at.y + S(FontHeight + 2, f.dpi)};
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

void DrawLabels(HDC dc, int32_t range, const ChartFrame& f) {
    const RECT dirty = DirtyBox(dc);
    Label labels[FrameLabelCount];
    FrameLabels(range, labels);
    bool any = false;
    for (const Label& label : labels)
        any = any || Touches(label, f, dirty);
    if (!any) return;
    SelectedObject font(dc, CreateChartFont(f.dpi));
    for (const Label& label : labels) {
        if (!Touches(label, f, dirty)) continue;
        const POINT at = LabelCorner(label, f);
        DrawLabel(dc, at.x, at.y, label.text);
    }
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawGrid(HDC dc, const ChartFrame& f) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(1, f.dpi), Black));
    const int top = FrameY(f, PlotTop), bottom = FrameY(f, PlotBottom);
    for (int k = 0; k < VerticalGridLines; ++k) {
        const int x = FrameX(f, PlotLeft + GridColumnWidth * k);
        DrawLine(dc, x, top, x, bottom);
    }
    const int left = FrameX(f, PlotLeft), right = FrameX(f, PlotRight);
    for (int k = 0; k < HorizontalGridLines; ++k) {
        const int y = FrameY(f, PlotTop + GridRowHeight * k);
        DrawLine(dc, left, y, right, y);
    }
}

// Along the top, beside its caption, whatever the frame's size.
void DrawLegendStroke(HDC dc, COLORREF colour, int x, const ChartFrame& f) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(3, f.dpi), colour));
    const int y = f.top + S(14, f.dpi);
    DrawLine(dc, f.left + S(x, f.dpi), y, f.left + S(x + 20, f.dpi), y);
}

// Every segment whose columns meet the dirty box, each drawn as the whole
// polyline would draw it: a line does not depend on where its polyline began.
// Each run of such segments is one polyline, so a printer or a metafile gets
// one path for it rather than one per minute.
void DrawTrace(HDC dc, COLORREF colour, const int32_t samples[SampleCount], int32_t range,
               const ChartFrame& f) {
    const RECT dirty = DirtyBox(dc);
    const int margin = S(1, f.dpi) + 1; // the pen's width and a pixel
    ChartPoint v[SampleCount];
    TraceVertices(samples, range, f, v);
    SelectedObject pen(dc, CreatePen(PS_SOLID, S(1, f.dpi), colour));
    POINT run[SampleCount];
    int length = 0;
    for (int i = 0; i + 1 < SampleCount; ++i) {
        if (v[i + 1].x + margin < dirty.left || v[i].x - margin >= dirty.right) {
            if (length > 1) Polyline(dc, run, length);
            length = 0;
            continue;
        }
        if (length == 0) run[length++] = {v[i].x, v[i].y};
        run[length++] = {v[i + 1].x, v[i + 1].y};
    }
    if (length > 1) Polyline(dc, run, length);
}

// A dashed pen: the system's dashes (18 pixels on, 6 off) at one pixel;
// wider, a geometric pen with the same dashes scaled, as a cosmetic pen wider
// than a pixel is drawn solid.
HPEN DashedPen(int dpi, COLORREF colour) {
    const int width = S(1, dpi);
    if (width <= 1) return CreatePen(PS_DASH, 1, colour);
    LOGBRUSH brush = {BS_SOLID, colour, 0};
    const DWORD dashes[] = {static_cast<DWORD>(S(18, dpi)), static_cast<DWORD>(S(6, dpi))};
    return ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, static_cast<DWORD>(width),
                        &brush, 2, dashes);
}

// The threshold's line across the plot, and "しきい値 <lux> lx" at its right
// end just above it (below it on the top line), in the chart's font.
void DrawThresholdLine(HDC dc, const Threshold& threshold, int32_t range, const ChartFrame& f) {
    int32_t y96 = 0;
    if (!threshold.given || !ThresholdLineY(threshold.lux, range, y96)) return;
    const int y = FrameY(f, y96);
    {
        SelectedObject pen(dc, DashedPen(f.dpi, ThresholdGreen));
        // Between the plot's borders, which stay black.
        DrawLine(dc, FrameX(f, PlotLeft) + S(1, f.dpi), y, FrameX(f, PlotRight), y);
    }
    const std::string digits = NumberText(threshold.lux);
    const std::u16string label = u"しきい値 " + AsciiToUtf16(digits) + u" lx";
    const bool onTop = y96 == PlotTop;
    const int right = FrameX(f, PlotRight);
    const int gap = S(2, f.dpi);
    // A generous box for the clip test, as the labels have.
    const RECT box = {right - S(FontHeight * static_cast<int>(label.size()), f.dpi),
                      onTop ? y : y - S(FontHeight + 2, f.dpi) - gap, right,
                      onTop ? y + S(FontHeight + 2, f.dpi) + gap : y};
    const RECT dirty = DirtyBox(dc);
    if (box.right <= dirty.left || box.left >= dirty.right || box.bottom <= dirty.top ||
        box.top >= dirty.bottom)
        return;
    SelectedObject font(dc, CreateChartFont(f.dpi));
    // Transparent: the grid stays visible through it.
    const TextState state(dc, ThresholdGreen, TRANSPARENT,
                          TA_RIGHT | (onTop ? TA_TOP : TA_BOTTOM) | TA_NOUPDATECP);
    TextOutW(dc, right, onTop ? y + gap : y - gap + 1, Wide(label.c_str()),
             static_cast<int>(label.size()));
}

// The cursor line, over the grid and under the traces.
void PaintCursor(HDC dc, int32_t n, const ChartFrame& f) {
    const RECT column = CursorColumn(n, f);
    const OwnedBrush grey(CreateSolidBrush(Grey));
    FillRect(dc, &column, grey.get());
}

} // namespace

HFONT CreateChartFont(int dpi) {
    return CreateFontW(S(FontHeight, dpi), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
}

int PaintChartFrame(HDC dc, int32_t range, const ChartFrame& frame) {
    DrawGrid(dc, frame);
    DrawLabels(dc, range, frame);
    DrawLegendStroke(dc, Blue, Ch1LegendX + LegendStrokeGap, frame);
    DrawLegendStroke(dc, Red, Ch2LegendX + LegendStrokeGap, frame);
    return 0;
}

int PlotTraces(HDC dc, const Recording& r, int32_t range, const ChartFrame& frame) {
    DrawTrace(dc, Blue, r.Ch1Samples, range, frame);
    DrawTrace(dc, Red, r.Ch2Samples, range, frame);
    return 0;
}

RECT CursorColumn(int32_t n, const ChartFrame& frame) {
    const int x = FrameX(frame, PlotLeft + n);
    return {x, FrameY(frame, PlotTop), x + S(1, frame.dpi), FrameY(frame, PlotBottom) + 1};
}

void PaintChart(HDC dc, const ChartFrame& frame, const ChartContent& content) {
    PaintChartFrame(dc, content.range, frame);
    if (content.thresholdLine) DrawThresholdLine(dc, content.threshold, content.range, frame);
    if (content.cursor > 0) PaintCursor(dc, content.cursor, frame);
    if (IsLoaded(*content.recording)) PlotTraces(dc, *content.recording, content.range, frame);
}
