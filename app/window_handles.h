// The program's instance and the main window with its children, for the
// features that draw into them or open dialogs over them. Each is set in one
// place, where the window or child is made, and only read elsewhere.
#pragma once
#include <windows.h>

extern const HINSTANCE& Instance;
extern const HWND& MainWindow; // set in WM_NCCREATE, before WM_CREATE runs
extern const HWND& StatusLabel;
extern const HWND& ProgressBar;  // shown only while a download runs
extern const HWND& ReadoutLabel; // the values under the chart's cursor, hidden without one

// The main window's DPI: taken when it is made and when it moves to a screen
// of another DPI. Its chart and controls are laid out for it.
extern const int& MainWindowDpi;

void SetInstance(HINSTANCE instance);
void SetMainWindow(HWND window);
void SetMainChildren(HWND status, HWND progress, HWND readout);
// The caller lays the window out again for the new DPI.
void SetMainWindowDpi(int dpi);
