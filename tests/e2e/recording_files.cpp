// Reference recording files and file helpers.
#include "tests/e2e/recording_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"

std::string ReferenceFile(const Recording& r) {
    std::string f = "MARVEK2\r\n";
    for (const char* text : {r.RecordingTexts.Title, r.RecordingTexts.Ch1Name,
                             r.RecordingTexts.Ch2Name, r.RecordingTexts.Memo})
        f += std::string(text[0] ? text : " ") + "\r\n";
    const Stamp& s = r.StartStamp;
    for (int32_t v : {s.Year, s.Month, s.Weekday, s.Day, s.Hour, s.Minute})
        f += std::to_string(v) + "\r\n";
    for (int n = 1; n <= SampleCount; ++n) {
        f += "NO " + std::to_string(n) + "\r\n";
        f += std::to_string(r.Ch1Samples[n - 1]) + "\r\n";
        f += std::to_string(r.Ch2Samples[n - 1]) + "\r\n";
    }
    return f;
}

Recording KnownRecording() {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "屋上");
    std::strcpy(r.RecordingTexts.Ch1Name, "East");
    std::strcpy(r.RecordingTexts.Ch2Name, "West");
    r.StartStamp = {2015, 6, 2, 2, 5, 0};
    BandedSamples(3, r.Ch1Samples, r.Ch2Samples);
    return r;
}

bool LoadRecording(const Program& p, const std::string& folder, const std::string& name,
                   const Recording& r) {
    if (!WriteBytes(folder + name, ReferenceFile(r))) return false;
    if (!OpenFile(p, folder + name)) return false;
    Settle(p);
    return WindowText(p.main) == FileCaption(name);
}

std::string FreshFolder(const std::string& name) {
    const std::string root = BuildDir() + "\\e2e-files";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = root + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    // Wide calls: names outside code page 932 must go too.
    const std::wstring wide = Widened(folder);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((wide + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::wstring file = wide + L"\\" + found.cFileName;
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return folder + "\\";
}

std::string FolderForThisTest() {
    return FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

PeriodWindows OpenPeriodWindow(const Program& p) {
    PeriodWindows w;
    w.list = OpenDialog(p, IDM_RECORDING_LIST, "記録の一覧");
    if (!w.list) return w;
    Click(w.list, IDC_LIST_PERIOD);
    w.period = WaitForDialog(p, "期間グラフ");
    Settle(p);
    return w;
}
