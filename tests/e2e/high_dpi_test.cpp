// The program on a screen at 144 DPI (150 %), against what it does at 96.
// Not in the 96-DPI list: the test command runs HighDpi.ReferenceAt96 in
// the usual prefix, then HighDpi.*At144 in a prefix whose screen is at 144
// DPI (MARVEK_WINE_DPI=144); the first leaves its figures in a folder both
// can read.
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <map>

#include "list/period_map.h"
#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"
#include "view/dpi_scale.h"

namespace {

std::string ReferenceFolder() {
    const std::string folder = BuildDir() + "\\e2e-files\\dpi-reference";
    CreateDirectoryA((BuildDir() + "\\e2e-files").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int S(int value) {
    return static_cast<int>(Scaled(value, ScreenDpi()));
}

// Loads the known day and exports the chart as a PNG to `path`.
void ExportChart(const Program& app, const std::string& path) {
    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "day.mv2", KnownRecording()));
    Choose(app, IDM_EXPORT_IMAGE);
    HWND dialog = WaitForDialog(app, "グラフを画像で保存");
    ASSERT_NE(dialog, nullptr);
    DeleteFileA(path.c_str());
    SetItemText(dialog, FileNameBox, path);
    Click(dialog, IDOK);
    Settle(app);
    ASSERT_EQ(TakeError(app, 300), "");
}

INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Whether a static's or button's text fits the control: 1 or 0; -1 for
// another control or no text.
int TextFits(HWND child) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    const std::wstring text = WindowTextW(child);
    const std::wstring kind = cls;
    if (text.empty() || (kind != L"Static" && kind != L"Button")) return -1;
    HDC dc = GetDC(child);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(child, dc);
    RECT room;
    GetClientRect(child, &room);
    const LONG style = GetWindowLongW(child, GWL_STYLE) & 0xF;
    // What the control keeps for itself beside its text.
    const int inset = kind == L"Static"             ? 0
                      : style == BS_AUTORADIOBUTTON ? GetSystemMetrics(SM_CXMENUCHECK) + S(3)
                      : style == BS_GROUPBOX        ? S(16)
                                                    : S(6);
    return size.cx <= room.right - inset ? 1 : 0;
}

// Whether each static's and button's text fits its control, in every dialog
// of the program, made from its own templates at the screen's DPI; a key
// for each ("RANGEDLG#3 ＯＫ").
std::map<std::string, bool> DialogTextsFit(bool keepScreenshots) {
    std::map<std::string, bool> fits;
    const std::wstring exe = Widened(BuildDir() + "\\marvek2.exe");
    HMODULE program = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(program, nullptr);
    if (!program) return fits;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    for (const wchar_t* name : {RangeTemplate, TextTemplate, DataTemplate, MaxTemplate,
                                StatTemplate, ListTemplate, AboutTemplate}) {
        HWND dialog = CreateDialogParamW(program, name, nullptr, Inert, 0);
        EXPECT_NE(dialog, nullptr) << Narrowed(name);
        if (!dialog) continue;
        int index = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            ++index;
            const std::wstring text = WindowTextW(child);
            const int fit = TextFits(child);
            if (fit < 0) continue;
            fits[Narrowed(name) + "#" + std::to_string(index) + " " + Narrowed(text)] = fit == 1;
        }
        if (keepScreenshots) {
            ShowWindow(dialog, SW_SHOWNA);
            UpdateWindow(dialog);
            Sleep(200);
            SaveScreenshot(CaptureWindow(dialog),
                           "dpi" + std::to_string(ScreenDpi()) + "_" + Narrowed(name));
        }
        DestroyWindow(dialog);
    }
    FreeLibrary(program);
    return fits;
}

TEST(HighDpi, ReferenceAt96) {
    ASSERT_EQ(ScreenDpi(), 96);
    Program app = StartProgram();
    ASSERT_NE(app.main, nullptr);
    ExportChart(app, ReferenceFolder() + "chart96.png");
    StopProgram(app);
    std::ofstream out(ReferenceFolder() + "fits96.txt", std::ios::binary | std::ios::trunc);
    for (const auto& [key, fit] : DialogTextsFit(false))
        out << (fit ? "fits " : "clipped ") << key << "\n";
}

class At144 : public ProgramTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(ScreenDpi(), 144) << "run in the 144-DPI prefix (MARVEK_WINE_DPI=144)";
        ProgramTest::SetUp();
    }
    void TearDown() override {
        MoveMouseAway();
        ProgramTest::TearDown();
    }
};

// (The fixture's name carries the suite's: HighDpi*At144.)
using HighDpiWindowAt144 = At144;

