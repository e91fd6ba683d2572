// The end-to-end driver's helpers.
#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "res/resource.h"
#include "store/store.h"
#include "tests/e2e/menu_probe.h"

namespace {

// Polls until pred() holds or ms pass.
template <class Pred> bool WaitUntil(DWORD ms, Pred pred) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(20);
    }
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct DialogSearch {
    const char* caption;
    DWORD processId; // 0: any
    HWND found;
    HWND besides = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<DialogSearch*>(param);
    if (s->processId) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != s->processId) return TRUE;
    }
    if (window != s->besides && IsWindowVisible(window) && ClassName(window) == "#32770" &&
        WindowText(window) == s->caption) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

Capture CaptureScreen(int left, int top, int width, int height) {
    Capture c;
    c.width = width;
    c.height = height;
    c.pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < c.pixels.size(); ++i)
        c.pixels[i] = src[i] & 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace

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

std::string WindowText(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, 2000, nullptr);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 2000, nullptr);
}

void Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void CloseBox(HWND box) {
    Click(box, IDOK);
    WaitUntil(3000, [&] { return !IsWindow(box); });
}

void Press(HWND dialog, int id) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, 3000, nullptr);
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 2000, &state);
    return state == BST_CHECKED;
}

HWND FocusOf(const Program& p) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(p.thread(), &info);
    return info.hwndFocus;
}

HWND OpenDialog(const Program& p, WORD commandId, const char* caption) {
    Choose(p, commandId);
    return WaitForDialog(p, caption);
}

