// The setup program under Wine: a silent install for the current user, .mv2
// files opened through the shell into one window, a refusal while the program
// runs, and a silent uninstall that leaves the user's recordings.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"
#include "version.h"

namespace {

const wchar_t Classes[] = L"Software\\Classes";
const wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MARVEK2";
const wchar_t FileType[] = L"MARVEK2.Recording";

std::wstring SetupProgram() {
    return Widened(BuildDir() + "\\marvek2-" MARVEK_VERSION_TEXT "-setup.exe");
}

// Runs a command line and waits for it; its exit code, or 99.
DWORD RunAndWait(std::wstring line) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 99;
    return ExitCodeAfterWaiting(pi);
}

// A REG_SZ value, "(absent)" when there is none.
std::wstring Value(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t text[1024] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return L"(absent)";
    return text;
}

DWORD Number(HKEY root, const std::wstring& key, const wchar_t* name) {
    DWORD value = 0, bytes = sizeof value;
    RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes);
    return value;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

std::wstring StartMenu() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Opens a file as Explorer does on a double-click; the process it started.
HANDLE ShellOpen(const std::wstring& file) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? info.hProcess : nullptr;
}

HWND WaitForMainWindow() {
    for (int i = 0; i < 100; ++i) {
        if (HWND w = FindWindowA("marvek02", nullptr)) return w;
        Sleep(100);
    }
    return nullptr;
}

int MainWindows() {
    int count = 0;
    for (HWND w = FindWindowA("marvek02", nullptr); w;
         w = FindWindowExA(nullptr, w, "marvek02", nullptr))
        ++count;
    return count;
}

// Until the window's caption reads `caption`, at most 5 s.
bool CaptionBecomes(HWND window, const std::string& caption) {
    for (int i = 0; i < 100; ++i) {
        if (WindowText(window) == caption) return true;
        Sleep(50);
    }
    return false;
}

class Setup : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearSettings();
        folder = Widened(FreshFolder("setup-install"));
        files = Widened(FolderForThisTest());
        program = folder + L"marvek2.exe";
    }
    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeW(root, (std::wstring(Classes) + L"\\" + FileType).c_str());
            RegDeleteTreeW(root, (std::wstring(Classes) + L"\\.mv2").c_str());
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, UninstallKey);
        ClearSettings();
    }
    DWORD Install() {
        // /D takes the rest of the line, spaces and all, unquoted.
        return RunAndWait(L"\"" + SetupProgram() + L"\" /S /D=" +
                          folder.substr(0, folder.size() - 1));
    }
    DWORD Uninstall() {
        // With _?= it runs where it is and is waited for.
        return RunAndWait(L"\"" + folder + L"uninstall.exe\" /S _?=" +
                          folder.substr(0, folder.size() - 1));
    }
    std::wstring folder, files, program;
};

