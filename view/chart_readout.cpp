// The readout's rules.
#include "view/chart_readout.h"

#include "core/text.h"
#include "view/chart_scale.h"
#include "view/dpi_scale.h"
#include "core/sample_view.h"
#include "core/statistics.h"

int32_t SampleAtPoint(int32_t x, int32_t y, const ChartFrame& frame) {
    const int64_t n = LayoutX(frame, x) - PlotLeft;
    const int64_t row = LayoutY(frame, y);
    if (n < 1 || n > SampleCount || row < PlotTop || row > PlotBottom) return 0;
    return static_cast<int32_t>(n);
}

std::string ReadoutText(const Recording& r, int32_t n) {
    return "No." + NumberText(n) + "  " + ClockText(SampleMinuteOfDay(r.StartStamp, n)) + "  CH1 " +
           NumberText(LuxOf(r.Ch1Samples[n - 1])) + " lx  CH2 " +
           NumberText(LuxOf(r.Ch2Samples[n - 1])) + " lx";
}
