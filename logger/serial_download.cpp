// The download runs on the window's thread and blocks it: up to 5 seconds for
// each byte that does not come, and never more than 20 seconds for the whole
// reply, counted from the command. The reply is decoded into a recording of
// its own and replaces the store only when it is complete and well formed.
#include "logger/serial_download.h"

#include <cstring>

#include "core/messages.h"
#include "logger/logger_reply.h"
#include "logger/serial_port.h"
#include "store/store.h"
#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

// The download's errors have never had an owner: the box stands on its own
// and does not block the main window, as users of the logger know it.
void ShowDownloadError(const char16_t* message) {
    ShowError(nullptr, message);
}

void ShowPort(const wchar_t* name) {
    SetWindowTextW(StatusLabel, name);
    UpdateWindow(StatusLabel); // the read lets no paint message through
}

// What a clear and then a download leave: no texts, the product title, the
// received counts and stamp.
void TakeReceived(const unsigned char* reply) {
    static Recording received; // a full recording, kept off the stack
    EmptyRecording(received);
    DecodeReply(reply, received);
    ReplaceRecording(received, nullptr);
}

} // namespace

int ReceiveFromLogger(HWND) {
    static unsigned char reply[ReplyBufferSize];
    std::memset(reply, 0, sizeof reply);

    OwnedHandle port;
    const PortName* name = OpenFirstPort(port);
    if (!name) {
        ShowDownloadError(PortCannotOpenText);
        return -1;
    }
    if (!SetUpPort(port.get())) {
        port.close();
        ShowDownloadError(NoCommunicationText);
        return -1;
    }
    SendDumpCommand(port.get()); // a logger that did not hear it stays silent
    const DWORD commandSent = GetTickCount();
    ShowPort(name->shown);

    const int length = ReadReply(port.get(), reply, commandSent);
    port.close();
    ShowPort(L"");
    if (length < 0) {
        ShowDownloadError(NoCommunicationText);
        return -1;
    }
    if (!IsCompleteReply(reply, length)) {
        ShowDownloadError(BadReplyText);
        return -1;
    }
    TakeReceived(reply);
    return 0;
}
