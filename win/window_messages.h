// The main window's private messages, in one list so that no two collide.
#pragma once
#include <windows.h>

// From the download's worker: wParam the download's number, lParam the
// port number in the high word and the bytes received from it in the low.
constexpr UINT DownloadProgressMessage = WM_APP + 1;
// From the download's worker, once it is over: wParam the download's number.
constexpr UINT DownloadEndedMessage = WM_APP + 2;
// To itself, after it took a file from a second copy.
constexpr UINT ForwardedFileMessage = WM_APP + 3;
