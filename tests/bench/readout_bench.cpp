// What one mouse move over the chart costs, painting included: the main
// window in this process with a recording, moved over from sample to sample,
// each move followed by the paints it asks for. A figure to report, not a
// test: under the bench's Wine,
//   wine build/win/readout_bench.exe
#include <windows.h>

#include <cstdio>

#include "app/main_window.h"
#include "app/window_handles.h"
#include "store/store.h"

int main() {
    SetInstance(GetModuleHandleW(nullptr));
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = Instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"readout_bench";
    RegisterClassExW(&wc);
    CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 930, 620,
                    nullptr, nullptr, Instance, nullptr);
    if (!MainWindow) {
        std::printf("no window: %lu\n", GetLastError());
        return 1;
    }
    static Recording r;
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = (i * 37) % 2000;
        r.Ch2Samples[i] = (i * 53) % 2000;
    }
    ReplaceRecording(r, nullptr);
    UpdateWindow(MainWindow);

    auto move = [](int i) {
        const int x = 61 + (i * 7) % SampleCount;
        SendMessageW(MainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, 300));
        UpdateWindow(MainWindow);
        UpdateWindow(ReadoutLabel);
    };
    for (int i = 0; i < 50; ++i) // warm up: fonts, the label's first paint
        move(i);
    for (int rounds : {500, 2000}) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < rounds; ++i)
            move(i);
        GdiFlush();
        QueryPerformanceCounter(&t1);
        const double us =
            1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart / rounds;
        std::printf("%d moves: %.1f us per move (two cursor columns and the readout painted)\n",
                    rounds, us);
    }
    DestroyWindow(MainWindow);
    return 0;
}
