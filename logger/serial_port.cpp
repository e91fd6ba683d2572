// Serial port set-up and the reply read, in Win32.
#include "logger/serial_port.h"

#include "logger/logger_reply.h"

const PortName Ports[PortCount] = {
    {L"COM1", L"COM1"},          {L"COM2", L"COM2"},          {L"COM3", L"COM3"},
    {L"COM4", L"COM4"},          {L"COM5", L"COM5"},          {L"COM6", L"COM6"},
    {L"COM7", L"COM7"},          {L"COM8", L"COM8"},          {L"COM9", L"COM9"},
    {L"\\\\.\\COM10", L"COM10"}, {L"\\\\.\\COM11", L"COM11"}, {L"\\\\.\\COM12", L"COM12"},
    {L"\\\\.\\COM13", L"COM13"}, {L"\\\\.\\COM14", L"COM14"}, {L"\\\\.\\COM15", L"COM15"},
};

bool OpenPort(const wchar_t* name, OwnedHandle& port) {
    port.reset(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr));
    return port.valid();
}

const PortName* OpenFirstPort(OwnedHandle& port) {
    for (const PortName& p : Ports)
        if (OpenPort(p.opened, port)) return &p;
    return nullptr;
}

bool SetUpPort(HANDLE port) {
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = 19200;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    // The flag word 0x3001, field by field.
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
    if (!SetCommState(port, &dcb)) {
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        if (!SetCommState(port, &dcb)) return false;
    }
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = 1000;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = ByteTimeoutMs; // a silent logger
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0; // writes have no time-out
    return SetCommTimeouts(port, &timeouts) != 0;
}

bool SendDumpCommand(HANDLE port) {
    DWORD written = 0;
    return WriteFile(port, DumpCommand, DumpCommandLength, &written, nullptr) &&
           written == static_cast<DWORD>(DumpCommandLength);
}

int ReadReply(HANDLE port, unsigned char* buffer, DWORD commandSent) {
    for (int position = 0;; ++position) {
        DWORD got = 0;
        if (!ReadFile(port, buffer + position, 1, &got, nullptr) || got != 1) return -1;
        if (ReplyEnds(buffer[position], position)) return position + 1;
        if (GetTickCount() - commandSent >= DownloadTimeoutMs) return -1;
    }
}
