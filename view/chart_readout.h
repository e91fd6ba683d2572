// Reading the chart: the sample under a point of the plot, and the readout's
// text for it. Window-free.
#pragma once
#include <cstdint>
#include <string>

#include "core/recording.h"
#include "view/chart_scale.h"

// Sample n (1..840) for a point of a chart drawn in `frame`: the plot's
// columns x 61..900 and rows y 34..534 of the 96-DPI layout, each point
// taken to the nearest layout pixel, so a vertex is found under itself at
// any size; 0 outside them.
int32_t SampleAtPoint(int32_t x, int32_t y, const ChartFrame& frame);

// "No.<n>  <h>:<mm>  CH1 <lux> lx  CH2 <lux> lx" for sample n: the time of
// day as the statistics write it ("26:05", "-" first when negative), the
// lux as whole numbers with a sign where negative.
std::string ReadoutText(const Recording& r, int32_t n);
