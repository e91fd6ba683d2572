// The DPI a window is shown at.
#pragma once
#include <windows.h>

// The DPI of the window's screen: GetDpiForWindow where the system has it
// (Windows 10 1607 and later), looked up by name so that the program still
// starts on Windows 7; else the screen's own, as a system-aware program
// sees it.
int WindowDpi(HWND window);
