// The chart's pixels, captured from the screen.
#include "res/resource.h"
#include "tests/e2e/chart_pixels.h"
#include "tests/e2e/driver.h"

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
    RECT now;
    GetWindowRect(app.main, &now);
    EXPECT_EQ(now.left, 100);
    EXPECT_EQ(now.right - now.left, 1395);
    EXPECT_EQ(now.bottom - now.top, 930);
    RECT bar;
    GetWindowRect(GetDlgItem(app.main, IDC_PROGRESS_BAR), &bar);
    EXPECT_EQ(bar.right - bar.left, 240); // s(160)
    const std::vector<std::string> faults = ScaledFrameFaults(CaptureClient(app.main), 144);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    ChangeDpi(app, 96, original);
    GetWindowRect(app.main, &now);
    EXPECT_EQ(now.left, original.left);
    EXPECT_EQ(now.right - now.left, 930);
    EXPECT_TRUE(CaptureClient(app.main).pixels == before.pixels);
}

} // namespace
