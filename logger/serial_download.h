// File > Receive data: finds the logger among the system's serial ports, or
// on the one port the user chose, and fetches one recording from it. The
// exchange runs on a worker thread that touches no window and no part of the
// store: it posts its progress and its end to the window it was given, whose
// thread alone changes what is shown (app/receive_data).
#pragma once
#include <windows.h>

#include "core/recording.h"

bool DownloadRunning();

// Starts a download unless one runs; false when no worker could be started.
// The worker posts DownloadProgressMessage for each port it tries and as the
// bytes come, and DownloadEndedMessage once, unless the download is stopped.
bool StartDownload(HWND window);

// Stops the running download: its port is closed (an open that hangs is not
// waited for); nothing is decoded or remembered, and nothing more is posted.
void StopDownload();

// A message of the running download, not of one stopped before it came.
bool IsCurrentDownload(WPARAM download);

struct DownloadEnd {
    bool current = false;              // false: a download that was stopped
    bool received = false;             // a complete reply, decoded into `out`
    const char16_t* message = nullptr; // what to tell the user, if anything
};
// DownloadEndedMessage: the download is over. A complete reply is decoded
// into `out` (empty texts, the received counts and stamp) and its port is
// remembered for the next search.
DownloadEnd FinishDownload(WPARAM download, Recording& out);
