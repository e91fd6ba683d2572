// Texts, buttons, dialogs, message boxes and list views of the program.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

namespace {

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

} // namespace

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
    return Narrowed(ListCellW(p, list, row, column));
}

std::wstring ListCellW(const Program& p, HWND list, int row, int column) {
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
    return text;
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
