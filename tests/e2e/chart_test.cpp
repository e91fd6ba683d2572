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

} // namespace
