// How long one report page takes from the print dialog's OK to EndDoc: the
// job on the default printer (landscape), the page painted, the job ended.
// A figure to report, not a test: run it by hand under Wine with the bench's
// printer (source tools/wine-env.sh; bench_printer; bench_ready),
//   wine build/win/print_bench.exe
#include <windows.h>

#include <commdlg.h>

#include <cstdio>

#include "print/report_page.h"

int main() {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgW(&pd)) {
        std::printf("no default printer\n");
        return 1;
    }
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    ResetDCW(pd.hDC, mode);
    GlobalUnlock(pd.hDevMode);
    static Recording r;
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = (i * 37) % 2000;
        r.Ch2Samples[i] = (i * 53) % 2000;
    }
    r.DataLoaded = 1;
    const PageGeometry page = PageOf(pd.hDC);
    const RecordingReport report = MakeRecordingReport(
        r, u"C:\\bench\\day.mv2", Stamp{2026, 12, 3, 9, 8, 5}, {true, 500}, "bench");
    for (int round = 0; round < 3; ++round) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        DOCINFOW doc = {sizeof doc, L"MARVEK bench", nullptr, nullptr, 0};
        StartDocW(pd.hDC, &doc);
        StartPage(pd.hDC);
        PaintRecordingPage(pd.hDC, page, report, {&r, InitialDisplayRange, 0});
        EndPage(pd.hDC);
        EndDoc(pd.hDC);
        QueryPerformanceCounter(&t1);
        std::printf("page %d x %d at %d dpi: %.1f ms from StartDoc to EndDoc\n", page.width,
                    page.height, page.dpi,
                    1e3 * static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart);
    }
    DeleteDC(pd.hDC);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    return 0;
}
