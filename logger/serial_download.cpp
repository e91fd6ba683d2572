// The download runs on the window's thread and blocks it, up to 5 seconds for
// each byte that does not come. The reply is decoded into a recording of its
// own and replaces the store only when it is complete and well formed.
#include "logger/serial_download.h"

#include <cstring>

#include "core/messages.h"
#include "logger/logger_reply.h"
#include "store/store.h"
#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

struct PortName {
    const wchar_t* opened;
    const wchar_t* shown;
};

// From 10 on, the names work only through the device namespace.
constexpr PortName Ports[] = {
    {L"COM1", L"COM1"},          {L"COM2", L"COM2"},          {L"COM3", L"COM3"},
    {L"COM4", L"COM4"},          {L"COM5", L"COM5"},          {L"COM6", L"COM6"},
    {L"COM7", L"COM7"},          {L"COM8", L"COM8"},          {L"COM9", L"COM9"},
    {L"\\\\.\\COM10", L"COM10"}, {L"\\\\.\\COM11", L"COM11"}, {L"\\\\.\\COM12", L"COM12"},
    {L"\\\\.\\COM13", L"COM13"}, {L"\\\\.\\COM14", L"COM14"}, {L"\\\\.\\COM15", L"COM15"},
};

// The download's errors have never had an owner: the box stands on its own
// and does not block the main window, as users of the logger know it.
void ShowDownloadError(const char16_t* message) {
    ShowError(nullptr, message);
}

void ShowPort(const wchar_t* name) {
    SetWindowTextW(StatusLabel, name);
    UpdateWindow(StatusLabel); // the loop below lets no paint message through
}

// The first port that opens, held by `port` from the moment it opens;
// nullptr when none does.
const PortName* OpenFirstPort(OwnedHandle& port) {
    for (const PortName& p : Ports) {
        port.reset(CreateFileW(p.opened, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               0, nullptr));
        if (port.valid()) return &p;
    }
    return nullptr;
}

// 19200 baud, 8N1, binary, RTS raised while sending; everything else off.
// The results are not looked at: a port that cannot be set up shows itself
// as a silent logger in the read.
void SetUpLine(HANDLE port) {
    DCB dcb;
    std::memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = 19200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = 1;
    dcb.fParity = 0;
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = 0;
    dcb.fTXContinueOnXoff = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fErrorChar = 0;
    dcb.fNull = 0;
    dcb.fRtsControl = RTS_CONTROL_TOGGLE;
    dcb.fAbortOnError = 0;
    SetCommState(port, &dcb);
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = 1000;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 5000; // a silent logger: 5 s for each byte
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0; // writes have no time-out
    SetCommTimeouts(port, &timeouts);
}

// Reads one byte at a time up to the carriage return or the byte limit.
// Returns the number of bytes stored, or -1 when a read brought no byte.
int ReadReply(HANDLE port, unsigned char* buffer) {
    for (int position = 0;; ++position) {
        DWORD got = 0;
        if (!ReadFile(port, buffer + position, 1, &got, nullptr) || got != 1) return -1;
        if (ReplyEnds(buffer[position], position)) return position + 1;
    }
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
    SetUpLine(port.get());
    DWORD written = 0;
    WriteFile(port.get(), DumpCommand, DumpCommandLength, &written, nullptr);
    ShowPort(name->shown);

    const int length = ReadReply(port.get(), reply);
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
