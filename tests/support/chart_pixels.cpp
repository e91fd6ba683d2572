// The chart's expected pixels. Text is only located, never compared glyph by
// glyph: the face is the platform's, the boxes are fixed by the 14-pixel cell
// of a fixed-pitch font (7 pixels per half-width character).
#include "tests/support/chart_pixels.h"

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "view/chart_scale.h"
#include "view/dpi_scale.h"

namespace {

struct Box {
    int left, top, right, bottom; // right and bottom exclusive
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr int CellHeight = 14;
constexpr int CharWidth = 7;

Box TextBox(int x, int y, int chars) {
    return {x, y, x + chars * CharWidth, y + CellHeight};
}

std::vector<Box> TextBoxes() {
    std::vector<Box> boxes;
    for (int k = 0; k < HorizontalGridLines; ++k)
        boxes.push_back(TextBox(10, 30 + GridRowHeight * k, 6));
    for (int k = 0; k < VerticalGridLines; ++k)
        boxes.push_back(TextBox(52 + GridColumnWidth * k, 539, 2));
    boxes.push_back(TextBox(260, 8, 3));
    boxes.push_back(TextBox(360, 8, 3));
    return boxes;
}

// The status label paints its own face-coloured background.
constexpr Box StatusLabelBox = {6, 6, 86, 26};

// A 3-pixel stroke from x to x + 20 at y 14: its body, and the area its end
// caps may touch.
struct Stroke {
    Box body;
    Box reach;
    uint32_t colour;
};
const Stroke Strokes[] = {
    {{290, 13, 310, 16}, {287, 11, 313, 18}, Blue},
    {{390, 13, 410, 16}, {387, 11, 413, 18}, Red},
};

bool OnGrid(int x, int y) {
    if (x < PlotLeft || x > PlotRight || y < PlotTop || y > PlotBottom) return false;
    const bool vertical = (x - PlotLeft) % GridColumnWidth == 0 && y < PlotBottom;
    const bool horizontal = (y - PlotTop) % GridRowHeight == 0 && x < PlotRight;
    return vertical || horizontal; // (900, 534) is the end point of both last lines
}

std::string Fault(const char* what, int x, int y, uint32_t got) {
    char line[96];
    std::snprintf(line, sizeof line, "%s at (%d, %d): 0x%06X", what, x, y, got);
    return line;
}

void Note(std::vector<std::string>& faults, std::string fault) {
    if (faults.size() < 12) faults.push_back(std::move(fault));
}

} // namespace

std::vector<std::string> FrameFaults(const Capture& c) {
    std::vector<std::string> faults;
    const std::vector<Box> boxes = TextBoxes();
    std::vector<bool> inked(boxes.size(), false);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const uint32_t got = c.at(x, y);
            if (OnGrid(x, y)) {
                if (got != Black) Note(faults, Fault("grid not black", x, y, got));
                continue;
            }
            if (StatusLabelBox.contains(x, y)) continue;
            bool expected = false;
            for (size_t b = 0; b < boxes.size(); ++b)
                if (boxes[b].contains(x, y)) {
                    expected = true;
                    if (got != White) inked[b] = true;
                }
            for (const Stroke& s : Strokes) {
                if (s.body.contains(x, y)) {
                    expected = true;
                    if (got != s.colour) Note(faults, Fault("legend stroke", x, y, got));
                } else if (s.reach.contains(x, y) && (got == s.colour || got == White)) {
                    expected = true;
                }
            }
            if (!expected && got != White) Note(faults, Fault("stray ink", x, y, got));
        }
    }
    for (size_t b = 0; b < boxes.size(); ++b)
        if (!inked[b]) Note(faults, Fault("no text in box", boxes[b].left, boxes[b].top, White));
    return faults;
}

std::vector<std::string> ScaledFrameFaults(const Capture& c, int dpi) {
    return ScaledFrameFaults(c, NaturalFrame(dpi));
}

