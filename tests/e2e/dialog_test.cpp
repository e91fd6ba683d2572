// The four dialogs, opened from the menu of the real program.
#include <cstring>

#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

constexpr char RangeCaption[] = "表示最大値";
constexpr char TextCaption[] = "補足テキストの入力／表示";
constexpr char DataCaption[] = "データ表示";
constexpr char MaxCaption[] = "最大照度";

// The template's (0, 0) places the dialog's client area over the owner's.
::testing::AssertionResult PlacedAtClientOrigin(HWND dialog, HWND owner) {
    POINT inner = {0, 0};
    ClientToScreen(dialog, &inner);
    POINT origin = {0, 0};
    ClientToScreen(owner, &origin);
    if (inner.x == origin.x && inner.y == origin.y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "dialog client at (" << inner.x << ", " << inner.y << "), client origin at ("
           << origin.x << ", " << origin.y << ")";
}

class Dialogs : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
    }
    void Load(const Recording& r, const char* name = "day.mv2") {
        ASSERT_TRUE(LoadRecording(app, folder, name, r));
    }
    HWND Open(WORD command, const char* caption) {
        HWND d = OpenDialog(app, command, caption);
        EXPECT_NE(d, nullptr) << caption;
        return d;
    }
    // Opens a dialog the first time in a test: a screenshot, and where every
    // dialog must stand and which button has the focus.
    HWND OpenAsFirstSeen(WORD command, const char* caption, int focused, const char* screenshot) {
        HWND d = Open(command, caption);
        if (!d) return nullptr;
        SaveScreenshot(CaptureWindow(d), screenshot);
        EXPECT_TRUE(PlacedAtClientOrigin(d, app.main));
        EXPECT_EQ(FocusOf(app), GetDlgItem(d, focused));
        return d;
    }
    // Closes a dialog with a button and waits until it is gone.
    void Close(HWND dialog, int id) {
        Click(dialog, id);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i)
            Sleep(20);
        Settle(app);
    }
    // Ink painted straight onto the screen over part of the chart that no
    // dialog covers: only a repaint of the main window removes it.
    void Smudge() {
        POINT at = {600, 400};
        ClientToScreen(app.main, &at);
        HDC screen = GetDC(nullptr);
        RECT r = {at.x, at.y, at.x + 150, at.y + 80};
        HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
        FillRect(screen, &r, green);
        DeleteObject(green);
        ReleaseDC(nullptr, screen);
    }
    bool Smudged() { return CaptureClient(app.main).at(650, 430) == 0x00C800; }

    std::string folder;
};

// Labels and buttons as the templates hold them (code page 932 in, out).
void ExpectTexts(HWND dialog, std::initializer_list<std::pair<int, const char*>> texts) {
    for (const auto& [id, text] : texts)
        EXPECT_EQ(ItemText(dialog, id), text) << id;
}

TEST_F(Dialogs, DisplayRangeOpensOnTheCurrentRangeAndOkRescalesTheChart) {
    Recording r = KnownRecording();
    BandedSamples(0, r.Ch1Samples, r.Ch2Samples);
    Load(r);
    HWND d = OpenAsFirstSeen(IDM_DISPLAY_RANGE, RangeCaption, IDOK, "dialog_range");
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDOK, "OK"},
                    {IDCANCEL, "ｷｬﾝｾﾙ"},
                    {IDC_RANGE_12500, "　１２５００ＬＵＸ"},
                    {IDC_RANGE_25000, "　２５０００ＬＵＸ"},
                    {IDC_RANGE_50000, "　５００００ＬＵＸ"},
                    {IDC_RANGE_100000, "１０００００ＬＵＸ"},
                    {IDC_RANGE_200000, "２０００００ＬＵＸ"}});
    const int buttons[] = {IDC_RANGE_12500, IDC_RANGE_25000, IDC_RANGE_50000, IDC_RANGE_100000,
                           IDC_RANGE_200000};
    for (int id : buttons)
        EXPECT_EQ(IsChecked(d, id), id == IDC_RANGE_100000) << id;

    Press(d, IDC_RANGE_12500);
    EXPECT_TRUE(IsChecked(d, IDC_RANGE_12500));
    EXPECT_FALSE(IsChecked(d, IDC_RANGE_100000)); // one group: the others clear
    Close(d, IDOK);
    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "chart_range_12500");
    ExpectTraces(c, r.Ch1Samples, r.Ch2Samples, 0);

    d = Open(IDM_DISPLAY_RANGE, RangeCaption);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(IsChecked(d, IDC_RANGE_12500));
    Close(d, IDCANCEL);
}

