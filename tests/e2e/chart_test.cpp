// The chart's pixels, captured from the screen.
#include <algorithm>

#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

using Chart = ProgramTest;

TEST_F(Chart, EmptyChartShowsGridLabelsAndLegendAndNothingElse) {
    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "chart_empty");
    ASSERT_GE(c.width, 910);
    ASSERT_GE(c.height, 560);
    const std::vector<std::string> faults = FrameFaults(c);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

TEST_F(Chart, RepaintAfterBeingCoveredDrawsTheSameFrame) {
    const Capture before = CaptureClient(app.main);
    // A message box over the chart, then gone: the uncovered part is repainted.
    Choose(app, IDM_EXIT);
    HWND box = WaitForDialog(app, "終了確認");
    ASSERT_NE(box, nullptr);
    Click(box, IDNO);
    Settle(app);
    const Capture after = CaptureClient(app.main);
    EXPECT_TRUE(before.pixels == after.pixels);
}

// Moved to a screen of 144 DPI and back: the suggested place, the chart and
// the controls at 144, then everything as it was.
TEST_F(Chart, ANewDpiTakesTheSuggestedPlaceAndScalesTheChartAndBackAgain) {
    const Capture before = CaptureClient(app.main);
    RECT original;
    GetWindowRect(app.main, &original);
    ChangeDpi(app, 144, RECT{100, 50, 100 + 1395, 50 + 930});
    EXPECT_EQ(ScreenPlace(app.main), Placed(100, 50, 1395, 930));
    EXPECT_EQ(ChildPlace(GetDlgItem(app.main, IDC_PROGRESS_BAR)), Placed(135, 14, 240, 21));
    const std::vector<std::string> faults = ScaledFrameFaults(CaptureClient(app.main), 144);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    ChangeDpi(app, 96, original);
    EXPECT_EQ(ScreenPlace(app.main), Placed(original.left, original.top, 930, 620));
    EXPECT_TRUE(CaptureClient(app.main).pixels == before.pixels);
}

// The chart as the program lays it out in a window of this outer size at
// 96 DPI: larger than 930 × 620 by as much as the window is.
ChartFrame GrownFrame(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {0, 0, 920 + std::max(0L, r.right - r.left - 930),
            560 + std::max(0L, r.bottom - r.top - 620), 96};
}

// The empty chart's grid and labels, then the recording's traces, fill the
// window as it is now.
void ExpectChartFills(const Program& app, const std::string& folder, const Recording& r,
                      const char* screenshot) {
    const ChartFrame frame = GrownFrame(app.main);
    std::vector<std::string> faults = ScaledFrameFaults(CaptureClient(app.main), frame);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    ASSERT_TRUE(LoadRecording(app, folder, "day.mv2", r));
    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, screenshot);
    ExpectTraces(c, r.Ch1Samples, r.Ch2Samples, 3, frame);
    // The readout finds sample 500 under its own vertex.
    ChartPoint v[SampleCount];
    TraceVertices(r.Ch1Samples, 3, frame, v);
    MoveMouseTo(app, v[499].x, v[499].y);
    HWND readout = GetDlgItem(app.main, IDC_READOUT);
    for (int i = 0; i < 100 && HeldWindowText(readout).rfind("No.500 ", 0) != 0; ++i)
        Sleep(20);
    EXPECT_EQ(HeldWindowText(readout).substr(0, 7), "No.500 ");
    MoveMouseAway();
}

// Made larger, or maximised, the window's chart fills it in proportion; the
// labels at the top keep their places; place, size and maximised state are
// there again at the next start, unless no screen shows them.
TEST_F(Chart, AGrownWindowStretchesTheChartAndIsRememberedForTheNextStart) {
    const std::string folder = FolderForThisTest();
    Recording r = KnownRecording();
    BandedSamples(3, r.Ch1Samples, r.Ch2Samples);
    SetWindowPos(app.main, nullptr, 100, 60, 1400, 900, SWP_NOZORDER);
    Settle(app);
    ExpectChartFills(app, folder, r, "chart_1400x900");
    EXPECT_EQ(ChildPlace(GetDlgItem(app.main, IDC_STATUS_LABEL)), Placed(6, 6, 80, 20));

    ASSERT_TRUE(CloseProgram(app));
    app = StartProgram();
    EXPECT_EQ(ScreenPlace(app.main), Placed(100, 60, 1400, 900));

    PostMessageA(app.main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle(app);
    ASSERT_TRUE(IsZoomed(app.main));
    ExpectChartFills(app, folder, r, "chart_maximised");
    ASSERT_TRUE(CloseProgram(app));
    app = StartProgram();
    EXPECT_TRUE(IsZoomed(app.main));

    // A place on a screen that is gone: centred at the first size.
    ASSERT_TRUE(CloseProgram(app));
    WINDOWPLACEMENT gone = {};
    gone.length = sizeof gone;
    gone.showCmd = SW_SHOWNORMAL;
    gone.rcNormalPosition = {5000, 3000, 6000, 3800};
    SetSettingBytes("WindowPlacement", &gone, sizeof gone);
    app = StartProgram();
    EXPECT_EQ(ScreenPlace(app.main), Placed(495, 230, 930, 620));
}

// 表示 > しきい値の線: off at first; on, the dashed line at the threshold
// typed (in the list here) follows the range, the window's size and a
// restart; above the range's full scale there is none.
TEST_F(Chart, TheThresholdsLineFollowsTheSettingTheRangeTheWindowAndARestart) {
    EXPECT_TRUE(ThresholdLineFaults(CaptureClient(app.main), NaturalFrame(96), 0).empty());
    HWND list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    SetItemText(list, IDC_LIST_THRESHOLD, "50000");
    Click(list, IDCANCEL);
    Settle(app);
    EXPECT_EQ(SettingText("Threshold"), "50000");
    Choose(app, IDM_THRESHOLD_LINE);
    Settle(app);
    EXPECT_TRUE(ReadMenu(app).find(IDM_THRESHOLD_LINE)->state & MF_CHECKED);
    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "chart_threshold");
    std::vector<std::string> faults = ThresholdLineFaults(c, NaturalFrame(96), 284);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    EXPECT_EQ(c.at(60, 284), Black); // the grid under it, on its ends
    EXPECT_EQ(c.at(900, 284), Black);

    ASSERT_TRUE(CloseProgram(app));
    app = StartProgram();
    SetWindowPos(app.main, nullptr, 100, 60, 1400, 900, SWP_NOZORDER);
    Settle(app);
    faults = ThresholdLineFaults(CaptureClient(app.main), GrownFrame(app.main), 284);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    HWND range = OpenDialog(app, IDM_DISPLAY_RANGE, "表示最大値");
    ASSERT_NE(range, nullptr);
    Click(range, IDC_RANGE_12500);
    Click(range, IDOK);
    Settle(app);
    faults = ThresholdLineFaults(CaptureClient(app.main), GrownFrame(app.main), 0);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

} // namespace
