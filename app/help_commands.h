// The Help menu: the user guide that ships beside the program, and a box
// with the version and the archive folder, for whoever helps the user.
#pragma once
#include <windows.h>

// Opens guide-ja.html from the program's own folder in the system's program
// for it; "利用ガイドが見つかりません" when it is not there or cannot be opened.
void OpenGuide(HWND window);
// バージョン情報, modal.
void ShowAbout(HWND window);