TEST_F(Dialogs, DisplayRangeCancelKeepsTheChartAndOkAlwaysRepaints) {
    const Capture before = CaptureClient(app.main);
    HWND d = Open(IDM_DISPLAY_RANGE, RangeCaption);
    ASSERT_NE(d, nullptr);
    Press(d, IDC_RANGE_200000);
    Smudge();
    Close(d, IDCANCEL);
    EXPECT_TRUE(Smudged()) << "Cancel repainted the chart";

    d = Open(IDM_DISPLAY_RANGE, RangeCaption);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(IsChecked(d, IDC_RANGE_100000));
    Close(d, IDOK); // no change, still a repaint
    EXPECT_TRUE(CaptureClient(app.main).pixels == before.pixels);

    // Without a recording only the labels change.
    d = Open(IDM_DISPLAY_RANGE, RangeCaption);
    ASSERT_NE(d, nullptr);
    Press(d, IDC_RANGE_12500);
    Close(d, IDOK);
    const Capture after = CaptureClient(app.main);
    EXPECT_TRUE(FrameFaults(after).empty()) << Describe(FrameFaults(after));
    EXPECT_FALSE(after.pixels == before.pixels);
    for (int y = 0; y < after.height; ++y)
        for (int x = 60; x < after.width; ++x)
            ASSERT_EQ(after.at(x, y), before.at(x, y)) << x << "," << y;
}

TEST_F(Dialogs, TextsShowThePlaceholderAsEmptyAndOkWritesThemBack) {
    Recording r = KnownRecording();
    std::strcpy(r.RecordingTexts.Title, " ");
    std::strcpy(r.RecordingTexts.Ch1Name, "  ");
    std::strcpy(r.RecordingTexts.Ch2Name,
                std::string(55, 'w').c_str()); // longer than typing allows
    std::strcpy(r.RecordingTexts.Memo, "メモ欄");
    Load(r);

    HWND d = OpenAsFirstSeen(IDM_TEXT_INPUT, TextCaption, IDOK, "dialog_text");
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDC_TITLE, ""},
                    {IDC_CH1_NAME, "  "},
                    {IDC_CH2_NAME, std::string(55, 'w').c_str()},
                    {IDC_MEMO, "メモ欄"}});
    Close(d, IDCANCEL);

    // The placeholder became empty on opening, even though it was cancelled;
    // a save writes it out again as one space.
    ASSERT_NE(SaveAs(app, folder + "after_cancel.mv2"), nullptr);
    Settle(app);
    Recording saved = r;
    EXPECT_EQ(ReadBytes(folder + "after_cancel.mv2"), ReferenceFile(saved));

    d = Open(IDM_TEXT_INPUT, TextCaption);
    ASSERT_NE(d, nullptr);
    SetItemText(d, IDC_TITLE, "Roof");
    SetItemText(d, IDC_CH1_NAME, " ");
    Close(d, IDOK);
    ASSERT_NE(SaveAs(app, folder + "after_ok.mv2"), nullptr);
    Settle(app);
    std::strcpy(saved.RecordingTexts.Title, "Roof");
    std::strcpy(saved.RecordingTexts.Ch1Name, " ");
    EXPECT_EQ(ReadBytes(folder + "after_ok.mv2"), ReferenceFile(saved));

    // A text entered as one space shows empty the next time.
    d = Open(IDM_TEXT_INPUT, TextCaption);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_CH1_NAME), "");
    Close(d, IDCANCEL);
}

