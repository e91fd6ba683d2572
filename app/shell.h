// The Win32 side of the store: the shared handles, the product title and the
// operations the main window dispatches to. Every operation takes the main
// window and returns 0 on success, -1 on failure; callers ignore the result.
#pragma once
#include <windows.h>

#include "app/recording.h"

// The caption whenever no file name is shown (code page 932 bytes).
constexpr char ProductTitle[] = "MARVEK Ⅱ";
constexpr char MainWindowClass[] = "marvek02";
constexpr int CaptionBufferSize = 260;

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND StatusLabel;
extern char CaptionBuffer[CaptionBufferSize];

// Empties the recording, resets the caption and repaints without traces.
int ClearRecording(HWND window);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
