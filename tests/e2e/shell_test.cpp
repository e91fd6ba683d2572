// The program's start-up, main window, menu and exit, as a user meets them.
#include "tests/support/driver.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/e2e/recording_files.h"

namespace {

// The driver compares texts as code page 932, whatever the system's locale.
TEST(Locale, TheDriverReadsCodePage932) {
    EXPECT_EQ(GetACP(), 932u);
}

using MainWindow = ProgramTest;

TEST_F(MainWindow, OpensCentredWithProductCaptionAndEmptyStatusLabel) {
    EXPECT_EQ(WindowText(app.main), ProductCaption);
    EXPECT_EQ(WindowText(app.main), "MARVEK \x87\x55"); // the bytes, not just the look

    EXPECT_EQ(ScreenPlace(app.main), Placed(495, 230, 930, 620));
    const LONG style = GetWindowLongA(app.main, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    HWND label = GetDlgItem(app.main, IDC_STATUS_LABEL);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_EQ(WindowText(label), "");
    EXPECT_EQ(ChildPlace(label), Placed(6, 6, 80, 20));

    SaveScreenshot(CaptureWindow(app.main), "main_window");
}

struct ExpectedItem {
    int popup;
    UINT id;
    const char* text;
    bool grayedWhenEmpty;
};

TEST_F(MainWindow, MenuHasItsTextsAndGraysDataCommandsUntilARecordingIsLoaded) {
    const MenuSnapshot menu = ReadMenu(app);
    ASSERT_EQ(menu.popups.size(), 5u) << "menu probe returned nothing";
    EXPECT_EQ(menu.popups[0], "ファイル");
    EXPECT_EQ(menu.popups[1], "設定");
    EXPECT_EQ(menu.popups[2], "表示");
    EXPECT_EQ(menu.popups[3], "ツール");
    EXPECT_EQ(menu.popups[4], "ヘルプ");

    const ExpectedItem expected[] = {
        {0, IDM_RECEIVE, "データ受信", false},
        {0, IDM_OPEN, "開く\tCtrl+O", false},
        {0, IDM_SAVE_AS, "名前を付けて保存\tCtrl+S", true},
        {0, IDM_PRINT, "印刷\tCtrl+P", true},
        {0, 0, "", false}, // separator
        {0, IDM_EXIT, "終了", false},
        {1, IDM_DISPLAY_RANGE, "表示レンジ", false},
        {1, IDM_TEXT_INPUT, "テキスト入力", true},
        {1, IDM_CLEAR, "データ消去", true},
        {1, 0, "", false}, // separator
        {1, static_cast<UINT>(-1), "通信ポート", false},
        {2, IDM_DATA_VIEW, "データ表示", true},
        {2, IDM_MAXIMUM, "最大照度", true},
        {2, 0, "", false}, // separator
        {2, IDM_THRESHOLD_LINE, "しきい値の線", false},
        {3, IDM_EXPORT_CSV, "CSV形式で保存", true},
        {3, IDM_EXPORT_IMAGE, "グラフを画像で保存", true},
        {3, IDM_COPY_CHART, "グラフをコピー\tCtrl+C", true},
        {3, 0, "", false}, // separator
        {3, IDM_STATISTICS, "統計", true},
        {3, 0, "", false}, // separator
        {3, IDM_RECORDING_LIST, "記録の一覧", false},
        {4, IDM_GUIDE, "利用ガイド\tF1", false},
        {4, 0, "", false}, // separator
        {4, IDM_ABOUT, "バージョン情報", false},
    };
    std::vector<MenuItem> items, ports;
    for (const MenuItem& item : menu.items)
        (item.popup < SubmenuOf ? items : ports).push_back(item);
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& got = items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE(want.text);
        EXPECT_EQ(got.popup, want.popup);
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.text, want.text);
        if (want.id == 0)
            EXPECT_TRUE(got.state & MF_SEPARATOR);
        else
            EXPECT_EQ((got.state & MF_GRAYED) != 0, want.grayedWhenEmpty);
    }

    // The port submenu: the automatic search, checked, then every port the
    // system lists (the bench's COM1 to COM20 and the machine's own COM21).
    ASSERT_EQ(ports.size(), 22u);
    EXPECT_EQ(ports[0].text, "自動");
    EXPECT_EQ(ports[0].id, static_cast<UINT>(IDM_PORT_AUTO));
    EXPECT_TRUE(ports[0].state & MF_CHECKED);
    for (int n = 1; n <= 21; ++n) {
        EXPECT_EQ(ports[n].text, "COM" + std::to_string(n));
        EXPECT_EQ(ports[n].id, static_cast<UINT>(IDM_PORT_FIRST + n));
        EXPECT_FALSE(ports[n].state & MF_CHECKED);
    }
}