TEST_F(Dialogs, TypingStopsAtTheLimitAndLongTextsNeverOverflowAField) {
    Load(KnownRecording());
    HWND d = Open(IDM_TEXT_INPUT, TextCaption);
    ASSERT_NE(d, nullptr);
    HWND title = GetDlgItem(d, IDC_TITLE);
    SetItemText(d, IDC_TITLE, "");
    for (int i = 0; i < 50; ++i)
        SendMessageTimeoutA(title, WM_CHAR, 'a', 0, SMTO_NORMAL, 2000, nullptr);
    EXPECT_EQ(ItemText(d, IDC_TITLE), std::string(40, 'a'));
    // Set, not typed: more than a field holds, all double-byte.
    std::string wide;
    for (int i = 0; i < 60; ++i)
        wide += "照";
    SetItemText(d, IDC_MEMO, wide);
    Close(d, IDOK);

    ASSERT_NE(SaveAs(app, folder + "long.mv2"), nullptr);
    Settle(app);
    const std::string file = ReadBytes(folder + "long.mv2");
    EXPECT_NE(file.find("\r\n" + std::string(40, 'a') + "\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n" + wide.substr(0, 62) + "\r\n"), std::string::npos)
        << "the memo is not the first 31 characters";
}

// The Tab key's round from the focused control, as ids.
std::vector<int> TabRound(HWND dialog, int from) {
    std::vector<int> ids;
    HWND at = GetDlgItem(dialog, from);
    for (int i = 0; i < 12; ++i) {
        at = GetNextDlgTabItem(dialog, at, FALSE);
        ids.push_back(GetDlgCtrlID(at));
        if (GetDlgCtrlID(at) == from) break;
    }
    return ids;
}

// What the edits take: only what code page 932 holds, at most 40 bytes of it,
// and a pasted line break as a space, so that the file keeps its lines.
TEST_F(Dialogs, TextsTakeWhatCodePage932HoldsWithinFortyBytesAndLineBreaksAsSpaces) {
    Load(KnownRecording());
    HWND d = Open(IDM_TEXT_INPUT, TextCaption);
    ASSERT_NE(d, nullptr);
    const std::wstring a = L"あ"; // two bytes
    std::wstring typed;
    for (int i = 0; i < 25; ++i)
        typed += a;
    SetItemText(d, IDC_TITLE, "");
    PasteInto(GetDlgItem(d, IDC_TITLE), L"a\rb");
    SetItemText(d, IDC_CH1_NAME, "");
    TypeInto(GetDlgItem(d, IDC_CH1_NAME), typed);
    SetItemText(d, IDC_CH2_NAME, "abc");
    SendMessageTimeoutW(GetDlgItem(d, IDC_CH2_NAME), EM_SETSEL, 3, 3, SMTO_NORMAL, 2000, nullptr);
    TypeInto(GetDlgItem(d, IDC_CH2_NAME), typed);
    SetItemText(d, IDC_MEMO, "");
    TypeInto(GetDlgItem(d, IDC_MEMO), L"é\xD842\xDFB7ｱ"); // é and 𠮷 are refused
    PasteInto(GetDlgItem(d, IDC_MEMO), L"café");

    std::string twenty, eighteen;
    for (int i = 0; i < 20; ++i)
        (i < 18 ? eighteen : twenty) += "\x82\xA0";
    twenty = eighteen + twenty;
    EXPECT_EQ(ItemText(d, IDC_CH1_NAME), twenty);
    EXPECT_EQ(ItemText(d, IDC_CH2_NAME), "abc" + eighteen);
    EXPECT_EQ(ItemText(d, IDC_MEMO), "\xB1"
                                     "caf");
    Close(d, IDOK);

    Recording expected = KnownRecording();
    std::strcpy(expected.RecordingTexts.Title, "a b");
    std::strcpy(expected.RecordingTexts.Ch1Name, twenty.c_str());
    std::strcpy(expected.RecordingTexts.Ch2Name, ("abc" + eighteen).c_str());
    std::strcpy(expected.RecordingTexts.Memo, "\xB1"
                                              "caf");
    ASSERT_NE(SaveAs(app, folder + "typed.mv2"), nullptr);
    Settle(app);
    EXPECT_EQ(ReadBytes(folder + "typed.mv2"), ReferenceFile(expected));
}

