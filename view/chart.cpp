// Chart painting. Each pen and the font live only for the block that draws
// with them.
#include "view/chart.h"

#include "view/chart_scale.h"
#include "view/gdi_select.h"

namespace {

constexpr COLORREF Black = 0x00000000;
constexpr COLORREF Blue = 0x00FF0000;
constexpr COLORREF Red = 0x000000FF;

HFONT CreateChartFont() {
    return CreateFontW(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN,
                       L"ＭＳ ゴシック");
}

// The labels are ASCII, so each byte is its own UTF-16 unit.
void DrawLabel(HDC dc, int x, int y, const char* text) {
    wchar_t wide[16];
    int n = 0;
    for (; text[n] != 0 && n < 16; ++n)
        wide[n] = static_cast<unsigned char>(text[n]);
    TextOutW(dc, x, y, wide, n);
}

void DrawLine(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawLegendStroke(HDC dc, COLORREF colour, int x) {
    SelectedObject pen(dc, CreatePen(PS_SOLID, 3, colour));
    DrawLine(dc, x, 14, x + 20, 14);
}

void DrawTrace(HDC dc, COLORREF colour, const int32_t samples[SampleCount], int32_t range) {
    ChartPoint v[SampleCount];
    TraceVertices(samples, range, v);
    SelectedObject pen(dc, CreatePen(PS_SOLID, 1, colour));
    MoveToEx(dc, v[0].x, v[0].y, nullptr);
    for (int i = 1; i < SampleCount; ++i)
        LineTo(dc, v[i].x, v[i].y);
}

} // namespace

int PaintChartFrame(HDC dc, int32_t range) {
    {
        SelectedObject pen(dc, CreatePen(PS_SOLID, 1, Black));
        for (int k = 0; k < VerticalGridLines; ++k) {
            const int x = PlotLeft + GridColumnWidth * k;
            DrawLine(dc, x, PlotTop, x, PlotBottom);
        }
        for (int k = 0; k < HorizontalGridLines; ++k) {
            const int y = PlotTop + GridRowHeight * k;
            DrawLine(dc, PlotLeft, y, PlotRight, y);
        }
    }
    {
        SelectedObject font(dc, CreateChartFont());
        for (int k = 0; k < HorizontalGridLines; ++k)
            DrawLabel(dc, 10, 30 + GridRowHeight * k, RangeLabel(range, k));
        for (int k = 0; k < VerticalGridLines; ++k)
            DrawLabel(dc, 52 + GridColumnWidth * k, 539, HourLabels[k]);
        DrawLabel(dc, 260, 8, "CH1");
        DrawLabel(dc, 360, 8, "CH2");
    }
    DrawLegendStroke(dc, Blue, 290);
    DrawLegendStroke(dc, Red, 390);
    return 0;
}

int PlotTraces(HDC dc, const Recording& r, int32_t range) {
    DrawTrace(dc, Blue, r.Ch1Samples, range);
    DrawTrace(dc, Red, r.Ch2Samples, range);
    return 0;
}

void PaintChart(HDC dc, const Recording& r, int32_t range) {
    PaintChartFrame(dc, range);
    if (IsLoaded(r)) PlotTraces(dc, r, range);
}
