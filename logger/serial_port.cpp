// Serial port set-up and the exchange, in Win32 with overlapped I/O.
#include "logger/serial_port.h"

#include "logger/logger_reply.h"

namespace {

enum class Wait { Done, TimedOut, Stopped, Failed };

// One overlapped transfer of `size` bytes, waited for until it completes,
// `stop` is set or `ms` pass; in the last two cases it is cancelled, and its
// end is awaited, so `bytes` is never written to after this returns.
Wait Transfer(HANDLE port, HANDLE event, bool write, void* bytes, DWORD size, DWORD& moved,
              HANDLE stop, DWORD ms) {
    OVERLAPPED ov = {};
    ov.hEvent = event;
    moved = 0;
    const BOOL began = write ? WriteFile(port, bytes, size, nullptr, &ov)
                             : ReadFile(port, bytes, size, nullptr, &ov);
    if (!began && GetLastError() != ERROR_IO_PENDING) return Wait::Failed;
    const HANDLE waits[2] = {event, stop};
    const DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, ms);
    if (woke != WAIT_OBJECT_0) CancelIoEx(port, &ov);
    const BOOL done = GetOverlappedResult(port, &ov, &moved, TRUE);
    if (woke == WAIT_OBJECT_0) return done ? Wait::Done : Wait::Failed;
    return woke == WAIT_OBJECT_0 + 1 ? Wait::Stopped : Wait::TimedOut;
}

bool SendDumpCommand(HANDLE port, HANDLE event, HANDLE stop) {
    // WriteFile only reads the bytes; the transfer takes either direction.
    void* command = const_cast<char*>(DumpCommand);
    DWORD written = 0;
    // Writes have no time-out of their own; a port that takes none of the
    // command in 5 s will not answer either.
    return Transfer(port, event, true, command, DumpCommandLength, written, stop, ByteTimeoutMs) ==
               Wait::Done &&
           written == static_cast<DWORD>(DumpCommandLength);
}

// Opens a port for reading and writing, unshared, overlapped, held by `port`
// from the moment it opens. False when it does not open.
bool OpenPort(const wchar_t* device, OwnedHandle& port) {
    port.reset(CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr));
    return port.valid();
}

} // namespace

std::wstring PortDevicePath(int number) {
    const std::u16string name = PortName(number);
    return L"\\\\.\\" + std::wstring(name.begin(), name.end());
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

Exchange ExchangeWithLogger(const wchar_t* device, unsigned char* reply, HANDLE stop,
                            const std::function<void(int)>& progress) {
    Exchange e;
    OwnedHandle port;
    if (!OpenPort(device, port)) return e;
    e.outcome = PortOutcome::CannotSetUp;
    OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event.valid() || !SetUpPort(port.get())) return e;
    // A logger that did not hear the command stays silent.
    SendDumpCommand(port.get(), event.get(), stop);
    const DWORD commandSent = GetTickCount();
    e.outcome = PortOutcome::Silent;
    for (;;) {
        if (stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
            e.stopped = true;
            return e;
        }
        const DWORD elapsed = GetTickCount() - commandSent;
        if (elapsed >= DownloadTimeoutMs) return e;
        DWORD got = 0;
        const Wait w = Transfer(port.get(), event.get(), false, reply + e.length, 1, got, stop,
                                DownloadTimeoutMs - elapsed);
        if (w == Wait::Stopped) {
            e.stopped = true;
            return e;
        }
        if (w != Wait::Done || got != 1) return e; // 5 s of silence, or the 20 s are up
        const unsigned char byte = reply[e.length++];
        e.outcome = PortOutcome::BrokenOff;
        if (progress) progress(e.length);
        if (ReplyEnds(byte, e.length - 1)) {
            e.outcome =
                IsCompleteReply(reply, e.length) ? PortOutcome::Complete : PortOutcome::BadReply;
            return e;
        }
    }
}