TEST_F(Dialogs, TabStopsAreTheButtonsOfTheRangeDialogAndTheButtonsThenEditsOfTheTextDialog) {
    HWND d = Open(IDM_DISPLAY_RANGE, RangeCaption);
    ASSERT_NE(d, nullptr);
    // The radio buttons come without tab stops and form one group; checking
    // one makes the system give it a tab stop, so Tab visits the checked one.
    EXPECT_EQ(TabRound(d, IDOK), (std::vector<int>{IDCANCEL, IDC_RANGE_100000, IDOK}));
    for (int id = IDC_RANGE_12500; id <= IDC_RANGE_200000; ++id) {
        const LONG style = GetWindowLongA(GetDlgItem(d, id), GWL_STYLE);
        EXPECT_EQ(style & WS_GROUP, 0) << id;
        EXPECT_EQ(style & WS_TABSTOP, id == IDC_RANGE_100000 ? WS_TABSTOP : 0) << id;
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON) << id;
    }
    EXPECT_EQ(GetWindowLongA(GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_NE(GetWindowLongA(GetDlgItem(d, IDCANCEL), GWL_STYLE) & WS_TABSTOP, 0);
    Close(d, IDCANCEL);
    Load(KnownRecording());
    d = Open(IDM_TEXT_INPUT, TextCaption);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(TabRound(d, IDOK),
              (std::vector<int>{IDCANCEL, IDC_TITLE, IDC_CH1_NAME, IDC_CH2_NAME, IDC_MEMO, IDOK}));
    Close(d, IDCANCEL);
}

Recording DayStartingAt(int32_t hour, int32_t minute) {
    Recording r = KnownRecording();
    r.StartStamp = {2016, 11, 0, 27, hour, minute};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = i;
        r.Ch2Samples[i] = -2 * i;
    }
    r.Ch1Samples[0] = 123;
    return r;
}

struct Shown {
    const char *position, *hour, *minute, *ch1, *ch2;
};

void ExpectSample(HWND d, const Shown& s) {
    ExpectTexts(d, {{IDC_POSITION, s.position},
                    {IDC_HOUR, s.hour},
                    {IDC_MINUTE, s.minute},
                    {IDC_CH1_LUX, s.ch1},
                    {IDC_CH2_LUX, s.ch2}});
}

TEST_F(Dialogs, DataViewStepsThroughTheDayAndRefusesWholeStepsBeyondIt) {
    Load(DayStartingAt(5, 0));
    HWND d = OpenAsFirstSeen(IDM_DATA_VIEW, DataCaption, IDCANCEL, "dialog_data");
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDC_YEAR, "2016"}, {IDC_MONTH, "11"}, {IDC_DAY, "27"}, {IDC_WEEKDAY, "SUN"}});
    ExpectTexts(d, {{IDC_STEP_MINUS_1, "－１"},
                    {IDC_STEP_MINUS_100, "－１００"},
                    {IDC_STEP_PLUS_10, "＋１０"},
                    {IDCANCEL, "ｷｬﾝｾﾙ"}});
    ExpectSample(d, {"1", "5", "0", "6150", "0"});

    const struct {
        int button;
        Shown after;
    } steps[] = {
        {IDC_STEP_MINUS_1, {"1", "5", "0", "6150", "0"}}, // refused at 1
        {IDC_STEP_MINUS_10, {"1", "5", "0", "6150", "0"}},
        {IDC_STEP_MINUS_100, {"1", "5", "0", "6150", "0"}},
        {IDC_STEP_PLUS_1, {"2", "5", "1", "50", "-100"}},
        {IDC_STEP_PLUS_10, {"12", "5", "11", "550", "-1100"}},
        {IDC_STEP_MINUS_10, {"2", "5", "1", "50", "-100"}},
        {IDC_STEP_PLUS_100, {"102", "6", "41", "5050", "-10100"}},
        {IDC_STEP_MINUS_100, {"2", "5", "1", "50", "-100"}},
        {IDC_STEP_MINUS_10, {"2", "5", "1", "50", "-100"}}, // 2 - 10 refused, not clamped
    };
    for (const auto& s : steps) {
        Press(d, s.button);
        SCOPED_TRACE(s.after.position);
        ExpectSample(d, s.after);
    }
    // Up to the end: 2 + 7 * 100 + 3 * 10 = 732, then +100 is refused ...
    for (int i = 0; i < 7; ++i)
        Press(d, IDC_STEP_PLUS_100);
    for (int i = 0; i < 3; ++i)
        Press(d, IDC_STEP_PLUS_10);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "732");
    for (int i = 0; i < 8; ++i)
        Press(d, IDC_STEP_PLUS_1);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "740");
    Press(d, IDC_STEP_PLUS_100);
    ExpectSample(d, {"840", "18", "59", "41950", "-83900"});
    Press(d, IDC_STEP_PLUS_1);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "840");
    Press(d, IDC_STEP_MINUS_100);
    Press(d, IDC_STEP_PLUS_1);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "741");
    Press(d, IDC_STEP_PLUS_100);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "741");
    Close(d, IDCANCEL);
}

