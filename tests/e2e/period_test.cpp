// 期間グラフ from the list: the chosen days as a map, read by the mouse and
// the keys in either channel, in a larger window, a double click opening a
// day, and what is shown saved and copied. Where each cell goes is the
// window-free layout's, pinned by its unit tables; this checks the wiring.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "core/sample_view.h"
#include "list/period_figures.h"
#include "list/period_map.h"
#include "list/period_overlay.h"
#include "res/resource.h"
#include "tests/e2e/recording_files.h"
#include "tests/support/driver.h"

namespace {

Recording Day(Stamp start, int32_t ch1Base, int32_t ch1Step, int32_t ch2Step) {
    Recording r = {};
    r.StartStamp = start;
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = ch1Base + ch1Step * i;
        r.Ch2Samples[i] = ch2Step * i;
    }
    return r;
}

class Period : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = ArchiveForThisTest() + "\\";
        // 14 and 15 July, nothing on the 16th, the 17th into the 18th; 3
        // August is not chosen.
        days = {Day({2026, 7, 2, 14, 5, 0}, 0, 10, 1), Day({2026, 7, 3, 15, 5, 0}, 2000, -2, 3),
                Day({2026, 7, 5, 17, 20, 0}, 100, 0, 0), Day({2026, 8, 1, 3, 5, 0}, 7, 0, 0)};
        const char* names[] = {"d1.mv2", "d2.mv2", "d3.mv2", "d4.mv2"};
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(WriteBytes(folder + names[i], ReferenceFile(days[static_cast<size_t>(i)])));
        list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
        ASSERT_NE(list, nullptr);
        HWND table = GetDlgItem(list, IDC_LIST_TABLE);
        for (int row = 0; row < 3; ++row)
            SetListRowState(app, table, row, LVIS_SELECTED, LVIS_SELECTED);
        Settle(app);
        Click(list, IDC_LIST_PERIOD);
        period = WaitForDialog(app, "期間グラフ");
        ASSERT_NE(period, nullptr);
        picture = GetDlgItem(period, IDC_PERIOD_PICTURE);
        Settle(app);
    }
    // What the window shows for the chosen days, by the window-free rules.
    PeriodPicture Expected(int channel) const {
        std::vector<PeriodRecording> chosen;
        for (int i = 0; i < 3; ++i)
            chosen.push_back({days[static_cast<size_t>(i)].StartStamp,
                              {days[static_cast<size_t>(i)].Ch1Samples,
                               days[static_cast<size_t>(i)].Ch2Samples}});
        return MakePeriodPicture(chosen, channel);
    }
    PeriodLayout Layout() const {
        RECT r;
        GetClientRect(picture, &r);
        return LayOutPeriod({0, 0, r.right, r.bottom, 96});
    }
    // The middle pixel of a cell's row and the first of its column.
    POINT PointOf(int day, int minute) const {
        const PeriodLayout l = Layout();
        const CellSpan x = CellPixels(minute, 1440, l.plot.left, l.plot.width);
        const CellSpan y = CellPixels(day, 5, l.plot.top, l.plot.height);
        return {x.from, (y.from + y.to) / 2};
    }
    std::wstring CellReadout(int day, int minute, int channel) const {
        const std::u16string text =
            PeriodReadout(Expected(channel), channel, {PeriodSpot::Minute, day, minute});
        return std::wstring(text.begin(), text.end());
    }
    int MinuteAt(int x) const {
        const PeriodLayout l = Layout();
        return CellAt(x, 1440, l.plot.left, l.plot.width);
    }
    std::wstring Readout() const { return WindowTextW(GetDlgItem(period, IDC_PERIOD_READOUT)); }
    // The readout the rules give for the cell at a point.
    std::wstring ReadoutAt(POINT at, int channel) const {
        const PeriodPicture p = Expected(channel);
        const std::u16string text = PeriodReadout(p, channel, HitInPeriod(p, Layout(), at.x, at.y));
        return std::wstring(text.begin(), text.end());
    }
    std::string folder;
    std::vector<Recording> days;
    HWND list = nullptr, period = nullptr, picture = nullptr;
};

uint32_t Pixel(const Rgb& c) {
    return uint32_t{c.r} << 16 | c.g << 8 | c.b;
}

