// The window's half of a download: the label, the bar, the store, the archive.
#include "app/receive_data.h"
#include "app/window_handles.h"

#include <commctrl.h>

#include "core/messages.h"
#include "files/archive.h"
#include "logger/logger_reply.h"
#include "logger/port_search.h"
#include "logger/serial_download.h"
#include "store/store.h"
#include "win/wide.h"

namespace {

int ShownPort = 0;

void ShowNothing() {
    ShownPort = 0;
    SetWindowTextW(StatusLabel, L"");
    ShowWindow(ProgressBar, SW_HIDE);
    SendMessageW(ProgressBar, PBM_SETPOS, 0, 0);
}

} // namespace

void StartReceiving(HWND window) {
    if (!StartDownload(window)) {
        ShowError(window, NoCommunicationText);
        return;
    }
    SendMessageW(ProgressBar, PBM_SETRANGE32, 0, CompleteReplyLength);
    SendMessageW(ProgressBar, PBM_SETPOS, 0, 0);
    ShowWindow(ProgressBar, SW_SHOWNA);
}

void StopReceiving() {
    if (!DownloadRunning()) return;
    StopDownload();
    ShowNothing();
}

void ShowReceivingProgress(WPARAM download, LPARAM progress) {
    if (!IsCurrentDownload(download)) return;
    const int port = HIWORD(progress);
    if (port != ShownPort) {
        ShownPort = port;
        // Port 0: the search has no byte from any port yet.
        SetWindowTextW(StatusLabel, port ? Wide(PortName(port).c_str()) : L"");
    }
    SendMessageW(ProgressBar, PBM_SETPOS, LOWORD(progress), 0);
}

// What a clear and then a download leave: no texts, the product title, the
// received counts and stamp. A copy that cannot be kept is told after the
// user sees the recording.
const char16_t* FinishReceiving(HWND window, WPARAM download) {
    Recording received;
    const DownloadEnd end = FinishDownload(download, received);
    if (!end.current) return nullptr;
    ShowNothing();
    if (!end.received) return end.message;
    ReplaceRecording(received, nullptr);
    UpdateWindow(window);
    return ArchiveDownload(TheRecording) ? end.message : ArchiveFailedText;
}
