// Thresholds as typed and as stored.
#include "core/threshold.h"

#include "core/text.h"

bool ParseThreshold(const std::string& text, int64_t& lux) {
    return ParseDigits(text, ThresholdDigitLimit, lux);
}

bool ThresholdOfText(const std::string& text, Threshold& out) {
    if (text.empty()) {
        out = {};
        return true;
    }
    int64_t lux = 0;
    if (!ParseThreshold(text, lux)) return false;
    out = {true, lux};
    return true;
}
