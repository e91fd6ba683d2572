// A message hook loaded into the program under test. On the probe message it
// announces each pop-up to the main window with WM_INITMENUPOPUP, exactly as
// opening the menu would, then reads the items' texts and states. Menus are
// per process under Wine, so this cannot be done from the driver.
#include "tests/e2e/menu_probe.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "core/command_line.h"

namespace {

// The program's menus are Unicode and its code page may be any: read wide,
// hand back code page 932 as the driver compares it.
void MenuText(HMENU menu, int position, char out[64]) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    if (WideCharToMultiByte(932, 0, text, -1, out, 64, nullptr, nullptr) == 0) out[0] = 0;
}

// Announces a pop-up to the window as opening it would, then reports its
// items, and those of its submenus after them.
void ReportPopup(HWND window, HMENU popup, int index, int position, MenuProbeReport* report) {
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                 MAKELPARAM(position, FALSE));
    const int items = GetMenuItemCount(popup);
    for (int i = 0; i < items && report->itemCount < MenuProbeItemLimit; ++i) {
        MenuProbeItem& item = report->items[report->itemCount++];
        item.popup = index;
        item.id = GetMenuItemID(popup, i);
        item.state = GetMenuState(popup, i, MF_BYPOSITION);
        MenuText(popup, i, item.text);
    }
    if (index >= SubmenuOf) return;
    for (int i = 0; i < items; ++i)
        if (HMENU sub = GetSubMenu(popup, i))
            ReportPopup(window, sub, SubmenuOf + index, i, report);
}

void Probe(HWND window) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, MenuProbeMapping);
    if (!mapping) return;
    auto* report = static_cast<MenuProbeReport*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MenuProbeReport)));
    if (report) {
        *report = {};
        HMENU bar = GetMenu(window);
        const int popups = GetMenuItemCount(bar);
        for (int p = 0; p < popups && p < SubmenuOf; ++p) {
            MenuText(bar, p, report->popupText[p]);
            ReportPopup(window, GetSubMenu(bar, p), p, p, report);
        }
        report->popupCount = popups;
        UnmapViewOfFile(report);
    }
    CloseHandle(mapping);
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, MenuProbeDone);
    if (done) {
        SetEvent(done);
        CloseHandle(done);
    }
}

// Builds a drop handle for one file in this process and posts it to the
// window, as Explorer's drop would.
void Drop(HWND window) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, DropProbeMapping);
    if (!mapping) return;
    const auto* path = static_cast<const wchar_t*>(
        MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, DropPathSize * sizeof(wchar_t)));
    if (path) {
        const size_t length = wcsnlen(path, DropPathSize - 1);
        const size_t bytes = sizeof(DROPFILES) + (length + 2) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (auto* files = static_cast<DROPFILES*>(GlobalLock(block))) {
            files->pFiles = sizeof(DROPFILES);
            files->fWide = TRUE;
            std::memcpy(files + 1, path, length * sizeof(wchar_t));
            GlobalUnlock(block);
            PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        }
        UnmapViewOfFile(path);
    }
    CloseHandle(mapping);
}

void ChangeDpi(HWND window) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, DpiProbeMapping);
    if (!mapping) return;
    if (const auto* change = static_cast<const DpiProbeChange*>(
            MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(DpiProbeChange)))) {
        RECT place = change->place;
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(change->dpi, change->dpi),
                     reinterpret_cast<LPARAM>(&place));
        UnmapViewOfFile(change);
    }
    CloseHandle(mapping);
}

void HandOver(HWND window) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, HandOverProbeMapping);
    if (!mapping) return;
    if (auto* probe = static_cast<HandOverProbe*>(
            MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(HandOverProbe)))) {
        if (probe->command) PostMessageW(window, WM_COMMAND, probe->command, 0);
        for (int i = 0; i < probe->fileCount && i < HandOverFileLimit; ++i) {
            COPYDATASTRUCT data = {};
            data.dwData = ForwardedPathTag;
            data.cbData = static_cast<DWORD>((wcsnlen(probe->paths[i], DropPathSize - 1) + 1) *
                                             sizeof(wchar_t));
            data.lpData = probe->paths[i];
            probe->answers[i] = static_cast<int>(
                SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
        }
        UnmapViewOfFile(probe);
    }
    CloseHandle(mapping);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MenuProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageA(MenuProbeMessage);
    static const UINT dropMessage = RegisterWindowMessageA(DropProbeMessage);
    static const UINT dpiMessage = RegisterWindowMessageA(DpiProbeMessage);
    static const UINT handOverMessage = RegisterWindowMessageA(HandOverProbeMessage);
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (msg->message == probeMessage) Probe(msg->hwnd);
        if (msg->message == dropMessage) Drop(msg->hwnd);
        if (msg->message == dpiMessage) ChangeDpi(msg->hwnd);
        if (msg->message == handOverMessage) HandOver(msg->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