TEST_F(Period, TheChosenDaysAsAMapReadByTheMouseAndTheKeysInEitherChannelAndLarger) {
    SaveScreenshot(CaptureWindow(period), "period_map");
    EXPECT_TRUE(IsChecked(period, IDC_PERIOD_CH1));
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, PeriodNaturalWidth);
    EXPECT_EQ(r.bottom, PeriodNaturalHeight);
    // Commands posted to the main window do nothing while it is open.
    PostMessageW(app.main, WM_COMMAND, IDM_OPEN, 0);
    EXPECT_TRUE(NoDialog(app, OpenDialogTitle));

    // 12:34 on 14 July (a past-midnight day makes the span the whole day).
    const POINT noon = PointOf(0, 12 * 60 + 34);
    MoveMouseOver(app, picture, noon.x, noon.y);
    EXPECT_EQ(Readout(), ReadoutAt(noon, 0));
    EXPECT_EQ(Readout().substr(0, 18), L"2026/07/14(火) 12:3");
    // The 16th holds nothing; the 17th's evening is 5000 lx throughout.
    const POINT empty = PointOf(2, 12 * 60);
    MoveMouseOver(app, picture, empty.x, empty.y);
    EXPECT_EQ(Readout(), ReadoutAt(empty, 0));
    EXPECT_EQ(Readout().substr(Readout().size() - 5), L"\x3000記録なし");
    const POINT evening = PointOf(3, 21 * 60 + 30);
    const Capture shown = CaptureClient(picture);
    EXPECT_EQ(shown.at(evening.x + 1, evening.y), Pixel(LuxColour(5000)));
    EXPECT_EQ(shown.at(empty.x + 1, empty.y), Pixel(NoRecordingColour));
    // A day's bar: the row in the bars' column.
    const PeriodLayout l = Layout();
    MoveMouseOver(app, picture, l.bars.left + 2, PointOf(3, 0).y);
    EXPECT_EQ(Readout(), L"2026/07/17(金)\x3000"
                         L"CH1 積算 20000.0 lx・h");

    // A click puts the cursor there; the keys move it a minute or a day.
    ClickOver(app, picture, evening.x, evening.y);
    Settle(app);
    const int clicked = MinuteAt(evening.x);
    EXPECT_EQ(Readout(), CellReadout(3, clicked, 0));
    MoveMouseAway();
    Settle(app);
    PressKeyIn(app, period, VK_RIGHT);
    EXPECT_EQ(Readout(), CellReadout(3, clicked + 1, 0));
    PressKeyIn(app, period, VK_DOWN);
    EXPECT_EQ(Readout(), CellReadout(4, clicked + 1, 0));
    PressKeyIn(app, period, VK_END);
    EXPECT_EQ(Readout().substr(14, 5), L"23:59");
    PressKeyIn(app, period, VK_HOME);
    EXPECT_EQ(Readout(), L"2026/07/18(土) 0:00\x3000"
                         L"CH1 5000 lx");
    const Capture cursor = CaptureClient(picture);
    const POINT home = PointOf(4, 0);
    EXPECT_EQ(cursor.at(home.x - 1, home.y), Black);

    // CH2: the same cell, the other channel's value.
    Press(period, IDC_PERIOD_CH2);
    Settle(app);
    EXPECT_TRUE(IsChecked(period, IDC_PERIOD_CH2));
    EXPECT_EQ(Readout(), L"2026/07/18(土) 0:00\x3000"
                         L"CH2 0 lx");
    MoveMouseOver(app, picture, noon.x, noon.y);
    EXPECT_EQ(Readout(), ReadoutAt(noon, 1));

    // Maximised, the picture grows and a point still reads its own cell.
    PostMessageW(period, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle(app);
    GetClientRect(picture, &r);
    EXPECT_GT(r.right, PeriodNaturalWidth);
    EXPECT_GT(r.bottom, PeriodNaturalHeight);
    SaveScreenshot(CaptureWindow(period), "period_map_maximised");
    const POINT grown = PointOf(1, 9 * 60 + 5);
    MoveMouseOver(app, picture, grown.x, grown.y);
    EXPECT_EQ(Readout(), ReadoutAt(grown, 1));
    EXPECT_EQ(Readout().substr(0, 13), L"2026/07/15(水)");

    Click(period, IDCANCEL);
    Settle(app);
    EXPECT_FALSE(IsWindow(period));
    EXPECT_TRUE(IsWindowVisible(list));
}

TEST_F(Period, ADoubleClickOnADayOpensItsRecordingInTheMainWindow) {
    // An empty day opens nothing.
    const POINT empty = PointOf(2, 600);
    ClickOver(app, picture, empty.x, empty.y, 2);
    Settle(app);
    EXPECT_TRUE(IsWindow(period));
    const POINT morning = PointOf(1, 8 * 60);
    ClickOver(app, picture, morning.x, morning.y, 2);
    Settle(app);
    EXPECT_FALSE(IsWindow(period));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(WindowText(app.main), FileCaption("d2.mv2"));
}