std::vector<std::string> ScaledFrameFaults(const Capture& c, const ChartFrame& f) {
    std::vector<std::string> faults;
    const auto s = [&f](int v) { return static_cast<int>(Scaled(v, f.dpi)); };
    const auto fx = [&f](int v) { return FrameX(f, v); };
    const auto fy = [&f](int v) { return FrameY(f, v); };
    auto expect = [&](const char* what, int x, int y, bool black) {
        if (x < 0 || y < 0 || x >= c.width || y >= c.height)
            return Note(faults, Fault(what, x, y, 0));
        if ((c.at(x, y) == Black) != black) Note(faults, Fault(what, x, y, c.at(x, y)));
    };
    // Each grid line at s() of its place, the white between them untouched,
    // looked at halfway between the crossing lines.
    for (int k = 0; k < VerticalGridLines; ++k) {
        const int x = fx(PlotLeft + GridColumnWidth * k);
        for (int row = 0; row + 1 < HorizontalGridLines; ++row) {
            const int y = fy(PlotTop + GridRowHeight * row + GridRowHeight / 2);
            expect("vertical grid line", x, y, true);
            expect("beside a vertical line", x + s(3), y, false);
            expect("beside a vertical line", x - s(3), y, false);
        }
    }
    for (int k = 0; k < HorizontalGridLines; ++k) {
        const int y = fy(PlotTop + GridRowHeight * k);
        for (int column = 0; column + 1 < VerticalGridLines; ++column) {
            const int x = fx(PlotLeft + GridColumnWidth * column + GridColumnWidth / 2);
            expect("horizontal grid line", x, y, true);
            expect("beside a horizontal line", x, y + s(3), false);
            expect("beside a horizontal line", x, y - s(3), false);
        }
    }
    // Each label beside its grid line; the captions along the top.
    const std::vector<Box> boxes = TextBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        int dx = 0, dy = 0;
        if (i < HorizontalGridLines) {
            const int line = PlotTop + GridRowHeight * static_cast<int>(i);
            dx = fx(PlotLeft) - s(PlotLeft);
            dy = fy(line) - s(line);
        } else if (i < HorizontalGridLines + VerticalGridLines) {
            const int line = PlotLeft + GridColumnWidth * static_cast<int>(i - HorizontalGridLines);
            dx = fx(line) - s(line);
            dy = fy(PlotBottom) - s(PlotBottom);
        }
        bool inked = false;
        for (int y = s(b.top) + dy; y < s(b.bottom) + dy && y < c.height; ++y)
            for (int x = s(b.left) + dx; x < s(b.right) + dx && x < c.width; ++x)
                inked = inked || c.at(x, y) != White;
        if (!inked) Note(faults, Fault("no text in box", s(b.left) + dx, s(b.top) + dy, White));
    }
    for (const Stroke& stroke : Strokes) {
        const int x = s((stroke.body.left + stroke.body.right) / 2), y = s(14);
        if (c.at(x, y) != stroke.colour) Note(faults, Fault("legend stroke", x, y, c.at(x, y)));
    }
    return faults;
}

std::vector<std::string> TraceFaults(const Capture& c, const int32_t ch1[SampleCount],
                                     const int32_t ch2[SampleCount], int32_t range, int dpi) {
    return TraceFaults(c, ch1, ch2, range, NaturalFrame(dpi));
}

std::vector<std::string> TraceFaults(const Capture& c, const int32_t ch1[SampleCount],
                                     const int32_t ch2[SampleCount], int32_t range,
                                     const ChartFrame& frame) {
    std::vector<std::string> faults;
    ChartPoint v1[SampleCount], v2[SampleCount];
    TraceVertices(ch1, range, frame, v1);
    TraceVertices(ch2, range, frame, v2);
    const int32_t width = static_cast<int32_t>(Scaled(1, frame.dpi)); // of a trace
    auto visible = [&](const ChartPoint& p) { return p.x < c.width && p.y >= 0 && p.y < c.height; };
    for (int i = 0; i + 1 < SampleCount; ++i) {
        if (visible(v2[i]) && c.at(v2[i].x, v2[i].y) != Red)
            Note(faults, Fault("CH2 vertex not red", v2[i].x, v2[i].y, c.at(v2[i].x, v2[i].y)));
        // Channel 2's segments into and out of this column span the rows
        // between their ends; channel 1 may lie under them there.
        int32_t lo = v2[i].y, hi = v2[i].y;
        for (int j : {i - 1, i + 1}) {
            if (j < 0) continue;
            lo = v2[j].y < lo ? v2[j].y : lo;
            hi = v2[j].y > hi ? v2[j].y : hi;
        }
        const bool covered = v1[i].y >= lo - width && v1[i].y <= hi + width;
        if (!covered && visible(v1[i]) && c.at(v1[i].x, v1[i].y) != Blue)
            Note(faults, Fault("CH1 vertex not blue", v1[i].x, v1[i].y, c.at(v1[i].x, v1[i].y)));
    }
    return faults;
}

