// The readout's rules.
#include "view/chart_readout.h"

#include "core/text.h"
#include "view/chart_scale.h"
#include "view/dpi_scale.h"
#include "view/sample_view.h"
#include "view/statistics.h"

namespace {

std::string Number(int64_t value) {
    char text[NumberTextSize];
    return std::string(text, static_cast<size_t>(FormatNumber(value, text)));
}

} // namespace

int32_t SampleAtPoint(int32_t x, int32_t y, int dpi) {
    const int64_t n = Unscaled(x, dpi) - PlotLeft;
    const int64_t row = Unscaled(y, dpi);
    if (n < 1 || n > SampleCount || row < PlotTop || row > PlotBottom) return 0;
    return static_cast<int32_t>(n);
}

std::string ReadoutText(const Recording& r, int32_t n) {
    const Stamp& s = r.StartStamp;
    const int64_t minutes = int64_t{s.Hour} * 60 + s.Minute + (int64_t{n} - 1);
    return "No." + Number(n) + "  " + ClockText(minutes) + "  CH1 " +
           Number(LuxOf(r.Ch1Samples[n - 1])) + " lx  CH2 " + Number(LuxOf(r.Ch2Samples[n - 1])) +
           " lx";
}