TEST_F(Period, WhatIsShownIsSavedAsPngOrEmfAndCopiedAsBoth) {
    const std::string png = FolderForThisTest() + "period";
    Click(period, IDC_PERIOD_SAVE_IMAGE);
    HWND save = WaitForDialog(app, "期間グラフを画像で保存");
    ASSERT_NE(save, nullptr);
    SetItemText(save, FileNameBox, png); // no extension: the type chosen, PNG
    Click(save, IDOK);
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    const std::string bytes = ReadBytes(png + ".png");
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    auto be32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at]) << 24 |
                                     static_cast<unsigned char>(bytes[at + 1]) << 16 |
                                     static_cast<unsigned char>(bytes[at + 2]) << 8 |
                                     static_cast<unsigned char>(bytes[at + 3]));
    };
    EXPECT_EQ(be32(16), static_cast<uint32_t>(PeriodNaturalWidth));
    EXPECT_EQ(be32(20), static_cast<uint32_t>(PeriodNaturalHeight));

    Click(period, IDC_PERIOD_SAVE_IMAGE);
    save = WaitForDialog(app, "期間グラフを画像で保存");
    ASSERT_NE(save, nullptr);
    SetItemText(save, FileNameBox, png + ".emf");
    Click(save, IDOK);
    Settle(app);
    const std::string emf = ReadBytes(png + ".emf");
    ASSERT_GT(emf.size(), 44u);
    EXPECT_EQ(emf.substr(40, 4), " EMF");
    // One bitmap for the cells, not a rectangle each.
    EXPECT_LT(emf.size(), 2u << 20);

    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    Click(period, IDC_PERIOD_COPY);
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
}

// The chosen days' figures under the map, as the window-free rules give
// them for the hours typed; the same numbers from mv2tool period.
class PeriodFigures : public Period {
  protected:
    std::vector<PeriodFigureRow> Rows(OccupiedHours hours, Threshold threshold,
                                      int64_t budget = 0) const {
        const PeriodGrid grids[2] = {Expected(0).grid, Expected(1).grid};
        return PeriodFigureRows(grids, hours, true, threshold, budget);
    }
    // Every cell of the table against the rules' rows.
    void ExpectTable(const std::vector<PeriodFigureRow>& rows, bool empty = false) {
        HWND table = GetDlgItem(period, IDC_PERIOD_FIGURES);
        int row = 0;
        for (const PeriodFigureRow& figure : rows) {
            if (!figure.inTable) continue;
            EXPECT_EQ(ListCellW(app, table, row, 0),
                      std::wstring(figure.name,
                                   figure.name + std::char_traits<char16_t>::length(figure.name)));
            for (int ch = 0; ch < 2; ++ch) {
                const std::u16string& cell = figure.cell[ch];
                EXPECT_EQ(ListCellW(app, table, row, ch + 1),
                          empty ? L"" : std::wstring(cell.begin(), cell.end()))
                    << figure.field;
            }
            ++row;
        }
        EXPECT_EQ(ListRowCount(table), row);
    }
};

