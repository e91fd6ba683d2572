// The program's data: the one recording, the file it came from, and the view
// settings that outlive it (the display range, the data view's position, the
// threshold and whether its line shows). Everything reads the store directly;
// only the functions below change it. A setting is written to the settings
// by the function that changes it. What follows a change on the screen (the
// caption, the repaint, the chart's cursor) is the follower's: the store
// knows no window.
#pragma once
#include <windows.h>

#include <string>

#include "core/recording.h"
#include "core/threshold.h"

extern const Recording& TheRecording;
extern const int32_t& DisplayRange; // 0..4
// The sample the data view shows, 1..840; nothing follows from a change.
extern const int32_t& DataViewPosition;

// The file the caption names: the one the recording was opened from or last
// saved as; empty while none is.
const std::u16string& CurrentFile();

enum class StoreChange {
    Recording, // replaced or cleared, and with it the file
    File,      // saved under another name
    Chart,     // the range, the threshold or its line: what the chart draws
};
// Told of every change, after it is made.
void FollowStoreChanges(void (*follower)(StoreChange));

// A recording read from the file at `path`, or received from the logger
// (path nullptr: no file), becomes the one shown, loaded.
void ReplaceRecording(const Recording& r, const char16_t* path);
// Empties the recording and forgets its file.
int ClearRecording(HWND window);
// Followed as a change whether the range changed or not.
void SetDisplayRange(int32_t range);
// The texts are not shown on the chart or in the caption: nothing follows.
void SetTexts(const TextFields& texts);
void SetCurrentFile(const char16_t* path);
// A position outside 1..840 is not taken.
void SetDataViewPosition(int32_t n);

// The one threshold of the program (the statistics, the list, the printed
// report and the chart's line), as typed: digits, or empty for none.
const std::string& ThresholdText();
Threshold CurrentThreshold();
// Kept in the settings at once, so a crash loses nothing. A text that is
// not a threshold is not taken.
void SetThresholdText(const std::string& digits);
// 表示 > しきい値の線: the chart shows the threshold's line.
bool ThresholdLineShown();
void ShowThresholdLine(bool shown);
// Both from the settings, at start; what cannot be read is ignored (500 lx,
// no line).
void RestoreThresholdSettings();
