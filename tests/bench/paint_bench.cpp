// How long one full paint (frame and both traces) takes on a memory DC: at
// the chart's natural size, and filling a maximised window on a 1920 × 1080
// screen. A figure to report, not a test: run it by hand under Wine,
//   wine build/win/paint_bench.exe
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "core/recording.h"
#include "view/chart.h"

namespace {

void Measure(const char* what, const ChartFrame& frame, const Recording& r) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, frame.width, frame.height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int n : {200, 2000}) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < n; ++i)
            PaintChart(dc, frame, {&r, InitialDisplayRange, 0});
        GdiFlush();
        QueryPerformanceCounter(&t1);
        const double us = 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart / n;
        std::printf("%s, %d paints: %.1f us per paint (frame + two traces)\n", what, n, us);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace

int main() {
    static Recording r;
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = (i * 37) % 2000;
        r.Ch2Samples[i] = (i * 53) % 2000;
    }
    r.DataLoaded = 1;
    Measure("natural 920 x 560", NaturalFrame(96), r);
    // The client area of a maximised window: 1920 wide, less the caption,
    // the menu and the borders.
    Measure("maximised 1920 x 1022", {0, 0, 1920, 1022, 96}, r);
    return 0;
}
