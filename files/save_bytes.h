// An export's bytes saved through the safe writer, with the error box when
// that fails: the same for every export of the window and the list.
#pragma once
#include <windows.h>

#include <string>

// 0 when saved, -1 when the error was shown.
int SaveBytesOrTell(HWND owner, const std::u16string& path, const std::string& bytes);
