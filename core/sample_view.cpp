// Sample times, stepping and maxima.
#include "core/sample_view.h"

#include <cstring>

#include "core/text.h"

namespace {

const char* const WeekdayNames[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

} // namespace

ClockTime SampleTime(const Stamp& start, int32_t n) {
    const int64_t t = SampleMinuteOfDay(start, n);
    return {t / 60, t % 60};
}

int64_t LuxOf(int32_t count) {
    return int64_t{count} * LuxPerCount;
}

int32_t StepPosition(int32_t position, int32_t step) {
    const int64_t next = int64_t{position} + step;
    if (step < 0 && next <= 0) return position;
    if (step > 0 && next >= SampleCount + 1) return position;
    return static_cast<int32_t>(next);
}

void WeekdayText(int32_t weekday, char out[WeekdayTextSize]) {
    if (weekday >= 0 && weekday < 7)
        std::strcpy(out, WeekdayNames[weekday]);
    else
        FormatNumber(weekday, out);
}
