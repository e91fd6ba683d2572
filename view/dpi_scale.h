// The one scale of the window's pixels: the chart and the controls are laid
// out for 96 DPI and drawn at the screen's DPI by scaling each coordinate
// where it is made. Window-free; the rounding is MulDiv's.
#pragma once
#include <cstdint>

constexpr int BaseDpi = 96;

// v × numerator / denominator to the nearest whole, halves away from zero, as
// MulDiv rounds; v itself when the denominator is not positive.
int64_t MulDivRounded(int64_t value, int64_t numerator, int64_t denominator);
// s(v) = MulDiv(v, dpi, 96): to the nearest pixel, halves away from zero.
int64_t Scaled(int64_t value, int dpi);
// MulDiv(v, 96, dpi): a pixel of the screen back in 96-DPI units.
int64_t Unscaled(int64_t value, int dpi);
