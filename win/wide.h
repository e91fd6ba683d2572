// UTF-16 texts of the window-free core (char16_t) at the wide Win32 calls
// (wchar_t, the same 16 bits on Windows), and the recording's code page 932
// texts in and out of the window.
#pragma once
#include <windows.h>

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline const char16_t* Utf16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

// A modal message box with one OK button and the caption "エラー".
void ShowError(HWND owner, const char16_t* message);

// A code page 932 text of the recording shown in a control.
void SetItemText932(HWND dialog, int id, const char* text);
// A control's whole text, UTF-16.
std::u16string ItemText(HWND dialog, int id);
// A field's text when it is ASCII; "-", which no digits rule takes, when it
// is not (a paste may bring anything, "İ" among it).
std::string AsciiItemText(HWND dialog, int id);
