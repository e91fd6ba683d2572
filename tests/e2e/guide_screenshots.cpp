// The guide's screenshots: the real program with a plausible day, and each
// dialog. A program of its own, not a test: tools/make_screenshots.sh runs it.
#include <cmath>
#include <cstring>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

// Two light curves over a day from 05:00, as the logger simulator sends.
Recording SunnyDay() {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "屋上の照度");
    std::strcpy(r.RecordingTexts.Ch1Name, "東側");
    std::strcpy(r.RecordingTexts.Ch2Name, "西側");
    std::strcpy(r.RecordingTexts.Memo, "晴れ");
    r.StartStamp = {2015, 6, 2, 2, 5, 0};
    const double pi = std::acos(-1.0);
    for (int i = 0; i < SampleCount; ++i) {
        const double sun = std::pow(std::sin(pi * i / (SampleCount - 1)), 2);
        r.Ch1Samples[i] =
            static_cast<int32_t>(std::lround(1800 * sun + 40 * std::sin(i / 7.0) + 60));
        r.Ch2Samples[i] =
            static_cast<int32_t>(std::lround(900 * sun * (0.6 + 0.4 * std::cos(i / 31.0)) + 20));
    }
    return r;
}

using GuideScreenshots = ProgramTest;

TEST_F(GuideScreenshots, TheMainWindowAndEachDialog) {
    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "20150602_0500.mv2", SunnyDay()));
    SaveScreenshot(CaptureWindow(app.main), "guide_main");
    MoveMouseTo(app, 60 + 431, 250); // 12:10, near the brightest minutes
    Sleep(300);
    SaveScreenshot(CaptureWindow(app.main), "guide_readout");
    MoveMouseAway();
    Settle(app);
    const struct {
        WORD command;
        const char* caption;
        const char* name;
    } dialogs[] = {{IDM_DISPLAY_RANGE, "表示最大値", "guide_range"},
                   {IDM_TEXT_INPUT, "補足テキストの入力／表示", "guide_text"},
                   {IDM_DATA_VIEW, "データ表示", "guide_data"},
                   {IDM_MAXIMUM, "最大照度", "guide_maximum"},
                   {IDM_STATISTICS, "統計", "guide_statistics"}};
    for (const auto& d : dialogs) {
        HWND dialog = OpenDialog(app, d.command, d.caption);
        ASSERT_NE(dialog, nullptr) << d.caption;
        SaveScreenshot(CaptureWindow(dialog), d.name);
        Click(dialog, IDCANCEL);
        Settle(app);
    }
    HWND about = OpenDialog(app, IDM_ABOUT, "バージョン情報");
    ASSERT_NE(about, nullptr);
    SaveScreenshot(CaptureWindow(about), "guide_about");
    Click(about, IDOK);
    Settle(app);

    // A level of 30000 lx, drawn on the chart.
    HWND statistics = OpenDialog(app, IDM_STATISTICS, "統計");
    ASSERT_NE(statistics, nullptr);
    SetItemText(statistics, IDC_THRESHOLD, "30000");
    Click(statistics, IDCANCEL);
    Choose(app, IDM_THRESHOLD_LINE);
    Settle(app);
    SaveScreenshot(CaptureWindow(app.main), "guide_threshold");

    // A week of downloads in an archive folder a user might have (inside the
    // bench's prefix), brighter and duller days.
    StopProgram(app);
    const std::string archive = "C:\\MARVEK2";
    CreateDirectoryA(archive.c_str(), nullptr);
    app = StartProgram(archive);
    ASSERT_NE(app.main, nullptr);
    const double light[] = {1.0, 0.55, 0.8, 1.1, 0.3, 0.9, 0.7};
    for (int day = 0; day < 7; ++day) {
        Recording r = SunnyDay();
        r.StartStamp.Day = 2 + day;
        r.StartStamp.Weekday = (2 + day) % 7;
        if (day % 3 == 1) r.RecordingTexts.Title[0] = 0; // a download nobody named
        for (int i = 0; i < SampleCount; ++i) {
            r.Ch1Samples[i] = static_cast<int32_t>(r.Ch1Samples[i] * light[day]);
            r.Ch2Samples[i] = static_cast<int32_t>(r.Ch2Samples[i] * light[day]);
        }
        const std::string name = "2015060" + std::to_string(2 + day) + "_0500.mv2";
        ASSERT_TRUE(WriteBytes(archive + "\\" + name, ReferenceFile(r)));
    }
    HWND list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    SetItemText(list, IDC_LIST_BUDGET, "150000");
    SaveScreenshot(CaptureWindow(list), "guide_list");
    Click(list, IDCANCEL);
    Settle(app);

    // The rest of June beside them, two days without a download, as a map.
    for (int day = 9; day <= 30; ++day) {
        if (day == 14 || day == 21) continue;
        Recording r = SunnyDay();
        r.StartStamp.Day = day;
        const double weather = 0.35 + 0.65 * std::fabs(std::sin(day * 1.7));
        for (int i = 0; i < SampleCount; ++i) {
            r.Ch1Samples[i] = static_cast<int32_t>(r.Ch1Samples[i] * weather);
            r.Ch2Samples[i] = static_cast<int32_t>(r.Ch2Samples[i] * weather);
        }
        const std::string name = "201506" + std::to_string(day) + "_0500.mv2";
        ASSERT_TRUE(WriteBytes(archive + "\\" + name, ReferenceFile(r)));
    }
    list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    Click(list, IDC_LIST_PERIOD);
    HWND period = WaitForDialog(app, "期間グラフ");
    ASSERT_NE(period, nullptr);
    Settle(app);
    HWND picture = GetDlgItem(period, IDC_PERIOD_PICTURE);
    MoveMouseOver(app, picture, 430, 200);
    SaveScreenshot(CaptureWindow(period), "guide_period");
    MoveMouseAway();
    Click(period, IDCANCEL);
    Click(list, IDCANCEL);
    Settle(app);
}

} // namespace
