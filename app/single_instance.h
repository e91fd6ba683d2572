// There is never a second window: a second copy started with a file (a
// double-click in Explorer) hands the file to the running copy and ends, and
// the running copy opens it as File > Open would.
#pragma once
#include <windows.h>

#include <string>

// In a second copy: finds the running copy's window (waiting up to 5 s for
// one to appear, as when several files are opened at once), lets it come to
// the front and sends it the full path. True when it took the file.
bool ForwardToRunningCopy(const std::u16string& fullPath);

// In the running copy, WM_COPYDATA: takes the path unless the window is busy
// (a modal dialog or box is open, or a download runs) or the data is not a
// path of ours. Answers at once; the file is opened after the answer, on
// ForwardedFileMessage, so no message box holds the sender.
LRESULT AcceptForwardedFile(HWND window, const COPYDATASTRUCT* data);
// ForwardedFileMessage: a file taken is never dropped. Each waits, in the
// order taken, until File > Open may run and no dialog or box is open (a
// download or a dialog may have begun since it was taken); then the window
// is restored and raised and the file opened.
void OpenWaitingFiles(HWND window);
// Whenever that may have become true: the waiting files get their turn from
// the message loop, never from inside the caller.
void OpenWaitingFilesLater(HWND window);
