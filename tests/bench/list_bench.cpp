// How long Tools > 記録の一覧 takes to list a folder of 1,000 recordings, from
// the command until the table holds them all and the dialog answers. Not a
// test: under the bench's Wine,
//   wine build/win/list_bench.exe
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

int main() {
    const std::string folder = BuildDir() + "\\e2e-files\\list-bench";
    CreateDirectoryA((BuildDir() + "\\e2e-files").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    Recording r = KnownRecording();
    for (int i = 0; i < 1000; ++i) {
        r.StartStamp.Day = 1 + i % 28;
        r.StartStamp.Month = 1 + i / 28 % 12;
        r.StartStamp.Year = 2000 + i / 336;
        r.Ch1Samples[i % SampleCount] += 1;
        char name[32];
        std::snprintf(name, sizeof name, "\\day%04d.mv2", i);
        WriteBytes(folder + name, ReferenceFile(r));
    }
    Program app = StartProgram(folder);
    if (!app.main) {
        std::printf("the program did not start\n");
        return 1;
    }
    for (int round = 0; round < 3; ++round) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        Choose(app, IDM_RECORDING_LIST);
        HWND dialog = nullptr;
        while (!(dialog = WaitForDialog(app, "記録の一覧", 0)))
            Sleep(1);
        HWND list = GetDlgItem(dialog, IDC_LIST_TABLE);
        while (ListRowCount(list) != 1001)
            Sleep(1);
        DWORD_PTR answer;
        SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
        QueryPerformanceCounter(&t1);
        std::printf("round %d: 1000 recordings listed in %.3f s (goal 1 s)\n", round + 1,
                    static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart);
        Click(dialog, IDCANCEL);
        Settle(app);
    }
    StopProgram(app);
    return 0;
}
