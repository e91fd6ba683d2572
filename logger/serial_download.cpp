// The download runs on the window's thread and blocks it, up to 5 seconds for
// each byte that does not come. The reply is decoded into a recording of its
// own and replaces the store only when it is complete and well formed.
#include "logger/serial_download.h"

#include <cstring>

#include "win/owned_handle.h"
#include "store/store.h"
#include "logger/logger_reply.h"

namespace {

struct PortName {
    const char* opened;
    const char* shown;
};

// From 10 on, the names work only through the device namespace.
constexpr PortName Ports[] = {
    {"COM1", "COM1"},          {"COM2", "COM2"},          {"COM3", "COM3"},
    {"COM4", "COM4"},          {"COM5", "COM5"},          {"COM6", "COM6"},
    {"COM7", "COM7"},          {"COM8", "COM8"},          {"COM9", "COM9"},
    {"\\\\.\\COM10", "COM10"}, {"\\\\.\\COM11", "COM11"}, {"\\\\.\\COM12", "COM12"},
    {"\\\\.\\COM13", "COM13"}, {"\\\\.\\COM14", "COM14"}, {"\\\\.\\COM15", "COM15"},
};

void ShowError(const char* message) {
    MessageBoxA(nullptr, message, "エラー", MB_OK);
}

void ShowPort(const char* name) {
    SetWindowTextA(StatusLabel, name);
    UpdateWindow(StatusLabel); // the loop below lets no paint message through
}

// The first port that opens, and its handle; nullptr when none does.
const PortName* OpenFirstPort(HANDLE* handle) {
    for (const PortName& p : Ports) {
        *handle = CreateFileA(p.opened, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
        if (*handle != INVALID_HANDLE_VALUE) return &p;
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
    COMMTIMEOUTS timeouts = {1000, 0, 5000, 0, 0};
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

    HANDLE opened = INVALID_HANDLE_VALUE;
    const PortName* name = OpenFirstPort(&opened);
    OwnedHandle port(opened);
    if (!name) {
        ShowError("ポートがオープン出来ません");
        return -1;
    }
    SetUpLine(port.get());
    DWORD written = 0;
    WriteFile(port.get(), DumpCommand, DumpCommandLength, &written, nullptr);
    ShowPort(name->shown);

    const int length = ReadReply(port.get(), reply);
    port.close();
    ShowPort("");
    if (length < 0) {
        ShowError("通信できません");
        return -1;
    }
    if (!IsCompleteReply(reply, length)) {
        ShowError("受信データが正しくありません");
        return -1;
    }
    TakeReceived(reply);
    return 0;
}
