// File > Receive data: fetches one recording from the logger on the first
// serial port that opens among COM1 to COM15.
#pragma once
#include <windows.h>

// 0 when a complete reply was received and loaded, -1 otherwise; on failure
// the recording, the caption and the chart stay as they were.
int ReceiveFromLogger(HWND window);
