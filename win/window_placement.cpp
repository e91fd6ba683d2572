// The placement in the settings, as REG_BINARY.
#include "win/window_placement.h"

#include "win/settings.h"

bool RestoreWindowPlacement(HWND window, const wchar_t* setting) {
    WINDOWPLACEMENT wp = {};
    if (!ReadSettingBytes(setting, &wp, sizeof wp) || wp.length != sizeof wp) return false;
    const RECT& r = wp.rcNormalPosition;
    if (r.right <= r.left || r.bottom <= r.top) return false;
    // A screen unplugged since, or a size another screen gave it.
    if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return false;
    // Closed while minimised, it opens as it would have been restored.
    const bool maximised = wp.showCmd == SW_SHOWMAXIMIZED ||
                           (wp.showCmd == SW_SHOWMINIMIZED && (wp.flags & WPF_RESTORETOMAXIMIZED));
    wp.showCmd = maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    wp.flags = 0;
    return SetWindowPlacement(window, &wp) != 0;
}

void RememberWindowPlacement(HWND window, const wchar_t* setting) {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (GetWindowPlacement(window, &wp)) WriteSettingBytes(setting, &wp, sizeof wp);
}
