#include "win/clipboard.h"

bool PutOnClipboard(HWND owner, ClipboardItem* items, int count) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    for (int i = 0; i < count; ++i) {
        if (!*items[i].data || !SetClipboardData(items[i].format, *items[i].data)) return false;
        *items[i].data = nullptr; // the clipboard's now
    }
    return true;
}

std::u16string ClipboardText(HWND owner) {
    std::u16string text;
    const OpenedClipboard clipboard(owner);
    if (!clipboard.open()) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    return text;
}