TEST_F(HighDpiWindowAt144, TheWindowItsControlsAndItsChartAreScaledAndTheImageIsNot) {
    // s(930) × s(620), centred on the 1920 × 1080 screen
    EXPECT_EQ(ScreenPlace(app.main), Placed((1920 - 1395) / 2, (1080 - 930) / 2, 1395, 930));
    const struct {
        int id;
        RECT at; // left, top, width, height at 96 DPI
    } children[] = {{IDC_STATUS_LABEL, {6, 6, 80, 20}},
                    {IDC_PROGRESS_BAR, {90, 9, 160, 14}},
                    {IDC_READOUT, {430, 6, 470, 20}}};
    for (const auto& c : children) {
        EXPECT_EQ(ChildPlace(GetDlgItem(app.main, c.id)),
                  Placed(S(c.at.left), S(c.at.top), S(c.at.right), S(c.at.bottom)))
            << c.id;
    }
    std::vector<std::string> faults = ScaledFrameFaults(CaptureClient(app.main), 144);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    const std::string png = ReferenceFolder() + "chart144.png";
    ExportChart(app, png);
    const Recording r = KnownRecording();
    ExpectTraces(CaptureClient(app.main), r.Ch1Samples, r.Ch2Samples, 3, 144);
    SaveScreenshot(CaptureWindow(app.main), "dpi144_main");
    // The same image as at 96 DPI, byte for byte.
    const std::string reference = ReadBytes(ReferenceFolder() + "chart96.png");
    ASSERT_FALSE(reference.empty()) << "HighDpi.ReferenceAt96 has not run";
    EXPECT_TRUE(ReadBytes(png) == reference);

    // The sample under the mouse: x 275 is 183.3 at 96 DPI, sample 123.
    MoveMouseTo(app, 275, 450);
    HWND readout = GetDlgItem(app.main, IDC_READOUT);
    for (int i = 0; i < 100 && HeldWindowText(readout).rfind("No.123 ", 0) != 0; ++i)
        Sleep(20);
    EXPECT_EQ(HeldWindowText(readout).substr(0, 8), "No.123  ");
    SaveScreenshot(CaptureWindow(app.main), "dpi144_readout");
}

// The threshold's line, as remembered: dashed at s(284), its pen and label
// scaled like the others.
TEST_F(HighDpiWindowAt144, TheThresholdsLineIsScaledLikeTheRest) {
    StopProgram(app);
    SetSettingText("Threshold", "50000");
    SetSettingNumber("ThresholdLine", 1);
    app = StartProgram();
    ASSERT_NE(app.main, nullptr);
    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "dpi144_threshold");
    const std::vector<std::string> faults = ThresholdLineFaults(c, NaturalFrame(144), 284);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

TEST(HighDpiDialogsAt144, EveryTextThatFitsAt96FitsAt144) {
    ASSERT_EQ(ScreenDpi(), 144);
    std::ifstream in(ReferenceFolder() + "fits96.txt", std::ios::binary);
    ASSERT_TRUE(in.good()) << "HighDpi.ReferenceAt96 has not run";
    const std::map<std::string, bool> at144 = DialogTextsFit(true);
    std::string line;
    int compared = 0;
    while (std::getline(in, line)) {
        if (line.rfind("fits ", 0) != 0) continue;
        const std::string key = line.substr(5);
        const auto found = at144.find(key);
        ASSERT_NE(found, at144.end()) << key;
        EXPECT_TRUE(found->second) << "clipped at 144 DPI: " << key;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

// 期間グラフ at 144 DPI: the picture s() of its natural width, the map read
// where the layout for that DPI puts it, and every button's text in its
// button.
TEST_F(HighDpiWindowAt144, ThePeriodWindowIsScaledAndItsTextsFit) {
    const std::string folder = ArchiveForThisTest() + "\\";
    Recording r = KnownRecording();
    r.StartStamp = {2026, 7, 2, 14, 5, 0};
    ASSERT_TRUE(WriteBytes(folder + "d1.mv2", ReferenceFile(r)));
    const PeriodWindows opened = OpenPeriodWindow(app);
    HWND list = opened.list, period = opened.period;
    ASSERT_NE(period, nullptr);
    SaveScreenshot(CaptureWindow(period), "dpi144_period");
    HWND picture = GetDlgItem(period, IDC_PERIOD_PICTURE);
    RECT room;
    GetClientRect(picture, &room);
    EXPECT_EQ(room.right, S(PeriodNaturalWidth));
    // Its natural height does not fit this 1080-pixel screen at 144 DPI:
    // the window starts as high as the screen, the picture smaller.
    RECT outer, work;
    GetWindowRect(period, &outer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(outer.top, work.top);
    EXPECT_LE(outer.bottom, work.bottom);
    EXPECT_LT(room.bottom, S(PeriodNaturalHeight));
    EXPECT_GT(room.bottom, S(300));
    for (HWND child = GetWindow(period, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_NE(TextFits(child), 0) << Narrowed(WindowTextW(child));
    const PeriodLayout l = LayOutPeriod({0, 0, room.right, room.bottom, 144});
    MoveMouseOver(app, picture, l.plot.left + l.plot.width / 2, l.plot.top + l.plot.height / 2);
    EXPECT_EQ(WindowTextW(GetDlgItem(period, IDC_PERIOD_READOUT)).substr(0, 15),
              L"2026/07/14(火) 1");
    Click(period, IDCANCEL);
    Click(list, IDCANCEL);
}

} // namespace
