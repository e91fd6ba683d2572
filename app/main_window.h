// The main window's procedure: one small handler per message.
#pragma once
#include <windows.h>

#include <vector>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The menu ids WM_COMMAND runs an operation for (the ports' aside): the
// same as the menu's and the command table's, as a test checks.
std::vector<UINT> HandledCommands();
