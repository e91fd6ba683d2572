// Window-free arithmetic of the data view and the maximum dialog: sample
// times, illuminance, stepping through the day, and each channel's maximum.
// Values are computed in 64 bits so that hand-edited files show true values.
#pragma once
#include <cstdint>

#include "core/recording.h"

struct ClockTime {
    int64_t hour;   // not reduced modulo 24: after midnight it is 24 or more
    int64_t minute; // takes the sign of the minutes since midnight
};

// Sample n (1-based) was taken n - 1 minutes after the start time.
ClockTime SampleTime(const Stamp& start, int32_t n);

int64_t LuxOf(int32_t count);

// The position after a step of `step` from `position`, or `position` itself
// when the step would leave 1..840 (a step is refused whole, never clamped).
int32_t StepPosition(int32_t position, int32_t step);

constexpr int WeekdayTextSize = 21;
// "SUN" .. "SAT" for 0..6; any other value as its number.
void WeekdayText(int32_t weekday, char out[WeekdayTextSize]);
