// The chart's pixels, captured from the screen.
#include "tests/e2e/driver.h"

namespace {

using Chart = ProgramTest;

TEST_F(Chart, placeholder) {
    SaveScreenshot(CaptureClient(app.main), "chart_empty");
}

} // namespace
