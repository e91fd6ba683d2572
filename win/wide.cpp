// Message boxes and control texts through the wide calls.
#include "win/wide.h"

#include "core/cp932.h"
#include "core/messages.h"
#include "core/text.h"

void ShowError(HWND owner, const char16_t* message) {
    MessageBoxW(owner, Wide(message), Wide(ErrorCaption), MB_OK);
}

void SetItemText932(HWND dialog, int id, const char* text) {
    SetDlgItemTextW(dialog, id, Wide(Cp932ToUtf16(text).c_str()));
}

std::u16string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, u'\0');
    const int n =
        GetWindowTextW(item, reinterpret_cast<wchar_t*>(&text[0]), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

std::string AsciiItemText(HWND dialog, int id) {
    std::string typed;
    return Utf16ToAscii(ItemText(dialog, id), typed) ? typed : "-";
}