TEST_F(Dialogs, DataViewKeepsItsPositionAcrossClosingClearingAndLoading) {
    Load(DayStartingAt(23, 30));
    HWND d = Open(IDM_DATA_VIEW, DataCaption);
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < 8; ++i)
        Press(d, IDC_STEP_PLUS_100);
    for (int i = 0; i < 3; ++i)
        Press(d, IDC_STEP_PLUS_10);
    for (int i = 0; i < 9; ++i)
        Press(d, IDC_STEP_PLUS_1);
    ExpectSample(d, {"840", "37", "29", "41950", "-83900"}); // after midnight, same date
    ExpectTexts(d, {{IDC_DAY, "27"}});
    Close(d, IDCANCEL);

    d = Open(IDM_DATA_VIEW, DataCaption);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "840");
    Close(d, IDCANCEL);

    Choose(app, IDM_CLEAR);
    Settle(app);
    Recording other = DayStartingAt(0, 0);
    other.StartStamp.Weekday = 6;
    Load(other, "other.mv2");
    d = Open(IDM_DATA_VIEW, DataCaption);
    ASSERT_NE(d, nullptr);
    ExpectSample(d, {"840", "13", "59", "41950", "-83900"});
    ExpectTexts(d, {{IDC_WEEKDAY, "SAT"}});
    Close(d, IDCANCEL);
}

TEST_F(Dialogs, DataViewShowsAnOutOfRangeWeekdayAsItsNumberAndHugeLuxInFull) {
    Recording r = DayStartingAt(5, 0);
    r.StartStamp.Weekday = 9;
    r.Ch1Samples[0] = INT32_MIN;
    Load(r);
    HWND d = Open(IDM_DATA_VIEW, DataCaption);
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDC_WEEKDAY, "9"}, {IDC_POSITION, "1"}, {IDC_CH1_LUX, "-107374182400"}});
    Close(d, IDCANCEL);
}

TEST_F(Dialogs, MaximumShowsTheEarliestLargestSampleOfEachChannel) {
    Recording r = KnownRecording();
    r.StartStamp = {2015, 6, 2, 2, 5, 0};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = 0;
        r.Ch2Samples[i] = -50 - i;
    }
    r.Ch1Samples[10] = 900;
    r.Ch1Samples[20] = 900;
    Load(r);
    HWND d = OpenAsFirstSeen(IDM_MAXIMUM, MaxCaption, IDCANCEL, "dialog_maximum");
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDC_CH1_MAX_NUMBER, "11"},
                    {IDC_CH1_MAX_HOUR, "5"},
                    {IDC_CH1_MAX_MINUTE, "10"},
                    {IDC_CH1_MAX_LUX, "45000"},
                    // all negative: the one nearest zero
                    {IDC_CH2_MAX_NUMBER, "1"},
                    {IDC_CH2_MAX_HOUR, "5"},
                    {IDC_CH2_MAX_MINUTE, "0"},
                    {IDC_CH2_MAX_LUX, "-2500"}});
    Close(d, IDCANCEL);

    for (int i = 0; i < SampleCount; ++i)
        r.Ch1Samples[i] = 0;
    r.Ch2Samples[839] = 4095;
    Load(r, "second.mv2");
    d = Open(IDM_MAXIMUM, MaxCaption);
    ASSERT_NE(d, nullptr);
    ExpectTexts(d, {{IDC_CH1_MAX_NUMBER, "1"},
                    {IDC_CH1_MAX_HOUR, "5"},
                    {IDC_CH1_MAX_MINUTE, "0"},
                    {IDC_CH1_MAX_LUX, "0"},
                    {IDC_CH2_MAX_NUMBER, "840"},
                    {IDC_CH2_MAX_HOUR, "18"},
                    {IDC_CH2_MAX_MINUTE, "59"},
                    {IDC_CH2_MAX_LUX, "204750"}});
    Close(d, IDCANCEL);
}

} // namespace
