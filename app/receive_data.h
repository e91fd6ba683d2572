// File > データ受信 as the window shows it: the port being tried in the status
// label, the bytes in the progress bar, the received recording in place of
// the shown one and in the archive. The exchange itself is the logger's.
#pragma once
#include <windows.h>

// Starts a download with the bar shown; "通信できません" when none can start.
void StartReceiving(HWND window);
// Stops the running download: the label cleared, the bar hidden, nothing
// loaded, archived or remembered, and nothing shown.
void StopReceiving();
// DownloadProgressMessage: the port and the bytes received.
void ShowReceivingProgress(WPARAM download, LPARAM progress);
// DownloadEndedMessage: the label and the bar cleared; a complete reply
// replaces the recording, is shown, then kept in the archive. Returns what
// to tell the user (nullptr: nothing), which the caller shows.
const char16_t* FinishReceiving(HWND window, WPARAM download);
