// Figures of the download, against the logger simulator that paces its
// 5053-byte reply at 19200 baud 8N1 (2.632 s on the line). Not a test: under
// the bench's Wine,
//   wine build/win/download_bench.exe
// - how long the window takes at most to answer a message while a download
//   runs (asked every 20 ms);
// - how long the search takes to find the logger on COM17 behind five silent
//   ports, an unopenable one and a device that answers with text, against
//   1.05 × the line time + 0.3 s;
// - how long "通信できません" takes with no logger among ten silent ports,
//   against 5.5 s.
#include <cstdio>
#include <vector>

#include "res/resource.h"
#include "tests/support/driver.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / f.QuadPart;
}

bool Downloading(const Program& app) {
    return IsWindowVisible(GetDlgItem(app.main, IDC_PROGRESS_BAR)) != 0;
}

// Receives once; returns the seconds until the bar is hidden again, and the
// longest answer to WM_NULL meanwhile.
double Receive(const Program& app, double& longestAnswer) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    Choose(app, IDM_RECEIVE);
    while (!Downloading(app))
        Sleep(1);
    longestAnswer = 0;
    while (Downloading(app)) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        DWORD_PTR r;
        SendMessageTimeoutA(app.main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &r);
        QueryPerformanceCounter(&b);
        if (Seconds(a, b) > longestAnswer) longestAnswer = Seconds(a, b);
        Sleep(20);
    }
    QueryPerformanceCounter(&t1);
    return Seconds(t0, t1);
}

} // namespace

int main() {
    const double lineTime = 5053 * 10 / 19200.0;
    ClearSettings();
    Program app = StartProgram();
    if (!app.main) {
        std::printf("the program did not start\n");
        return 1;
    }
    for (int round = 0; round < 3; ++round) {
        std::vector<Logger> others;
        for (int port : {2, 3, 5, 6, 7})
            others.push_back(StartLogger(port, "silent"));
        others.push_back(StartLogger(8, "text"));
        Logger logger = StartLogger(17); // COM4 and every other port cannot be opened
        ClearSettings();                 // no remembered port
        double longest = 0;
        const double took = Receive(app, longest);
        std::printf("round %d: found on COM17 after %.3f s (goal %.3f s); longest answer %.1f ms\n",
                    round + 1, took, 1.05 * lineTime + 0.3, longest * 1000);
        StopLogger(logger);
        for (Logger& l : others)
            StopLogger(l);
        Settle(app);
        for (int port = 1; port <= 10; ++port)
            others.push_back(StartLogger(port, "silent"));
        const double none = Receive(app, longest);
        CloseBox(WaitForDialog(app, "エラー"));
        std::printf("round %d: no logger among ten silent ports, told after %.3f s (goal 5.5 s); "
                    "longest answer %.1f ms\n",
                    round + 1, none, longest * 1000);
        for (Logger& l : others)
            StopLogger(l);
        Settle(app);
    }
    StopProgram(app);
    ClearSettings();
    return 0;
}