TEST_F(MainWindow, SecondCopyIsTurnedAwayAndTheFirstKeepsRunning) {
    Program second;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    const std::string exe = BuildDir() + "\\marvek2.exe";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               BuildDir().c_str(), &si, &second.process));
    HWND box = WaitForProcessDialog(second.process.dwProcessId, "起動確認");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "既に起動されています");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    Click(box, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(second, 5000, &code));
    EXPECT_EQ(code, 0u);
    StopProgram(second);

    EXPECT_TRUE(IsWindow(app.main));
    EXPECT_TRUE(IsWindowVisible(app.main));
    EXPECT_EQ(WindowText(app.main), ProductCaption);
}

int MainWindowCount() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM counted) -> BOOL {
            char name[32] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "marvek02") ++*reinterpret_cast<int*>(counted);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// A second copy started with a file, as Explorer starts it.
struct SecondCopy {
    Program program;
    explicit SecondCopy(const std::wstring& path) : program(LaunchProgram("", path)) {}
    ~SecondCopy() { StopProgram(program); }
    // It ended with 0; false if it still runs after 8 s.
    bool EndedQuietly() const {
        DWORD code = 1;
        return WaitForExit(program, 8000, &code) && code == 0;
    }
};

TEST_F(MainWindow, ASecondCopyWithAFileHandsItToTheRunningWindow) {
    const std::string folder = FolderForThisTest();
    ASSERT_TRUE(WriteBytes(folder + "day.mv2", ReferenceFile(KnownRecording())));
    ASSERT_TRUE(WriteBytes(folder + "wrong.mv2", "not a recording"));
    PostMessageA(app.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle(app);
    ASSERT_TRUE(IsIconic(app.main));

    {
        // A relative path is made whole by the copy that was started.
        SecondCopy second(Widened(folder.substr(BuildDir().size() + 1)) + L"day.mv2");
        EXPECT_TRUE(second.EndedQuietly());
        EXPECT_EQ(WaitForProcessDialog(second.program.process.dwProcessId, "起動確認", 300),
                  nullptr);
    }
    Settle(app);
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));
    EXPECT_FALSE(IsIconic(app.main));
    EXPECT_EQ(MainWindowCount(), 1);

    // A file it cannot read is told by the running window, as File > Open
    // would; the second copy does not wait for the box.
    SecondCopy wrong(Widened(folder) + L"wrong.mv2");
    EXPECT_TRUE(wrong.EndedQuietly());
    EXPECT_EQ(TakeError(app), "ファイルが違います");
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));
}

TEST_F(MainWindow, ABusyRunningWindowRefusesAndTheSecondCopySaysOneRuns) {
    const std::string folder = FolderForThisTest();
    ASSERT_TRUE(WriteBytes(folder + "day.mv2", ReferenceFile(KnownRecording())));
    HWND range = OpenDialog(app, IDM_DISPLAY_RANGE, "表示最大値");
    ASSERT_NE(range, nullptr);
    SecondCopy second(Widened(folder) + L"day.mv2");
    HWND box = WaitForProcessDialog(second.program.process.dwProcessId, "起動確認");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "既に起動されています");
    Click(box, IDOK);
    EXPECT_TRUE(second.EndedQuietly());
    Click(range, IDCANCEL);
    Settle(app);
    EXPECT_EQ(WindowText(app.main), ProductCaption);
}

// A file taken just before a dialog opened waits for the dialog to close;
// the dialog showed the recording it opened with. A command another program
// posts meanwhile does nothing.
TEST_F(MainWindow, AFileHandedOverAsADialogOpensOpensWhenItCloses) {
    const std::string folder = FolderForThisTest();
    Recording before = KnownRecording();
    ASSERT_TRUE(LoadRecording(app, folder, "before.mv2", before));
    Recording handed = KnownRecording();
    handed.Ch1Samples[100] = 2000; // a maximum of its own: 100000 lx at sample 101
    ASSERT_TRUE(WriteBytes(folder + "handed.mv2", ReferenceFile(handed)));
    EXPECT_EQ(HandOverAfter(app, IDM_MAXIMUM, {Widened(folder + "handed.mv2")}),
              std::vector<int>{1});
    HWND dialog = WaitForDialog(app, "最大照度");
    ASSERT_NE(dialog, nullptr);
    Settle(app);
    EXPECT_NE(ItemText(dialog, IDC_CH1_MAX_LUX), "100000");
    EXPECT_EQ(HeldWindowText(app.main), FileCaption("before.mv2"));
    Choose(app, IDM_OPEN);
    EXPECT_TRUE(NoDialog(app, OpenDialogTitle));
    Click(dialog, IDCANCEL);
    Settle(app);
    EXPECT_EQ(WindowText(app.main), FileCaption("handed.mv2"));
    HWND again = OpenDialog(app, IDM_MAXIMUM, "最大照度");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ItemText(again, IDC_CH1_MAX_LUX), "100000");
    Click(again, IDCANCEL);
}

