// The figures of the statistics dialog and of the console tool's stats, and
// their texts. Window-free. lux = count × 50, in 64 bits.
#pragma once
#include <cstdint>
#include <string>

#include "core/recording.h"
#include "core/threshold.h"

// Each sample stands for one minute: the integrated illuminance in lx·h is
// the sum of the samples' lux over this.
constexpr int64_t SamplesPerHour = 60;

struct ChannelFigures {
    int64_t highestLux;
    int highestIndex; // the earliest sample with the highest lux
    int64_t lowestLux;
    int lowestIndex; // the earliest sample with the lowest lux
    int64_t luxSum;  // over all 840 samples
};

ChannelFigures FiguresOf(const int32_t samples[SampleCount]);
// Index of the largest sample; the earliest wins a tie.
inline int MaximumIndex(const int32_t samples[SampleCount]) {
    return FiguresOf(samples).highestIndex;
}

// How many samples have lux >= thresholdLux.
int SamplesAtOrAbove(const int32_t samples[SampleCount], int64_t thresholdLux);

// "h:mm" of a number of minutes, h not wrapped at 24 ("37:29"); a negative
// number is "-" and the h:mm of its magnitude.
std::string ClockText(int64_t minutes);

// numerator / denominator with `decimals` decimals, rounded once, halves away
// from zero, a minus sign where negative: "-12.5", "0.0", "2980833". Worked
// out in 128 bits, so that products of sums cannot overflow.
std::string FractionText(__int128 numerator, __int128 denominator, int decimals);
// The same with one decimal.
std::string TenthsText(int64_t numerator, int64_t denominator);
// The mean lux of `samples` samples, and their integrated illuminance.
std::string MeanText(int64_t luxSum, int64_t samples);
std::string DoseText(int64_t luxSum);

// The texts of one channel, as the dialog and the tool show them.
struct ChannelTexts {
    std::string highest, highestTime, lowest, lowestTime, mean, dose, aboveThreshold;
};

// Mean = Σlux / 840, integrated illuminance = Σlux / 60 (lx·h: each sample
// stands for a minute), the time of sample n = start + n - 1 minutes, the
// time at or above the threshold = the number of such samples as h:mm ("-"
// while there is no threshold: hasThreshold false).
ChannelTexts TextsOf(const int32_t samples[SampleCount], const Stamp& start, bool hasThreshold,
                     int64_t thresholdLux);
