// 期間グラフ's figures: the picture worked out for a year and for ten years of
// daily recordings (what the window does between the button and its first
// paint), the first paint at the natural size, a maximised 1920 × 1080 paint,
// and the size of the year's EMF. Not a test: run it by hand under Wine,
//   wine build/win/period_bench.exe
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/calendar.h"
#include "list/period_figures.h"
#include "list/period_paint.h"
#include "view/chart_image.h"
#include "win/scoped_gdi.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1e3 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// One recording a day from 1 January 2020, 5:00, light curves that differ.
std::vector<std::vector<int32_t>> Samples(int days) {
    std::vector<std::vector<int32_t>> samples(static_cast<size_t>(days));
    for (int d = 0; d < days; ++d) {
        samples[static_cast<size_t>(d)].resize(SampleCount);
        for (int i = 0; i < SampleCount; ++i)
            samples[static_cast<size_t>(d)][static_cast<size_t>(i)] =
                static_cast<int32_t>(1800 * std::pow(std::sin(3.14159 * i / 839), 2) *
                                     (0.4 + 0.6 * std::fabs(std::sin(d))));
    }
    return samples;
}

std::vector<PeriodRecording> Recordings(const std::vector<std::vector<int32_t>>& samples) {
    std::vector<PeriodRecording> r;
    const int64_t first = DayNumber(2020, 1, 1);
    for (size_t d = 0; d < samples.size(); ++d) {
        int32_t y, m, day;
        DateOfDay(first + static_cast<int64_t>(d), y, m, day);
        r.push_back({{y, m, 0, day, 5, 0}, {samples[d].data(), samples[d].data()}});
    }
    return r;
}

double PaintMs(const PeriodContent& content, int width, int height) {
    const ScreenDc screen;
    const OwnedDc dc(CreateCompatibleDC(screen.get()));
    const OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const Selection selected(dc.get(), bitmap.get());
    const int n = 20;
    const double t0 = Now();
    for (int i = 0; i < n; ++i)
        PaintPeriodMap(dc.get(), {0, 0, width, height, 96}, content);
    GdiFlush();
    return (Now() - t0) / n;
}

} // namespace

int main() {
    for (int days : {365, 3650}) {
        const auto samples = Samples(days);
        const std::vector<PeriodRecording> chosen = Recordings(samples);
        // What the window works out when it opens: both channels' pictures,
        // their days laid over one another, and the figures.
        const double t0 = Now();
        PeriodPicture pictures[2];
        OverlayData overlays[2];
        for (int ch = 0; ch < 2; ++ch) {
            pictures[ch] = MakePeriodPicture(chosen, ch);
            overlays[ch] = MakeOverlay(pictures[ch].grid);
        }
        const PeriodGrid grids[2] = {pictures[0].grid, pictures[1].grid};
        const auto figures = PeriodFigureRows(grids, {}, true, {true, 500}, 150000);
        const double made = Now() - t0;
        const PeriodPicture& picture = pictures[0];
        const PeriodContent content = {&picture, 0, {true, 500}, 150000};
        std::printf("%d days: opening's work %.1f ms; natural paint %.2f ms; "
                    "maximised 1920x1080 paint %.2f ms\n",
                    days, made, PaintMs(content, PeriodNaturalWidth, PeriodNaturalHeight),
                    PaintMs(content, 1920, 1080));
        if (days != 365) continue;
        const OverlayData& overlay = overlays[0];
        PeriodContent laid = content;
        laid.view = PeriodView::Overlay;
        laid.overlay = &overlay;
        std::printf("365 days laid over one another: maximised 1920x1080 paint %.2f ms\n",
                    PaintMs(laid, 1920, 1080));
        const OwnedMetafile laidEmf(
            PictureMetafile(PeriodNaturalWidth, PeriodNaturalHeight, L"bench\0", [&](HDC dc) {
                PaintPeriod(dc, {0, 0, PeriodNaturalWidth, PeriodNaturalHeight, 96}, laid);
            }));
        std::printf("365 days laid over one another: EMF %u bytes\n",
                    GetEnhMetaFileBits(laidEmf.get(), 0, nullptr));
        const OwnedMetafile emf(
            PictureMetafile(PeriodNaturalWidth, PeriodNaturalHeight, L"bench\0", [&](HDC dc) {
                PaintPeriodMap(dc, {0, 0, PeriodNaturalWidth, PeriodNaturalHeight, 96}, content);
            }));
        std::printf("365 days: EMF %u bytes\n", GetEnhMetaFileBits(emf.get(), 0, nullptr));
    }
    return 0;
}
