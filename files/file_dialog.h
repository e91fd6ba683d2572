// The common file dialogs with UTF-16 paths of any length Windows allows.
#pragma once
#include <windows.h>

#include <string>

struct FileDialogSetup {
    const wchar_t* title;
    const wchar_t* filter; // pairs of description and pattern, each ended by a zero
    const wchar_t* defaultExtension;
    std::u16string initialFolder; // empty: the dialog's own choice
    std::u16string initialName;   // empty: no name proposed
};

// The full path the user chose, or empty when the dialog was cancelled. A
// dialog that fails (a name it cannot take) shows "ファイル名が正しくありません"
// instead of looking like Cancel. The save dialog asks before replacing.
std::u16string AskSavePath(HWND owner, const FileDialogSetup& setup);
std::u16string AskOpenPath(HWND owner, const FileDialogSetup& setup);
