// Starting and ending the program, its settings, files and the console tool.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

std::string BuildDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = 0;
    return path;
}

std::string ArchiveForThisTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test ? test->test_suite_name() : "bench") + "-" +
                             (test ? test->name() : "download");
    const std::string folder = BuildDir() + "\\e2e-files\\archive-" + name;
    CreateDirectoryA((BuildDir() + "\\e2e-files").c_str(), nullptr);
    return folder;
}

Program StartProgram(const std::string& archive, const std::wstring& arguments,
                     const std::wstring& exe) {
    // A mouse resting over the new window would show the chart's cursor.
    MoveMouseAway();
    // A copy from before that is still ending holds the program's mutex, and
    // the new one would take itself for a second copy.
    WaitUntil(5000, [] {
        HANDLE held = OpenMutexW(SYNCHRONIZE, FALSE, SingleCopyMutex);
        if (held) CloseHandle(held);
        return held == nullptr;
    });
    Program p = LaunchProgram(archive, arguments, exe);
    if (!p.process.hProcess) return p;
    WaitForInputIdle(p.process.hProcess, 10000);
    WaitUntil(10000, [&] {
        HWND w = FindWindowW(MainWindowClass, nullptr);
        DWORD pid = 0;
        if (w) GetWindowThreadProcessId(w, &pid);
        if (w && pid == p.process.dwProcessId && IsWindowVisible(w)) p.main = w;
        return p.main != nullptr;
    });
    Settle(p);
    return p;
}

Program LaunchProgram(const std::string& archive, const std::wstring& arguments,
                      const std::wstring& exe) {
    Program p;
    if (archive.empty()) {
        // A fresh, empty folder: files left by an earlier run go first.
        const std::string folder = ArchiveForThisTest();
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::wstring& name : FolderListing(Widened(folder)))
            DeleteFileW((Widened(folder) + L"\\" + name).c_str());
        SetEnvironmentVariableA("MARVEK_ARCHIVE_DIR", folder.c_str());
    } else {
        SetEnvironmentVariableA("MARVEK_ARCHIVE_DIR", archive.c_str());
    }
    const std::wstring program = exe.empty() ? Widened(BuildDir() + "\\marvek2.exe") : exe;
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    // This Wine has been seen, once in hundreds of starts, to fail a start
    // at once; the program never ran, so it is tried again.
    for (int attempt = 0; attempt < 3; ++attempt, Sleep(200)) {
        if (CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                           Widened(BuildDir()).c_str(), &si, &p.process))
            return p;
        p = Program{};
    }
    return p;
}

void StopProgram(Program& p) {
    if (!p.process.hProcess) return;
    if (WaitForSingleObject(p.process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(p.process.hProcess, 99);
        WaitForSingleObject(p.process.hProcess, 5000);
    }
    CloseHandle(p.process.hThread);
    CloseHandle(p.process.hProcess);
    p = Program{};
}

bool CloseProgram(Program& p) {
    Choose(p, IDM_EXIT);
    HWND box = WaitForDialog(p, "終了確認");
    if (box) Click(box, IDYES);
    DWORD code = 1;
    const bool ended = box && WaitForExit(p, 5000, &code) && code == 0;
    StopProgram(p);
    return ended;
}

bool WaitForExit(const Program& p, DWORD ms, DWORD* exitCode) {
    if (WaitForSingleObject(p.process.hProcess, ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(p.process.hProcess, exitCode);
    return true;
}

void Settle(const Program& p) {
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR result;
        if (p.main) SendMessageTimeoutA(p.main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
        Sleep(60);
    }
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(f, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.append(buffer, n);
    CloseHandle(f);
    return bytes;
}

std::vector<std::wstring> FolderListing(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

constexpr char SettingsKey[] = "Software\\MARVEK2";

} // namespace

std::string SettingText(const char* value) {
    char text[64] = {};
    DWORD bytes = sizeof text - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, SettingsKey, value, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return "";
    return text;
}

void SetSettingText(const char* value, const std::string& text) {
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, value, REG_SZ, text.c_str(),
                    static_cast<DWORD>(text.size() + 1));
}

void SetSettingBytes(const char* value, const void* bytes, DWORD size) {
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, value, REG_BINARY, bytes, size);
}

void SetSettingNumber(const char* value, DWORD number) {
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, value, REG_DWORD, &number, sizeof number);
}

void ClearSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
}

namespace {

// A file the child writes its stream to, read back afterwards.
struct StreamFile {
    std::string path;
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit StreamFile(const std::string& name) : path(BuildDir() + "\\e2e-files\\" + name) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        CreateDirectoryA((BuildDir() + "\\e2e-files").c_str(), nullptr);
        handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~StreamFile() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        DeleteFileA(path.c_str());
    }
    std::string Text() {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return ReadBytes(path);
    }
};

} // namespace

DWORD ExitCodeAfterWaiting(PROCESS_INFORMATION& started) {
    DWORD code = 98;
    if (WaitForSingleObject(started.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code;
}

DWORD RunTool(const std::wstring& arguments, std::string* out, std::string* err) {
    const std::wstring exe = Widened(BuildDir() + "\\mv2tool.exe");
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    // A name of its own each run: this Wine may give a file made again under
    // a name just deleted the old file's contents.
    static int run = 0;
    ++run;
    StreamFile output("tool-" + std::to_string(run) + "-stdout.txt");
    StreamFile errors("tool-" + std::to_string(run) + "-stderr.txt");
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = output.handle;
    si.hStdError = errors.handle;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return 99;
    const DWORD code = ExitCodeAfterWaiting(pi);
    if (out) *out = output.Text();
    if (err) *err = errors.Text();
    return code;
}

void ProgramTest::SetUp() {
    ClearSettings();
    app = StartProgram();
    ASSERT_NE(app.main, nullptr) << "the main window did not appear; the program "
                                 << (app.process.hProcess ? "had started" : "did not start");
}

void ProgramTest::TearDown() {
    StopProgram(app);
    ClearSettings();
}
