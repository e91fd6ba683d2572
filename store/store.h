// The program's one recording, the two view settings that outlive it, and the
// window handles the features share. Everything reads the store directly;
// only the functions below change it, and each does what follows the change
// (the loaded flag, the caption, the repaint), so no caller repeats that.
// The window handles are the exception: each is set once, where the window
// or child is made, and only read after that.
#pragma once
#include <windows.h>

#include <string>

#include "core/recording.h"
#include "core/threshold.h"

// The caption whenever no file name is shown.
constexpr char16_t ProductTitle[] = u"MARVEK Ⅱ";
constexpr wchar_t MainWindowClass[] = L"marvek02";
// Held by the running copy; a second copy that finds it hands its file over.
constexpr wchar_t SingleCopyMutex[] = L"UniqueName";

extern const Recording& TheRecording;
extern const int32_t& DisplayRange; // 0..4
// The sample the data view shows, 1..840; nothing follows from a change.
extern const int32_t& DataViewPosition;

// The main window's DPI: taken when it is made and when it moves to a screen
// of another DPI. Its chart and controls are laid out for it.
extern const int& MainWindowDpi;

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND StatusLabel;
extern HWND ProgressBar;  // shown only while a download runs
extern HWND ReadoutLabel; // the values under the chart's cursor, hidden without one

// The file the caption names: the one the recording was opened from or last
// saved as; empty while none is.
const std::u16string& CurrentFile();

// Told after the recording was replaced or cleared, for what depends on
// the recording shown (the chart's cursor).
void FollowRecordingChanges(void (*follower)());

// A recording read from the file at `path`, or received from the logger
// (path nullptr: the caption is the product title), becomes the one shown:
// loaded and repainted.
void ReplaceRecording(const Recording& r, const char16_t* path);
// Empties the recording, resets the caption and repaints without traces.
int ClearRecording(HWND window);
// Always repaints, whether the range changed or not.
void SetDisplayRange(int32_t range);
// The texts are not shown on the chart or in the caption: nothing to repaint.
void SetTexts(const TextFields& texts);
// After a save the caption names the file.
void SetCurrentFile(const char16_t* path);
// A position outside 1..840 is not taken.
void SetDataViewPosition(int32_t n);

// The one threshold of the program (the statistics, the list, the printed
// report and the chart's line), as typed: digits, or empty for none.
const std::string& ThresholdText();
Threshold CurrentThreshold();
// Kept in the settings at once, so a crash loses nothing; the chart is
// repainted for its line. A text that is not a threshold is not taken.
void SetThresholdText(const std::string& digits);
// 表示 > しきい値の線: the chart shows the threshold's line.
bool ThresholdLineShown();
void ShowThresholdLine(bool shown);
// Both from the settings, at start; what cannot be read is ignored (500 lx,
// no line).
void RestoreThresholdSettings();
// The caller lays the window out again for the new DPI.
void SetMainWindowDpi(int dpi);
