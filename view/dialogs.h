// The five modal dialogs of the main window. Each procedure fills its
// controls from the store when it opens and writes back only as described
// beside it (the text dialog also on opening, where a placeholder becomes
// empty); none keeps state of its own.
#pragma once
#include <windows.h>

#include <cstdint>

// What a dialog ends with: OK, or ｷｬﾝｾﾙ, Esc and the close box.
constexpr INT_PTR DialogDone = 1;
constexpr INT_PTR DialogCancelled = 2;

// Display range: sets DisplayRange on OK and repaints the main window.
INT_PTR CALLBACK RangeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Title, channel names and memo: written back on OK.
INT_PTR CALLBACK TextDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// One sample with its time and illuminance, stepping through the day.
INT_PTR CALLBACK DataDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Each channel's largest sample with its number and time.
INT_PTR CALLBACK MaxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The figures of each channel and the time at or above a threshold.
INT_PTR CALLBACK StatDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a number in a dialog field.
void SetDlgItemNumber(HWND dialog, int id, int64_t value);
// Shows an ASCII text (at most 63 characters) in a dialog field.
void SetDlgItemAscii(HWND dialog, int id, const char* text);