void Choose(const Program& p, WORD commandId) {
    PostMessageA(p.main, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void PressCloseBox(const Program& p) {
    PostMessageA(p.main, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND WaitForDialog(const Program& p, const char* caption, DWORD ms) {
    DialogSearch s = {caption, 0, nullptr};
    WaitUntil(ms, [&] {
        EnumThreadWindows(p.thread(), MatchDialog, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    });
    if (s.found) Sleep(50); // let it finish initialising its controls
    return s.found;
}

HWND WaitForProcessDialog(DWORD processId, const char* caption, DWORD ms) {
    DialogSearch s = {caption, processId, nullptr};
    WaitUntil(ms, [&] {
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    });
    return s.found;
}

bool NoDialog(const Program& p, const char* caption, DWORD ms) {
    return WaitForDialog(p, caption, ms) == nullptr;
}

HWND WaitForOtherDialog(const Program& p, const char* caption, HWND besides, DWORD ms) {
    DialogSearch s = {caption, 0, nullptr, besides};
    WaitUntil(ms, [&] {
        EnumThreadWindows(p.thread(), MatchDialog, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    });
    if (s.found) Sleep(50);
    return s.found;
}

namespace {

HWND TypeIntoFileDialog(const Program& p, WORD command, const char* title,
                        const std::wstring& path) {
    Choose(p, command);
    HWND dialog = WaitForDialog(p, title);
    if (!dialog) return nullptr;
    SetItemTextW(dialog, FileNameBox, path);
    Click(dialog, IDOK);
    return dialog;
}

} // namespace

HWND SaveAs(const Program& p, const std::wstring& path) {
    return TypeIntoFileDialog(p, IDM_SAVE_AS, SaveDialogTitle, path);
}

HWND SaveAs(const Program& p, const std::string& path) {
    return SaveAs(p, Widened(path));
}

HWND OpenFile(const Program& p, const std::wstring& path) {
    return TypeIntoFileDialog(p, IDM_OPEN, OpenDialogTitle, path);
}

HWND OpenFile(const Program& p, const std::string& path) {
    return OpenFile(p, Widened(path));
}

std::wstring WindowTextW(HWND window) {
    std::wstring text(1024, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_NORMAL, 2000, &length);
    text.resize(length);
    return text;
}

void SetItemTextW(HWND dialog, int id, const std::wstring& text) {
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 2000, nullptr);
}

std::wstring Widened(const std::string& cp932) {
    std::wstring wide(cp932.size() + 1, L'\0');
    const int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()),
                                      &wide[0], static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

std::string Narrowed(const std::wstring& text) {
    std::string narrow(text.size() * 2 + 1, '\0');
    const int n =
        WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &narrow[0],
                            static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(n > 0 ? n : 0);
    return narrow;
}

void TypeInto(HWND control, const std::wstring& text) {
    for (wchar_t c : text)
        SendMessageTimeoutW(control, WM_CHAR, c, 1, SMTO_NORMAL, 2000, nullptr);
}

void PasteInto(HWND control, const std::wstring& text) {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (block) {
            std::memcpy(GlobalLock(block), text.c_str(), bytes);
            GlobalUnlock(block);
            if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
        }
        CloseClipboard();
    }
    SendMessageTimeoutW(control, WM_PASTE, 0, 0, SMTO_NORMAL, 3000, nullptr);
}

std::string TakeError(const Program& p, DWORD ms) {
    HWND box = WaitForDialog(p, "エラー", ms);
    if (!box) return "";
    const std::string text = MessageText(box);
    CloseBox(box);
    Settle(p);
    return text;
}

std::string HeldWindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string UnixPath(std::string path) {
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

bool StartUnixProgram(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    return true;
}

namespace {

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

} // namespace

Logger StartLogger(int port, const char* fault, const std::string& recording,
                   bool flowControlLeftOn) {
    Logger logger;
    logger.port = port;
    const std::string root = BuildDir() + "\\e2e-files";
    CreateDirectoryA(root.c_str(), nullptr);
    logger.folder = root + "\\logger-com" + std::to_string(port) + "\\";
    CreateDirectoryA(logger.folder.c_str(), nullptr);
    for (const char* f : {"ready", "stop", "stop.done", "heard", "settings"})
        DeleteFileA((logger.folder + f).c_str());

    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    const std::string unixFolder = UnixPath(logger.folder);
    std::string command = "Z:\\usr\\bin\\python3 " + Quoted(MARVEK_LOGGER_SIMULATOR) + " --port " +
                          std::to_string(port) + " --fault " + fault + " --prefix " +
                          Quoted(prefix) + " --ready-file " + Quoted(unixFolder + "ready") +
                          " --stop-file " + Quoted(unixFolder + "stop") + " --log " +
                          Quoted(unixFolder + "heard") + " --settings-log " +
                          Quoted(unixFolder + "settings") + " --lifetime 120";
    if (flowControlLeftOn) command += " --flow-control-left-on";
    if (!recording.empty()) command += " --recording " + Quoted(UnixPath(recording));
    if (!StartUnixProgram(command)) return logger;
    logger.running = WaitUntil(10000, [&] {
        return GetFileAttributesA((logger.folder + "ready").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return logger;
}

void StopLogger(Logger& logger) {
    if (!logger.running) return;
    HANDLE stop = CreateFileA((logger.folder + "stop").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
    WaitUntil(5000, [&] {
        return GetFileAttributesA((logger.folder + "stop.done").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    logger.running = false;
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

std::string LoggerLineSettings(const Logger& logger) {
    return ReadBytes(logger.folder + "settings");
}

std::string LoggerHeard(const Logger& logger) {
    std::string hex;
    for (char c : ReadBytes(logger.folder + "heard"))
        if (c != '\n' && c != '\r') hex += c;
    return hex;
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
    DWORD code = 98;
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (out) *out = output.Text();
    if (err) *err = errors.Text();
    return code;
}

namespace {

// Memory in the program's process, for messages that carry a pointer.
class LentMemory {
  public:
    LentMemory(const Program& p, size_t size)
        : process_(p.process.hProcess),
          at_(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~LentMemory() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    }
    LentMemory(const LentMemory&) = delete;
    LentMemory& operator=(const LentMemory&) = delete;
    char* at() const { return static_cast<char*>(at_); }
    void Put(size_t offset, const void* bytes, size_t size) {
        WriteProcessMemory(process_, at() + offset, bytes, size, nullptr);
    }
    void Get(size_t offset, void* bytes, size_t size) {
        ReadProcessMemory(process_, at() + offset, bytes, size, nullptr);
    }

  private:
    HANDLE process_;
    void* at_;
};

} // namespace

int ListRowCount(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 2000, &count);
    return static_cast<int>(count);
}

std::string ListCell(const Program& p, HWND list, int row, int column) {
    constexpr int TextUnits = 512;
    LentMemory memory(p, sizeof(LVITEMW) + TextUnits * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(memory.at() + sizeof(LVITEMW));
    item.cchTextMax = TextUnits;
    memory.Put(0, &item, sizeof item);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.at()),
                        SMTO_NORMAL, 2000, &length);
    std::wstring text(length, L'\0');
    if (length > 0) memory.Get(sizeof(LVITEMW), &text[0], length * sizeof(wchar_t));
    return Narrowed(text);
}

void SetListRowState(const Program& p, HWND list, int row, UINT state, UINT mask) {
    LentMemory memory(p, sizeof(LVITEMW));
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    memory.Put(0, &item, sizeof item);
    SendMessageTimeoutW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.at()),
                        SMTO_NORMAL, 2000, nullptr);
}

UINT ListRowState(HWND list, int row, UINT mask) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(list, LVM_GETITEMSTATE, row, mask, SMTO_NORMAL, 2000, &state);
    return static_cast<UINT>(state);
}

std::string MessageText(HWND box) {
    return ItemText(box, 0xFFFF);
}

const MenuItem* MenuSnapshot::find(UINT id) const {
    for (const MenuItem& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

MenuSnapshot ReadMenu(const Program& p) {
    MenuSnapshot snapshot;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(MenuProbeReport), MenuProbeMapping);
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, MenuProbeDone);
    HMODULE probe = LoadLibraryA((BuildDir() + "\\menu_probe.dll").c_str());
    auto hook = probe ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(probe, "MenuProbeHook")))
                      : nullptr;
    HHOOK installed = hook ? SetWindowsHookExA(WH_GETMESSAGE, hook, probe, p.thread()) : nullptr;
    if (installed && mapping && done) {
        PostMessageA(p.main, RegisterWindowMessageA(MenuProbeMessage), 0, 0);
        if (WaitForSingleObject(done, 5000) == WAIT_OBJECT_0) {
            auto* report = static_cast<const MenuProbeReport*>(
                MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(MenuProbeReport)));
            if (report) {
                for (int i = 0; i < report->popupCount && i < 8; ++i)
                    snapshot.popups.push_back(report->popupText[i]);
                for (int i = 0; i < report->itemCount; ++i) {
                    const MenuProbeItem& it = report->items[i];
                    snapshot.items.push_back({it.popup, it.id, it.state, it.text});
                }
                UnmapViewOfFile(report);
            }
        }
    }
    if (installed) UnhookWindowsHookEx(installed);
    if (probe) FreeLibrary(probe);
    if (done) CloseHandle(done);
    if (mapping) CloseHandle(mapping);
    return snapshot;
}

namespace {

// Runs `post` with the probe hooked into the program's thread, then settles.
template <class Post> void WithProbe(const Program& p, Post post) {
    HMODULE probe = LoadLibraryA((BuildDir() + "\\menu_probe.dll").c_str());
    auto hook = probe ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(probe, "MenuProbeHook")))
                      : nullptr;
    HHOOK installed = hook ? SetWindowsHookExA(WH_GETMESSAGE, hook, probe, p.thread()) : nullptr;
    if (installed) {
        post();
        Settle(p);
        UnhookWindowsHookEx(installed);
    }
    if (probe) FreeLibrary(probe);
}

// Hands the probe a T in the mapping it reads, posts it `message`, and once
// the program has taken it, lets `done` read what the probe wrote back.
template <class T, class Fill, class Done>
void ThroughProbe(const Program& p, const char* mappingName, size_t bytes, const char* message,
                  Fill fill, Done done) {
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(bytes), mappingName);
    auto* shared =
        mapping ? static_cast<T*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (shared) {
        fill(*shared);
        WithProbe(p, [&] { PostMessageA(p.main, RegisterWindowMessageA(message), 0, 0); });
        done(*shared);
        UnmapViewOfFile(shared);
    }
    if (mapping) CloseHandle(mapping);
}

} // namespace

void DropFile(const Program& p, const std::wstring& path) {
    ThroughProbe<wchar_t>(
        p, DropProbeMapping, DropPathSize * sizeof(wchar_t), DropProbeMessage,
        [&](wchar_t& shared) {
            path.copy(&shared, DropPathSize - 1);
            (&shared)[std::min<size_t>(path.size(), DropPathSize - 1)] = 0;
        },
        [](wchar_t&) {});
}

std::vector<int> HandOverAfter(const Program& p, WORD command,
                               const std::vector<std::wstring>& paths) {
    std::vector<int> answers;
    ThroughProbe<HandOverProbe>(
        p, HandOverProbeMapping, sizeof(HandOverProbe), HandOverProbeMessage,
        [&](HandOverProbe& shared) {
            shared = {};
            shared.command = command;
            for (const std::wstring& path : paths) {
                if (shared.fileCount == HandOverFileLimit) break;
                path.copy(shared.paths[shared.fileCount], DropPathSize - 1);
                shared.answers[shared.fileCount++] = -1;
            }
        },
        [&](HandOverProbe& shared) {
            answers.assign(shared.answers, shared.answers + shared.fileCount);
        });
    return answers;
}

void ChangeDpi(const Program& p, int dpi, const RECT& place) {
    ThroughProbe<DpiProbeChange>(
        p, DpiProbeMapping, sizeof(DpiProbeChange), DpiProbeMessage,
        [&](DpiProbeChange& shared) {
            shared = {dpi, place};
        },
        [](DpiProbeChange&) {});
}

std::string Placed(int left, int top, int width, int height) {
    return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" +
           std::to_string(height);
}

std::string ScreenPlace(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string ChildPlace(HWND child) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void MoveMouseTo(const Program& p, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(p.main, &at);
    SetCursorPos(at.x, at.y);
    Settle(p);
}

void MoveMouseAway() {
    SetCursorPos(0, 0);
    Sleep(50);
}

void ClickAt(const Program& p, int x, int y) {
    MoveMouseTo(p, x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

namespace {

// The key pressed and released with `modifier` (0: none) held around it.
void PressWith(const Program& p, WORD key, WORD modifier) {
    SetForegroundWindow(p.main);
    INPUT keys[4] = {};
    int n = 0;
    auto add = [&](WORD vk, DWORD flags) {
        keys[n].type = INPUT_KEYBOARD;
        keys[n].ki.wVk = vk;
        keys[n].ki.dwFlags = flags;
        ++n;
    };
    if (modifier) add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    SendInput(n, keys, sizeof(INPUT));
    Settle(p);
}

} // namespace

void PressKey(const Program& p, WORD key, bool shift) {
    PressWith(p, key, shift ? VK_SHIFT : 0);
}

void PressCtrlKey(const Program& p, WORD key) {
    PressWith(p, key, VK_CONTROL);
}

Capture CaptureClient(HWND window) {
    RECT rc;
    GetClientRect(window, &rc);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return CaptureScreen(origin.x, origin.y, rc.right, rc.bottom);
}

Capture CaptureWindow(HWND window) {
    RECT rc;
    GetWindowRect(window, &rc);
    return CaptureScreen(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

void SaveScreenshot(const Capture& c, const std::string& name) {
    const std::string folder = BuildDir() + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    FILE* f = std::fopen((folder + "\\" + name + ".bmp").c_str(), "wb");
    if (!f) return;
    const uint32_t imageSize = static_cast<uint32_t>(c.pixels.size() * 4);
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + imageSize;
    ih.biSize = sizeof ih;
    ih.biWidth = c.width;
    ih.biHeight = -c.height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = imageSize;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(c.pixels.data(), 4, c.pixels.size(), f);
    std::fclose(f);
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
