// The threshold of illuminance the statistics, the list of recordings, the
// printed report and the chart's line measure against. Window-free.
#pragma once
#include <cstdint>
#include <string>

// The threshold until the user types another, and the most digits it takes.
constexpr int64_t DefaultThresholdLux = 500;
constexpr int ThresholdDigitLimit = 8;

// Absent while its field is empty.
struct Threshold {
    bool given = false;
    int64_t lux = 0;
};

// A threshold as typed: 1 to ThresholdDigitLimit ASCII digits. False otherwise.
bool ParseThreshold(const std::string& text, int64_t& lux);
// The threshold a text stands for: none when it is empty, its lux when it is
// a threshold as typed. False for anything else (a stored value that cannot
// be trusted), and `out` is left as it was.
bool ThresholdOfText(const std::string& text, Threshold& out);
