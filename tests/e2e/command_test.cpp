// The keyboard's shortcuts and the Help menu, as a user meets them.
#include <windows.h>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/support/wait.h"
#include "tests/e2e/recording_files.h"
#include "version.h"

namespace {

using Commands = ProgramTest;

void EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

// A dialog the key opened, cancelled; false when none came.
bool CancelDialog(const Program& p, const char* caption) {
    HWND dialog = WaitForDialog(p, caption);
    if (!dialog) return false;
    Click(dialog, IDCANCEL);
    Settle(p);
    return true;
}

TEST_F(Commands, EachShortcutDoesItsCommandOnlyWhenTheCommandMayRun) {
    EmptyTheClipboard();
    PressCtrlKey(app, 'S');
    EXPECT_TRUE(NoDialog(app, SaveDialogTitle));
    PressCtrlKey(app, 'C');
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    PressCtrlKey(app, 'O');
    EXPECT_TRUE(CancelDialog(app, OpenDialogTitle));

    ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "day.mv2", KnownRecording()));
    PressCtrlKey(app, 'S');
    EXPECT_TRUE(CancelDialog(app, SaveDialogTitle));
    PressCtrlKey(app, 'C');
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));
}

// A program for .html pages, in the machine's classes (this Wine reads no
// other): it writes the name it was given to `marker`. Removed again after.
class HtmlProgram {
  public:
    explicit HtmlProgram(const std::string& marker) {
        const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1> \"" + marker + "\"";
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html", nullptr, REG_SZ,
                        "MarvekTestPage", 15);
        RegSetKeyValueA(HKEY_LOCAL_MACHINE,
                        "Software\\Classes\\MarvekTestPage\\shell\\open\\command", nullptr, REG_SZ,
                        command.c_str(), static_cast<DWORD>(command.size() + 1));
    }
    ~HtmlProgram() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\MarvekTestPage");
    }
    HtmlProgram(const HtmlProgram&) = delete;
    HtmlProgram& operator=(const HtmlProgram&) = delete;
};

// F1 opens the guide beside the program, by its full path; without a
// program for it, or without the guide, the user is told.
TEST_F(Commands, TheGuideOpensFromBesideTheProgramOrTheUserIsTold) {
    PressKey(app, VK_F1); // no program for .html yet
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    EXPECT_EQ(TakeError(app), "利用ガイドが見つかりません");

    const std::string folder = FolderForThisTest();
    const std::string marker = folder + "opened.txt";
    HtmlProgram html(marker);
    PressKey(app, VK_F1);
    std::string opened;
    WaitUntil(10000, [&] { return !(opened = ReadBytes(marker)).empty(); });
    EXPECT_EQ(opened.substr(0, opened.find_first_of("\r\n")), BuildDir() + "\\guide-ja.html");
    EXPECT_EQ(TakeError(app, 300), "");

    // The program copied alone, started where a guide lies: not that one.
    StopProgram(app);
    ASSERT_TRUE(
        CopyFileA((BuildDir() + "\\marvek2.exe").c_str(), (folder + "marvek2.exe").c_str(), FALSE));
    app = StartProgram("", L"", Widened(folder + "marvek2.exe"));
    ASSERT_NE(app.main, nullptr);
    Choose(app, IDM_GUIDE);
    EXPECT_EQ(TakeError(app), "利用ガイドが見つかりません");
}

TEST_F(Commands, TheAboutBoxNamesTheVersionAndTheArchiveFolder) {
    HWND about = OpenDialog(app, IDM_ABOUT, "バージョン情報");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), app.main);
    EXPECT_EQ(ItemText(about, IDC_ABOUT_PRODUCT), ProductCaption);
    EXPECT_EQ(ItemText(about, IDC_ABOUT_VERSION), "バージョン " MARVEK_VERSION_TEXT);
    EXPECT_EQ(ItemText(about, IDC_ABOUT_ARCHIVE), ArchiveForThisTest());
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(about, IDC_ABOUT_ARCHIVE), GWL_STYLE) & ES_READONLY);
    SaveScreenshot(CaptureWindow(about), "about");
    Press(about, IDOK);
    Settle(app);
    EXPECT_FALSE(IsWindow(about));
}

} // namespace
