// Wall time of a full download from the logger simulator, which paces its
// 5053-byte reply at 19200 baud 8N1 (2.632 s on the line), against that line
// time. A figure to report, not a test: under the bench's Wine,
//   wine build/win/download_bench.exe
#include <cstdio>

#include "res/resource.h"
#include "tests/e2e/driver.h"

int main() {
    const double lineTime = 5053 * 10 / 19200.0;
    Program app = StartProgram();
    if (!app.main) {
        std::printf("the program did not start\n");
        return 1;
    }
    HWND label = GetDlgItem(app.main, IDC_STATUS_LABEL);
    for (int round = 0; round < 3; ++round) {
        Logger logger = StartLogger(3);
        if (!logger.running) {
            std::printf("no simulator\n");
            break;
        }
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        Choose(app, IDM_RECEIVE);
        bool seen = false;
        for (;;) { // until the port is closed again
            const bool showing = !HeldWindowText(label).empty();
            if (showing) seen = true;
            if (seen && !showing) break;
            Sleep(1);
        }
        QueryPerformanceCounter(&t1);
        const double took = static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart;
        std::printf("download %d: %.3f s, %.3f x the line time of %.3f s\n", round + 1, took,
                    took / lineTime, lineTime);
        StopLogger(logger);
        Settle(app);
    }
    StopProgram(app);
    return 0;
}