void BandedSamples(int32_t range, int32_t ch1[SampleCount], int32_t ch2[SampleCount]) {
    const int32_t fullScale = 250 << range; // counts that reach the top line
    for (int i = 0; i < SampleCount; ++i) {
        ch2[i] = (i % 45) * fullScale / 100;
        ch1[i] = fullScale / 2 + (i * 7 % 45) * fullScale / 100;
    }
}

std::vector<std::string> ThresholdLineFaults(const Capture& c, const ChartFrame& f, int y96) {
    constexpr uint32_t Green = 0x008000;
    std::vector<std::string> faults;
    auto green = [&](int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = std::max(0, y0); y < std::min(c.height, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(c.width, x1); ++x)
                n += c.at(x, y) == Green;
        return n;
    };
    if (y96 == 0) {
        if (const int n = green(0, c.width, 0, c.height))
            Note(faults, Fault("green where no line is", n, 0, Green));
        return faults;
    }
    const int s1 = static_cast<int>(Scaled(1, f.dpi));
    const int left = FrameX(f, PlotLeft), right = FrameX(f, PlotRight), y = FrameY(f, y96);
    const int labelLeft = right - static_cast<int>(Scaled(130, f.dpi));
    // Dashes of 18 on and 6 off at one pixel, longer at more: most of the row.
    int dashed = 0;
    for (int row = y - s1; row <= y + s1; ++row)
        dashed = std::max(dashed, green(left, right, row, row + 1));
    if (dashed < (right - left) * 6 / 10 || dashed > (right - left) * 9 / 10)
        Note(faults, Fault("dashes cover", dashed, y, right - left));
    const int clear = s1 + 2;
    if (const int n = green(left, labelLeft, y - 6 * clear, y - clear) +
                      green(left, right, y + clear, y + 6 * clear))
        Note(faults, Fault("green beside the line", n, y, Green));
    if (green(labelLeft, right, y - static_cast<int>(Scaled(20, f.dpi)), y - 1) < 20)
        Note(faults, Fault("no label above the line's end", labelLeft, y, 0));
    return faults;
}

std::vector<std::string> DifferencesOutsideTexts(const Capture& a, const Capture& b) {
    std::vector<std::string> faults;
    if (a.width != b.width || a.height != b.height) {
        Note(faults, Fault("other size", a.width, a.height, 0));
        return faults;
    }
    const std::vector<Box> boxes = TextBoxes();
    std::vector<bool> inked(boxes.size(), false);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            bool text = false;
            for (size_t i = 0; i < boxes.size(); ++i) {
                const Box& t = boxes[i];
                if (!Box{t.left - 2, t.top - 2, t.right + 2, t.bottom + 2}.contains(x, y)) continue;
                text = true;
                inked[i] = inked[i] || a.at(x, y) != White;
            }
            if (!text && a.at(x, y) != b.at(x, y)) Note(faults, Fault("differs", x, y, a.at(x, y)));
        }
    for (size_t i = 0; i < boxes.size(); ++i)
        if (!inked[i]) Note(faults, Fault("no text in box", boxes[i].left, boxes[i].top, White));
    return faults;
}

std::string Describe(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& f : faults)
        text += f + "\n";
    return text;
}

void ExpectTraces(const Capture& c, const int32_t ch1[SampleCount], const int32_t ch2[SampleCount],
                  int32_t range, int dpi) {
    ExpectTraces(c, ch1, ch2, range, NaturalFrame(dpi));
}

void ExpectTraces(const Capture& c, const int32_t ch1[SampleCount], const int32_t ch2[SampleCount],
                  int32_t range, const ChartFrame& frame) {
    const std::vector<std::string> faults = TraceFaults(c, ch1, ch2, range, frame);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}
