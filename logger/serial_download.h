// File > Receive data: finds the logger among the system's serial ports, or
// on the one port the user chose, and fetches one recording from it. The
// exchange runs on a worker thread that touches no window and no part of the
// store: it posts its progress and its end to the main window, whose thread
// alone changes the label, the progress bar and the recording.
#pragma once
#include <windows.h>

bool DownloadRunning();

// Starts a download unless one runs. The status label will name the port
// being tried and the progress bar show the bytes received from it.
void StartDownload(HWND window);

// Stops the running download: its port is closed (an open that hangs is not
// waited for), the label cleared and the bar hidden; nothing is loaded,
// archived or remembered, and nothing is shown.
void StopDownload();

// DownloadProgressMessage: shows the port and the bytes received.
void ShowDownloadProgress(WPARAM download, LPARAM progress);

struct DownloadEnd {
    bool current = false;              // false: a download that was stopped
    bool received = false;             // the recording replaced the store's
    const char16_t* message = nullptr; // what to tell the user, if anything
};
// DownloadEndedMessage: the label and the bar are cleared; a complete reply
// replaces the recording and its port is remembered for the next search.
DownloadEnd FinishDownload(WPARAM download);
