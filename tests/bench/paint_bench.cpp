// How long one full paint (frame and both traces) takes on a memory DC of the
// chart's size. A figure to report, not a test: run it by hand under Wine,
//   wine build/win/paint_bench.exe
#include <windows.h>

#include <cstdio>

#include "core/recording.h"
#include "view/chart.h"

int main() {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 914, 582);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    static Recording r;
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = (i * 37) % 2000;
        r.Ch2Samples[i] = (i * 53) % 2000;
    }
    r.DataLoaded = 1;
    const int rounds[] = {200, 2000};
    for (int n : rounds) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < n; ++i) {
            PaintChart(dc, NaturalFrame(96), {&r, InitialDisplayRange, 0});
        }
        GdiFlush();
        QueryPerformanceCounter(&t1);
        const double us = 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart / n;
        std::printf("%d paints: %.1f us per paint (frame + two traces)\n", n, us);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
