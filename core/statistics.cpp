// Statistics of a channel.
#include "core/statistics.h"

#include "core/text.h"
#include "core/sample_view.h"

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

std::string FractionText(__int128 numerator, __int128 denominator, int decimals) {
    const bool negative = (numerator < 0) != (denominator < 0);
    using U = unsigned __int128;
    const U n = numerator < 0 ? U(0) - U(numerator) : U(numerator);
    const U d = denominator < 0 ? U(0) - U(denominator) : U(denominator);
    U scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const U scaled = d == 0 ? 0 : (n * scale * 2 + d) / (2 * d); // halves away from zero
    std::string digits;
    for (U v = scaled; v != 0 || digits.size() <= static_cast<size_t>(decimals); v /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    if (decimals > 0) digits.insert(digits.end() - decimals, '.');
    return (negative && scaled != 0 ? "-" : "") + digits;
}

std::string TenthsText(int64_t numerator, int64_t denominator) {
    // 128 bits: a total over many recordings may hold any sum of lux.
    return FractionText(numerator, denominator, 1);
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