TEST_F(PeriodFigures, FollowTheOccupiedHoursAndTheListsThresholdAndMatchTheTool) {
    SaveScreenshot(CaptureWindow(period), "period_figures");
    EXPECT_EQ(ItemText(period, IDC_PERIOD_HOURS_FROM), "8:00");
    EXPECT_EQ(ItemText(period, IDC_PERIOD_HOURS_TO), "18:00");
    ExpectTable(Rows({480, 1080}, {true, 500}));
    EXPECT_EQ(ListCellW(app, GetDlgItem(period, IDC_PERIOD_FIGURES), 0, 1), L"5 (記録 4)");

    // Typed hours: the figures at once; hours that are not hours empty
    // every cell and say why, with no box.
    SetItemText(period, IDC_PERIOD_HOURS_FROM, "9:30");
    Settle(app);
    ExpectTable(Rows({570, 1080}, {true, 500}));
    EXPECT_EQ(SettingText("OccupiedHours"), "9:30-18:00");
    SetItemText(period, IDC_PERIOD_HOURS_TO, "9:00");
    Settle(app);
    ExpectTable(Rows({570, 1080}, {true, 500}), true);
    EXPECT_NE(ItemText(period, IDC_PERIOD_HOURS_REASON), "");
    EXPECT_TRUE(NoDialog(app, "エラー"));
    EXPECT_EQ(SettingText("OccupiedHours"), "9:30-18:00");
    SetItemText(period, IDC_PERIOD_HOURS_TO, "24:00");
    Settle(app);
    ExpectTable(Rows({570, 1440}, {true, 500}));
    EXPECT_EQ(ItemText(period, IDC_PERIOD_HOURS_REASON), "");

    // The tool on the same files, with the same hours and threshold.
    std::string out;
    ASSERT_EQ(RunTool(L"period \"" + Widened(folder) + L"d1.mv2\" \"" + Widened(folder) +
                          L"d3.mv2\" \"" + Widened(folder) + L"d2.mv2\" --hours 9:30-24:00",
                      &out),
              0u);
    EXPECT_EQ(out, PeriodFiguresTsv(Rows({570, 1440}, {true, 500})));

    // Another threshold and a budget in the list: the next opening uses them.
    Click(period, IDCANCEL);
    Settle(app);
    SetItemText(list, IDC_LIST_THRESHOLD, "1000");
    SetItemText(list, IDC_LIST_BUDGET, "150000");
    Settle(app);
    Click(list, IDC_LIST_PERIOD);
    period = WaitForDialog(app, "期間グラフ");
    ASSERT_NE(period, nullptr);
    Settle(app);
    EXPECT_EQ(ItemText(period, IDC_PERIOD_HOURS_FROM), "9:30"); // remembered
    ExpectTable(Rows({570, 1440}, {true, 1000}, 150000));
    Click(period, IDCANCEL);
}