TEST_F(Setup, InstallsForTheUserOpensFilesInOneWindowAndUninstallsCleanly) {
    ASSERT_TRUE(Exists(SetupProgram()));
    ASSERT_EQ(Install(), 0u);
    const std::wstring home = folder.substr(0, folder.size() - 1);
    for (const wchar_t* name : {L"marvek2.exe", L"mv2tool.exe", L"guide-ja.html", L"uninstall.exe"})
        EXPECT_TRUE(Exists(folder + name)) << Narrowed(name);
    EXPECT_EQ(ReadBytes(program), ReadBytes(Widened(BuildDir() + "\\marvek2.exe")));
    const std::wstring menu = StartMenu();
    EXPECT_TRUE(Exists(menu + L"\\MARVEK Ⅱ.lnk"));
    EXPECT_TRUE(Exists(menu + L"\\MARVEK Ⅱ 利用ガイド.lnk"));

    const std::wstring type = std::wstring(Classes) + L"\\" + FileType;
    EXPECT_EQ(Value(HKEY_CURRENT_USER, std::wstring(Classes) + L"\\.mv2"), FileType);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, type), L"MARVEK Ⅱ 記録ファイル");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, type + L"\\DefaultIcon"), L"\"" + program + L"\",-2");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, type + L"\\shell\\open\\command"),
              L"\"" + program + L"\" \"%1\"");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"DisplayName"), L"MARVEK Ⅱ");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"DisplayVersion"), L"" MARVEK_VERSION_TEXT);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"DisplayIcon"), program);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"UninstallString"),
              L"\"" + folder + L"uninstall.exe\"");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"QuietUninstallString"),
              L"\"" + folder + L"uninstall.exe\" /S");
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"InstallLocation"), home);
    EXPECT_GT(Number(HKEY_CURRENT_USER, UninstallKey, L"EstimatedSize"), 500u);
    EXPECT_EQ(Number(HKEY_CURRENT_USER, UninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(Number(HKEY_CURRENT_USER, UninstallKey, L"NoRepair"), 1u);
    // Nothing for all users: no administrator was asked.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, type));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(Classes) + L"\\.mv2"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey));

    // This Wine's shell reads file types from HKLM only (Windows merges HKCU
    // in): the two keys are copied there for the double-click.
    for (const std::wstring& key : {std::wstring(Classes) + L"\\.mv2", type,
                                    type + L"\\DefaultIcon", type + L"\\shell\\open\\command"}) {
        const std::wstring value = Value(HKEY_CURRENT_USER, key);
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    ASSERT_TRUE(WriteBytes(Narrowed(files) + "one.mv2", ReferenceFile(KnownRecording())));
    ASSERT_TRUE(WriteBytes(Narrowed(files) + "two.mv2", ReferenceFile(KnownRecording())));
    SetEnvironmentVariableA("MARVEK_ARCHIVE_DIR", ArchiveForThisTest().c_str());
    HANDLE first = ShellOpen(files + L"one.mv2");
    ASSERT_NE(first, nullptr);
    HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(CaptionBecomes(window, FileCaption("one.mv2")));
    HANDLE second = ShellOpen(files + L"two.mv2");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForSingleObject(second, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(CaptionBecomes(window, FileCaption("two.mv2")));
    EXPECT_EQ(MainWindows(), 1);
    CloseHandle(second);

    // While it runs, neither the setup nor the uninstaller changes a thing.
    SetSettingText("LastPort", "COM3");
    const std::wstring other = Widened(FreshFolder("setup-other"));
    EXPECT_NE(RunAndWait(L"\"" + SetupProgram() + L"\" /S /D=" + other + L"app"), 0u);
    EXPECT_FALSE(Exists(other + L"app"));
    EXPECT_NE(Uninstall(), 0u);
    EXPECT_TRUE(Exists(program));
    TerminateProcess(first, 0);
    WaitForSingleObject(first, 5000);
    CloseHandle(first);

    // A newer setup over it replaces it in place and keeps the file type.
    ASSERT_EQ(RunAndWait(L"\"" + SetupProgram() + L"\" /S"), 0u);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, UninstallKey, L"InstallLocation"), home);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, type + L"\\shell\\open\\command"),
              L"\"" + program + L"\" \"%1\"");

    // The user's own recording in the folder is no business of the uninstaller.
    ASSERT_TRUE(WriteBytes(Narrowed(folder) + "kept.mv2", ReferenceFile(KnownRecording())));
    ASSERT_EQ(Uninstall(), 0u);
    EXPECT_TRUE(Exists(folder + L"kept.mv2"));
    for (const wchar_t* name : {L"marvek2.exe", L"mv2tool.exe", L"guide-ja.html"})
        EXPECT_FALSE(Exists(folder + name)) << Narrowed(name);
    EXPECT_FALSE(Exists(menu + L"\\MARVEK Ⅱ.lnk"));
    EXPECT_FALSE(Exists(menu + L"\\MARVEK Ⅱ 利用ガイド.lnk"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, type));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(Classes) + L"\\.mv2"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, UninstallKey));
    EXPECT_EQ(SettingText("LastPort"), "");
}

// .mv2 given to another program since: the uninstaller leaves it so.
TEST_F(Setup, UninstallingKeepsAFileTypeThatAnotherProgramTookOver) {
    ASSERT_EQ(Install(), 0u);
    const std::wstring extension = std::wstring(Classes) + L"\\.mv2";
    const wchar_t other[] = L"OtherViewer.mv2";
    RegSetKeyValueW(HKEY_CURRENT_USER, extension.c_str(), nullptr, REG_SZ, other, sizeof other);
    ASSERT_EQ(Uninstall(), 0u);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, extension), other);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(Classes) + L"\\" + FileType));
}

} // namespace