TEST_F(MainWindow, CopyDataThatIsNotAPathOfOursIsRefused) {
    const std::string folder = FolderForThisTest();
    ASSERT_TRUE(WriteBytes(folder + "day.mv2", ReferenceFile(KnownRecording())));
    const std::wstring path = Widened(folder) + L"day.mv2";
    auto send = [&](ULONG_PTR tag, DWORD bytes) {
        COPYDATASTRUCT data = {tag, bytes, const_cast<wchar_t*>(path.c_str())};
        DWORD_PTR answer = 99;
        SendMessageTimeoutW(app.main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, 5000, &answer);
        Settle(app);
        return answer;
    };
    const DWORD whole = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(send(0x12345678, whole), 0u);     // another program's data
    EXPECT_EQ(send(0x4D563246, whole - 1), 0u); // half a unit
    EXPECT_EQ(send(0x4D563246, whole - 2), 0u); // no terminating zero
    EXPECT_EQ(WindowText(app.main), ProductCaption);
    EXPECT_EQ(send(0x4D563246, whole), 1u);
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));
}

TEST_F(MainWindow, ClearDataPutsTheProductTitleBackInTheCaption) {
    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "old.mv2", KnownRecording()));
    Choose(app, IDM_CLEAR);
    Settle(app);
    EXPECT_EQ(WindowText(app.main), ProductCaption);
}

TEST_F(MainWindow, ExitAndCloseBoxBothAskAndNoKeepsTheWindow) {
    Choose(app, IDM_EXIT);
    HWND box = WaitForDialog(app, "終了確認");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "終了してもよいですか");
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    Click(box, IDNO);
    Settle(app);
    EXPECT_TRUE(IsWindowVisible(app.main));

    PressCloseBox(app);
    box = WaitForDialog(app, "終了確認");
    ASSERT_NE(box, nullptr);
    Click(box, IDNO);
    Settle(app);
    EXPECT_TRUE(IsWindowVisible(app.main));
}

// Answers Yes to the exit question and expects a clean end.
void ExpectYesEndsTheProgram(const Program& app) {
    HWND box = WaitForDialog(app, "終了確認");
    ASSERT_NE(box, nullptr);
    Click(box, IDYES);
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(app, 5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindow, YesEndsTheProgramWithCodeZero) {
    PressCloseBox(app);
    ExpectYesEndsTheProgram(app);
}

TEST_F(MainWindow, FileExitYesEndsTheProgramToo) {
    Choose(app, IDM_EXIT);
    ExpectYesEndsTheProgram(app);
}

// How many windows of the program's thread have this caption.
int DialogCount(const Program& p, const char* caption) {
    struct Search {
        const char* caption;
        int count;
    } search = {caption, 0};
    EnumThreadWindows(
        p.thread(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && WindowText(window) == s->caption) ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// A WM_CLOSE another program posts (taskkill without /f, an installer) goes
// through the same gate as 終了: never over a dialog, never a second question.
TEST_F(MainWindow, CloseFromAnotherProgramWaitsForDialogsAndNeverAsksTwice) {
    HWND range = OpenDialog(app, IDM_DISPLAY_RANGE, "表示最大値");
    ASSERT_NE(range, nullptr);
    PostMessageW(app.main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(NoDialog(app, "終了確認", 1000));
    Click(range, IDCANCEL);
    Settle(app);
    EXPECT_FALSE(IsWindow(range));
    EXPECT_TRUE(IsWindowVisible(app.main));

    Choose(app, IDM_EXIT);
    HWND box = WaitForDialog(app, "終了確認");
    ASSERT_NE(box, nullptr);
    PostMessageW(app.main, WM_CLOSE, 0, 0);
    Sleep(500);
    EXPECT_EQ(DialogCount(app, "終了確認"), 1);
    Click(box, IDNO);
    Settle(app);
    EXPECT_TRUE(IsWindowVisible(app.main));
    EXPECT_TRUE(NoDialog(app, "終了確認"));
}

} // namespace

// Another program holding a mutex of the common sample name no longer keeps
// the program from starting.
TEST(StartUp, AForeignMutexOfTheSampleNameDoesNotStopTheProgram) {
    HANDLE foreign = CreateMutexW(nullptr, TRUE, L"UniqueName");
    ASSERT_NE(foreign, nullptr);
    Program app = StartProgram();
    EXPECT_NE(app.main, nullptr);
    EXPECT_TRUE(NoDialog(app, "起動確認"));
    StopProgram(app);
    CloseHandle(foreign);
}
