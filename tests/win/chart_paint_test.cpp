// The chart painter drawing into a memory DC: the traces of every range, the
// DC handed back as it came, and no GDI object left behind by a paint.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/recording.h"
#include "print/report_page.h"
#include "tests/support/chart_pixels.h"
#include "view/chart.h"

namespace {

constexpr int Width = 914;
constexpr int Height = 582;
// Room for the chart at 144 DPI.
constexpr int WideWidth = 1371;
constexpr int WideHeight = 873;

// A white 32-bit DIB selected into a memory DC, as a fresh paint would find it.
class Canvas {
  public:
    explicit Canvas(int width = Width, int height = Height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        Clear();
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void Clear() {
        RECT all = {0, 0, width_, height_};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    Capture Pixels() const {
        GdiFlush();
        Capture c;
        c.width = width_;
        c.height = height_;
        const auto* p = static_cast<const uint32_t*>(bits_);
        c.pixels.assign(p, p + width_ * height_);
        for (uint32_t& px : c.pixels)
            px &= 0xFFFFFF;
        return c;
    }

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    void* bits_ = nullptr;
};

class ChartPaint : public ::testing::Test {
  protected:
    void SetUp() override {
        EmptyRecording(r);
        r.DataLoaded = 1;
    }
    Recording r;
};

TEST_F(ChartPaint, TracesHitEveryVertexInEveryRange) {
    Canvas canvas;
    for (int32_t range = 0; range < 5; ++range) {
        SCOPED_TRACE(range);
        BandedSamples(range, r.Ch1Samples, r.Ch2Samples);
        canvas.Clear();
        PaintChart(canvas.dc(), NaturalFrame(96), {&r, range, 0});
        const std::vector<std::string> faults =
            TraceFaults(canvas.Pixels(), r.Ch1Samples, r.Ch2Samples, range);
        EXPECT_TRUE(faults.empty()) << Describe(faults);
    }
}

TEST_F(ChartPaint, RedLiesOnTopWhereTheTracesMeetAndNothingIsDrawnBeyondX900) {
    Canvas canvas;
    EmptyRecording(r); // both flat on the bottom line
    PlotTraces(canvas.dc(), r, 3, NaturalFrame(96));
    const Capture c = canvas.Pixels();
    for (int x = 61; x < 900; ++x) {
        ASSERT_EQ(c.at(x, 534), Red) << x;
    }
    EXPECT_EQ(c.at(900, 534), White); // the end point of the last segment
    EXPECT_EQ(c.at(60, 534), White);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (y == 534) continue;
            ASSERT_EQ(c.at(x, y), White) << x << "," << y;
        }
}

TEST_F(ChartPaint, HandsTheDcBackWithItsOwnPenAndFont) {
    Canvas canvas;
    HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    PaintChartFrame(canvas.dc(), 3, NaturalFrame(96));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
    PlotTraces(canvas.dc(), r, 3, NaturalFrame(96));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
}

// At 144 DPI every place is s() of its 96-DPI place: the grid, the labels,
// the legend, the traces' vertices, and the cursor, one 96-DPI pixel wide.
TEST_F(ChartPaint, At144DpiEveryPlaceIsScaled) {
    Canvas canvas(WideWidth, WideHeight);
    PaintChartFrame(canvas.dc(), 1, NaturalFrame(144));
    std::vector<std::string> faults = ScaledFrameFaults(canvas.Pixels(), 144);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    canvas.Clear();
    BandedSamples(1, r.Ch1Samples, r.Ch2Samples);
    PaintChart(canvas.dc(), NaturalFrame(144), {&r, 1, 100});
    const Capture c = canvas.Pixels();
    faults = TraceFaults(c, r.Ch1Samples, r.Ch2Samples, 1, 144);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    const RECT cursor = CursorColumn(100, NaturalFrame(144));
    EXPECT_EQ(cursor.left, 240); // s(160)
    EXPECT_EQ(cursor.right - cursor.left, 2);
    EXPECT_EQ(cursor.top, 51);
    EXPECT_EQ(cursor.bottom, 802);
    int grey = 0;
    for (int y = cursor.top; y < cursor.bottom; ++y)
        for (int x = cursor.left; x < cursor.right; ++x)
            grey += c.at(x, y) == 0x808080;
    EXPECT_GT(grey, 1000);
}

// A paint that may change only a few columns (the cursor's move) draws in
// them exactly what a paint of the whole chart draws there.
TEST_F(ChartPaint, APaintOfSomeColumnsDrawsThemAsTheWholePaintDoes) {
    BandedSamples(3, r.Ch1Samples, r.Ch2Samples);
    r.Ch2Samples[100] = -3000; // a segment far down into the labels' row
    Canvas whole, part;
    PaintChart(whole.dc(), NaturalFrame(96), {&r, 3, 160});
    const Capture all = whole.Pixels();
    for (const RECT& columns : {RECT{160, 34, 161, 535}, RECT{40, 0, 70, Height},
                                RECT{150, 520, 170, 560}, RECT{899, 0, 914, Height}}) {
        part.Clear();
        HRGN clip = CreateRectRgnIndirect(&columns);
        SelectClipRgn(part.dc(), clip);
        DeleteObject(clip);
        PaintChart(part.dc(), NaturalFrame(96), {&r, 3, 160});
        SelectClipRgn(part.dc(), nullptr);
        const Capture c = part.Pixels();
        for (int y = columns.top; y < columns.bottom; ++y)
            for (int x = columns.left; x < columns.right; ++x)
                ASSERT_EQ(c.at(x, y), all.at(x, y)) << x << "," << y;
    }
}

// Each paint makes five pens and a font; a paint that kept one would run the
// process's GDI handle table dry long before this loop ends.
TEST_F(ChartPaint, ThousandsOfPaintsLeaveNoGdiObjectBehind) {
    Canvas canvas;
    BandedSamples(2, r.Ch1Samples, r.Ch2Samples);
    for (int i = 0; i < 12000; ++i)
        PaintChart(canvas.dc(), NaturalFrame(96), {&r, 2, 0});
    canvas.Clear();
    PaintChart(canvas.dc(), NaturalFrame(96), {&r, 2, 0});
    const Capture c = canvas.Pixels();
    const std::vector<std::string> faults = TraceFaults(c, r.Ch1Samples, r.Ch2Samples, 2);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    EXPECT_EQ(c.at(290, 14), Blue);
    EXPECT_EQ(c.at(120, 100), Black);
}

// A landscape A4 page at 300 dpi, painted as the printer is sent it: the
// grid where the page's layout puts the chart's frame, the traces' vertices
// in it, and the texts above and below.
TEST_F(ChartPaint, APrintedPageDrawsItsChartInTheLayoutsFrame) {
    const PageGeometry page = {3508, 2479, 0, 0, 3508, 2479, 300};
    BandedSamples(3, r.Ch1Samples, r.Ch2Samples);
    const RecordingReport report = MakeRecordingReport(
        r, u"C:\\a\\day.mv2", Stamp{2026, 12, 3, 9, 8, 5}, {true, 500}, "1.3.0");
    Canvas canvas(page.width, page.height);
    PaintRecordingPage(canvas.dc(), page, report, {&r, 3, 0});
    const Capture c = canvas.Pixels();
    const ChartFrame f = LayOutRecordingPage(page, 8).chart;
    std::vector<std::string> faults = TraceFaults(c, r.Ch1Samples, r.Ch2Samples, 3, f);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(c.at(FrameX(f, 60 + 60 * k), FrameY(f, 84)), Black) << k;
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(c.at(FrameX(f, 90), FrameY(f, 34 + 100 * k)), Black) << k;
    const RecordingPageLayout l = LayOutRecordingPage(page, 8);
    auto inked = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = l.left; x < l.right; ++x)
                n += c.at(x, y) != White;
        return n;
    };
    EXPECT_GT(inked(l.titleY, l.headerY), 500);     // the title
    EXPECT_GT(inked(l.tableY, l.footerY), 5000);    // the figures
    EXPECT_GT(inked(l.footerY, l.bottom), 500);     // the footer
    EXPECT_EQ(inked(l.bottom + 2, page.height), 0); // nothing in the margin
}

} // namespace