// 基準 fills both fields from one choice, and shows (選択しない) again on
// the next opening.
TEST_F(PeriodFigures, AStandardsLevelFillsTheThresholdAndTheBudget) {
    Click(period, IDCANCEL);
    Settle(app);
    HWND standard = GetDlgItem(list, IDC_LIST_STANDARD);
    EXPECT_EQ(WindowTextW(standard), L"(選択しない)");
    const struct {
        int index;
        const char *threshold, *budget;
    } choices[] = {{7, "50", "150000"}, {1, "750", ""}};
    for (const auto& c : choices) {
        SendMessageW(standard, CB_SETCURSEL, c.index, 0);
        PostMessageW(list, WM_COMMAND, MAKEWPARAM(IDC_LIST_STANDARD, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(standard));
        Settle(app);
        EXPECT_EQ(ItemText(list, IDC_LIST_THRESHOLD), c.threshold);
        EXPECT_EQ(ItemText(list, IDC_LIST_BUDGET), c.budget);
    }
    EXPECT_EQ(SettingText("Threshold"), "750");
    Click(list, IDCANCEL);
    Settle(app);
    list = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(WindowTextW(GetDlgItem(list, IDC_LIST_STANDARD)), L"(選択しない)");
    EXPECT_EQ(ItemText(list, IDC_LIST_THRESHOLD), "750");
    Click(list, IDCANCEL);
}

// The overlay's picture and layout, as the window-free rules give them.
struct Overlay {
    PeriodPicture picture;
    OverlayData data;
    OverlayLayout layout;
    Overlay(PeriodPicture p, HWND window) : picture(std::move(p)), data(MakeOverlay(picture.grid)) {
        RECT r;
        GetClientRect(window, &r);
        layout = LayOutOverlay({0, 0, r.right, r.bottom, 96});
    }
    POINT Vertex(int day, int minute, int32_t range) const {
        const PeriodGrid& g = picture.grid;
        return {CellPixels(minute, g.span.minutes(), layout.plot.left, layout.plot.width).from,
                OverlayY(LuxOf(g.counts[static_cast<size_t>(g.index(day, minute))]), range,
                         layout.plot)};
    }
};

void ChooseRange(const Program& app, HWND period, int range) {
    HWND combo = GetDlgItem(period, IDC_PERIOD_RANGE);
    SendMessageW(combo, CB_SETCURSEL, range, 0);
    PostMessageW(period, WM_COMMAND, MAKEWPARAM(IDC_PERIOD_RANGE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Settle(app);
}

// Up to six days: each in its colour, read at the mouse, on another full
// scale, and a double click on a trace opens its day.
TEST_F(Period, DaysLaidOverOneAnotherInTheirColoursReadAndOpened) {
    HWND range = GetDlgItem(period, IDC_PERIOD_RANGE);
    EXPECT_FALSE(IsWindowVisible(range));
    Press(period, IDC_PERIOD_OVERLAY_VIEW);
    Settle(app);
    EXPECT_TRUE(IsWindowVisible(range));
    EXPECT_EQ(WindowTextW(range), L"100000 lx"); // the main window's range
    EXPECT_EQ(SettingText("PeriodView"), "");    // a number, not a text
    SaveScreenshot(CaptureWindow(period), "period_overlay");
    const Overlay o(Expected(0), picture);
    ASSERT_EQ(o.data.days.size(), 4u); // 14, 15, 17 and 18 July
    // 15 July at 9:00: 76000 lx, the second day's colour.
    POINT v = o.Vertex(1, 9 * 60, 3);
    EXPECT_EQ(CaptureClient(picture).at(v.x, v.y), Pixel(DayColour(1)));
    MoveMouseOver(app, picture, v.x, v.y - 20);
    const std::u16string read = OverlayReadout(o.picture, o.data, 9 * 60);
    EXPECT_EQ(Readout(), std::wstring(read.begin(), read.end()));
    // After 7/14's, held at the top of this full scale.
    EXPECT_NE(Readout().find(L"7/15 76000 lx"), std::wstring::npos);

    ChooseRange(app, period, 4);
    v = o.Vertex(1, 9 * 60, 4);
    EXPECT_EQ(CaptureClient(picture).at(v.x, v.y), Pixel(DayColour(1)));
    ClickOver(app, picture, v.x, v.y + 2, 2);
    Settle(app);
    EXPECT_FALSE(IsWindow(period));
    EXPECT_EQ(WindowText(app.main), FileCaption("d2.mv2"));
}

// Ten days: grey traces under the band of the 10th to 90th percentile and
// the median, at the minutes the rules put them.
class PeriodMonth : public ProgramTest {};

TEST_F(PeriodMonth, ManyDaysAsTheirMedianAndBand) {
    const std::string folder = ArchiveForThisTest() + "\\";
    std::vector<Recording> days;
    for (int d = 0; d < 10; ++d) {
        Recording r = {};
        r.StartStamp = {2026, 7, 0, 1 + d, 5, 0};
        for (int i = 0; i < SampleCount; ++i)
            r.Ch1Samples[i] = 20 * (1 + (d * 7) % 10); // 1000 to 10000 lx, in no order
        days.push_back(r);
        ASSERT_TRUE(WriteBytes(folder + "d" + std::to_string(d) + ".mv2", ReferenceFile(r)));
    }
    const PeriodWindows opened = OpenPeriodWindow(app);
    HWND list = opened.list, period = opened.period;
    ASSERT_NE(period, nullptr);
    Press(period, IDC_PERIOD_OVERLAY_VIEW);
    ChooseRange(app, period, 0); // 12500 lx: 40 px between the days
    HWND picture = GetDlgItem(period, IDC_PERIOD_PICTURE);
    SaveScreenshot(CaptureWindow(period), "period_overlay_month");
    std::vector<PeriodRecording> chosen;
    for (const Recording& r : days)
        chosen.push_back({r.StartStamp, {r.Ch1Samples, r.Ch2Samples}});
    const Overlay o(MakePeriodPicture(chosen, 0), picture);
    ASSERT_TRUE(o.data.many());
    const Capture c = CaptureClient(picture);
    for (int minute : {60, 420, 800}) {
        SCOPED_TRACE(minute);
        const size_t m = static_cast<size_t>(minute);
        EXPECT_EQ(o.data.p10[m], 1000);
        EXPECT_EQ(o.data.p50[m], 5000);
        EXPECT_EQ(o.data.p90[m], 9000);
        const int x = CellPixels(minute, 840, o.layout.plot.left, o.layout.plot.width).from;
        EXPECT_EQ(c.at(x, OverlayY(5000, 0, o.layout.plot)), Blue);       // the median
        EXPECT_EQ(c.at(x, OverlayY(8500, 0, o.layout.plot)), 0x8080FFu);  // the band
        EXPECT_EQ(c.at(x, OverlayY(10000, 0, o.layout.plot)), 0xC8C8C8u); // a day above it
        EXPECT_EQ(c.at(x + 1, OverlayY(10500, 0, o.layout.plot)), White); // beside an hour
    }
    MoveMouseOver(app, picture, CellPixels(420, 840, o.layout.plot.left, o.layout.plot.width).from,
                  100);
    EXPECT_EQ(WindowTextW(GetDlgItem(period, IDC_PERIOD_READOUT)),
              L"12:00\x3000中央値 5000 lx\x3000"
              L"10\x2013"
              L"90 %: 1000\x2013"
              L"9000 lx\x3000(10 日)");
    Click(period, IDCANCEL);
    Click(list, IDCANCEL);
}

} // namespace
