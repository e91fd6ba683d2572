// Statistics of a channel.
#include "view/statistics.h"

#include "core/text.h"
#include "view/sample_view.h"

namespace {

int64_t SampleMinute(const Stamp& start, int index) {
    return SampleMinuteOfDay(start, index + 1);
}

} // namespace

ChannelFigures FiguresOf(const int32_t samples[SampleCount]) {
    ChannelFigures f = {LuxOf(samples[0]), 0, LuxOf(samples[0]), 0, 0};
    for (int i = 0; i < SampleCount; ++i) {
        const int64_t lux = LuxOf(samples[i]);
        f.luxSum += lux;
        if (lux > f.highestLux) f = {lux, i, f.lowestLux, f.lowestIndex, f.luxSum};
        if (lux < f.lowestLux) f = {f.highestLux, f.highestIndex, lux, i, f.luxSum};
    }
    return f;
}

int SamplesAtOrAbove(const int32_t samples[SampleCount], int64_t thresholdLux) {
    int count = 0;
    for (int i = 0; i < SampleCount; ++i)
        count += LuxOf(samples[i]) >= thresholdLux;
    return count;
}

std::string ClockText(int64_t minutes) {
    const bool negative = minutes < 0;
    const uint64_t m =
        negative ? 0 - static_cast<uint64_t>(minutes) : static_cast<uint64_t>(minutes);
    const unsigned rest = static_cast<unsigned>(m % 60);
    std::string clock = negative ? "-" : "";
    clock += NumberText(static_cast<int64_t>(m / 60));
    clock += ':';
    clock += static_cast<char>('0' + rest / 10);
    clock += static_cast<char>('0' + rest % 10);
    return clock;
}

std::string TenthsText(int64_t numerator, int64_t denominator) {
    const bool negative = numerator < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(numerator) : static_cast<uint64_t>(numerator);
    // 128 bits: a total over many recordings may hold any sum of lux.
    const unsigned __int128 d = static_cast<uint64_t>(denominator);
    const auto tenths = static_cast<uint64_t>((magnitude * static_cast<unsigned __int128>(20) + d) /
                                              (2 * d)); // halves away from zero
    std::string text = negative && tenths != 0 ? "-" : "";
    text += NumberText(static_cast<int64_t>(tenths / 10));
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

std::string MeanText(int64_t luxSum, int64_t samples) {
    return TenthsText(luxSum, samples);
}

std::string DoseText(int64_t luxSum) {
    return TenthsText(luxSum, SamplesPerHour);
}

ChannelTexts TextsOf(const int32_t samples[SampleCount], const Stamp& start, bool hasThreshold,
                     int64_t thresholdLux) {
    const ChannelFigures f = FiguresOf(samples);
    ChannelTexts t;
    t.highest = NumberText(f.highestLux);
    t.highestTime = ClockText(SampleMinute(start, f.highestIndex));
    t.lowest = NumberText(f.lowestLux);
    t.lowestTime = ClockText(SampleMinute(start, f.lowestIndex));
    t.mean = MeanText(f.luxSum, SampleCount);
    t.dose = DoseText(f.luxSum);
    t.aboveThreshold = hasThreshold ? ClockText(SamplesAtOrAbove(samples, thresholdLux)) : "-";
    return t;
}

bool ParseThreshold(const std::string& text, int64_t& lux) {
    if (text.empty() || text.size() > static_cast<size_t>(ThresholdDigitLimit)) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    lux = value;
    return true;
}
