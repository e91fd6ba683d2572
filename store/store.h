// The program's one recording, the two view settings that outlive it, and the
// window handles the features share. Everything reads the store directly;
// only the functions below change it, and each does what follows the change
// (the loaded flag, the caption, the repaint), so no caller repeats that.
#pragma once
#include <windows.h>

#include "core/recording.h"

// The caption whenever no file name is shown (code page 932 bytes).
constexpr char ProductTitle[] = "MARVEK Ⅱ";
constexpr char MainWindowClass[] = "marvek02";

extern const Recording& TheRecording;
extern const int32_t& DisplayRange; // 0..4
// The sample the data view shows, 1..840; only the data view changes it and
// nothing follows from a change.
extern int32_t DataViewPosition;

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND StatusLabel;

// A recording read from a file (fileName: the name shown in the caption) or
// received from the logger (fileName nullptr: the caption is the product
// title) becomes the one shown: loaded and repainted.
void ReplaceRecording(const Recording& r, const char* fileName);
// Empties the recording, resets the caption and repaints without traces.
int ClearRecording(HWND window);
// Always repaints, whether the range changed or not.
void SetDisplayRange(int32_t range);
// The texts are not shown on the chart or in the caption: nothing to repaint.
void SetTexts(const TextFields& texts);
// After a save, the caption names the file.
void ShowSavedFile(const char* fileName);
