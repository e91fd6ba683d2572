// Rounding as MulDiv rounds.
#include "view/dpi_scale.h"

int64_t MulDivRounded(int64_t value, int64_t numerator, int64_t denominator) {
    if (denominator <= 0) return value;
    const int64_t product = value * numerator;
    const int64_t half = denominator / 2;
    return product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
}

int64_t Scaled(int64_t value, int dpi) {
    return MulDivRounded(value, dpi, BaseDpi);
}

int64_t Unscaled(int64_t value, int dpi) {
    return MulDivRounded(value, BaseDpi, dpi);
}
