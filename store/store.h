// The program's one recording, the two view settings that outlive it, and the
// window handles the features share. Win32: changing the recording also means
// changing the caption and repainting.
#pragma once
#include <windows.h>

#include "core/recording.h"

// The caption whenever no file name is shown (code page 932 bytes).
constexpr char ProductTitle[] = "MARVEK Ⅱ";
constexpr char MainWindowClass[] = "marvek02";
constexpr int CaptionBufferSize = 260;

// Everything starts zero-filled except the two settings.
extern Recording TheRecording;
extern int32_t DisplayRange;     // 0..4
extern int32_t DataViewPosition; // 1..840, the sample the data view shows

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND StatusLabel;
extern char CaptionBuffer[CaptionBufferSize];

// Empties the recording, resets the caption and repaints without traces.
int ClearRecording(HWND window);
