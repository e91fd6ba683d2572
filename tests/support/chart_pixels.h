// What the chart must look like, pixel by pixel, checked on a capture of the
// main window's client area (or of any DC the painter drew on).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/recording.h"
#include "tests/support/capture.h"
#include "view/chart_scale.h"

// The frame of an otherwise empty chart: grid black exactly on its lines and
// white beside them, legend strokes in their colours, ink in every label's
// box and nowhere else. Returns one line per fault found (at most a few).
std::vector<std::string> FrameFaults(const Capture& c);

// The frame drawn at another DPI: every grid line at s() of its place with
// white beside it, ink in every label's scaled box, the legend strokes'
// colours. (Line widths and glyphs are the platform's.)
std::vector<std::string> ScaledFrameFaults(const Capture& c, int dpi);
// The same in any frame: the grid lines and the labels beside them where the
// frame stretches them, the captions along its top.
std::vector<std::string> ScaledFrameFaults(const Capture& c, const ChartFrame& frame);

// Every drawn vertex of both traces (sample 1 to 839; the last vertex is the
// end point of the last line and stays unpainted) has its trace's colour, at
// the DPI's scaled places. Channel 1 is only checked where channel 2 cannot
// lie on top of it.
std::vector<std::string> TraceFaults(const Capture& c, const int32_t ch1[SampleCount],
                                     const int32_t ch2[SampleCount], int32_t range, int dpi = 96);
// The same for a chart drawn in any frame.
std::vector<std::string> TraceFaults(const Capture& c, const int32_t ch1[SampleCount],
                                     const int32_t ch2[SampleCount], int32_t range,
                                     const ChartFrame& frame);

// Upper band for channel 1 and lower band for channel 2, varying every
// minute, so neither trace covers the other in the given range.
void BandedSamples(int32_t range, int32_t ch1[SampleCount], int32_t ch2[SampleCount]);

// The threshold's dashed line at y96 of the layout in a frame: green dashes
// over most of its row across the plot, no green a few rows above or below
// it but for its label, which stands at the plot's right end above it. With
// no y96 (0), nothing green anywhere.
std::vector<std::string> ThresholdLineFaults(const Capture& c, const ChartFrame& frame, int y96);

// Two pictures of the natural chart at 96 DPI: where they differ outside its
// texts (whose glyphs may be drawn a little differently), and each text of
// `a` that is missing.
std::vector<std::string> DifferencesOutsideTexts(const Capture& a, const Capture& b);

// Joins fault lines for a test message.
std::string Describe(const std::vector<std::string>& faults);

// The traces as TraceFaults checks them, each fault a test failure.
void ExpectTraces(const Capture& c, const int32_t ch1[SampleCount], const int32_t ch2[SampleCount],
                  int32_t range, int dpi = 96);
void ExpectTraces(const Capture& c, const int32_t ch1[SampleCount], const int32_t ch2[SampleCount],
                  int32_t range, const ChartFrame& frame);
