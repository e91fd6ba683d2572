// The placement in the settings, as REG_BINARY.
#include "app/window_placement.h"

#include "win/settings.h"

namespace {

constexpr wchar_t PlacementValue[] = L"WindowPlacement";

} // namespace

bool RestoreWindowPlacement(HWND window) {
    WINDOWPLACEMENT wp = {};
    if (!ReadSettingBytes(PlacementValue, &wp, sizeof wp) || wp.length != sizeof wp) return false;
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

void RememberWindowPlacement(HWND window) {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (GetWindowPlacement(window, &wp)) WriteSettingBytes(PlacementValue, &wp, sizeof wp);
}
