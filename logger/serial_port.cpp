// Serial port set-up and the exchange, in Win32 with overlapped I/O.
#include "logger/serial_port.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

namespace {

// One port of the search: its handle, its read in flight and its reply.
// Never moved while a read may write into it.
struct PortRead {
    OwnedHandle port;
    OVERLAPPED ov = {};
    bool pending = false;
    unsigned char reply[ReplyBufferSize] = {};
};

constexpr DWORD PollMs = 50; // how often a search looks at the stop event
constexpr int ProgressBytes = 64;

bool StopSet(HANDLE stop) {
    return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

// The command to every port at once, each write waited for until 5 s after
// the first began; a port that does not take it stays silent.
void SendToAll(std::vector<std::unique_ptr<PortRead>>& reads, const PortSearch& s, HANDLE stop) {
    std::vector<OwnedHandle> events(reads.size());
    std::vector<OVERLAPPED> writes(reads.size());
    void* command = const_cast<char*>(DumpCommand);
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!s.ports[i].active) continue;
        events[i].reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        writes[i] = {};
        writes[i].hEvent = events[i].get();
        if (!events[i].valid() ||
            (!WriteFile(reads[i]->port.get(), command, DumpCommandLength, nullptr, &writes[i]) &&
             GetLastError() != ERROR_IO_PENDING))
            events[i].close();
    }
    const DWORD began = GetTickCount();
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!events[i].valid()) continue;
        const DWORD spent = GetTickCount() - began;
        const DWORD left = spent < ByteTimeoutMs ? ByteTimeoutMs - spent : 0;
        const HANDLE waits[2] = {events[i].get(), stop};
        if (WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, left) != WAIT_OBJECT_0)
            CancelIoEx(reads[i]->port.get(), &writes[i]);
        DWORD written = 0;
        GetOverlappedResult(reads[i]->port.get(), &writes[i], &written, TRUE);
    }
}

// The next byte of a port's reply; false when the read could not start.
bool ReadNext(PortRead& r, int length) {
    r.ov = {};
    const BOOL done = ReadFile(r.port.get(), r.reply + length, 1, nullptr, &r.ov);
    r.pending = done || GetLastError() == ERROR_IO_PENDING; // either way it is queued
    return r.pending;
}

void GiveUp(PortRead& r) {
    if (r.pending) {
        CancelIoEx(r.port.get(), &r.ov);
        DWORD moved = 0;
        GetOverlappedResult(r.port.get(), &r.ov, &moved, TRUE);
        r.pending = false;
    }
    r.port.close();
}

} // namespace

SearchEnd SearchAllPorts(const std::vector<std::wstring>& devices, unsigned char* reply,
                         HANDLE stop, const std::function<void(int place, int bytes)>& progress) {
    SearchEnd end;
    PortSearch s = StartPortSearch(static_cast<int>(devices.size()));
    std::vector<std::unique_ptr<PortRead>> reads;
    for (size_t i = 0; i < devices.size(); ++i) {
        reads.push_back(std::make_unique<PortRead>());
        const int place = static_cast<int>(i);
        if (!OpenPort(devices[i].c_str(), reads[i]->port))
            PortLeftOut(s, place, PortOutcome::CannotOpen);
        else if (!SetUpPort(reads[i]->port.get()))
            PortLeftOut(s, place, PortOutcome::CannotSetUp);
    }
    SendToAll(reads, s, stop);
    const DWORD commandSent = GetTickCount();
    // Any number of ports: one completion port, not a wait on each.
    OwnedHandle completions(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!s.ports[i].active) continue;
        if (!completions.valid() ||
            !CreateIoCompletionPort(reads[i]->port.get(), completions.get(), i, 0)) {
            PortLeftOut(s, static_cast<int>(i), PortOutcome::CannotSetUp);
        } else if (!ReadNext(*reads[i], 0)) {
            TakeSilence(s, static_cast<int>(i));
        }
    }
    int shownPlace = -1, shownBytes = 0;
    auto tell = [&] {
        const int ahead = PortAhead(s);
        const int bytes = ahead < 0 ? 0 : s.ports[static_cast<size_t>(ahead)].length;
        if (ahead == shownPlace && bytes / ProgressBytes == shownBytes / ProgressBytes) return;
        shownPlace = ahead;
        shownBytes = bytes;
        if (progress) progress(ahead, bytes);
    };
    tell();
    while (!SearchOver(s)) {
        if (StopSet(stop)) {
            end.stopped = true;
            break;
        }
        const DWORD elapsed = GetTickCount() - commandSent;
        if (elapsed >= DownloadTimeoutMs) {
            for (size_t i = 0; i < reads.size(); ++i)
                if (s.ports[i].active) TakeSilence(s, static_cast<int>(i));
            break;
        }
        OVERLAPPED_ENTRY entries[64];
        ULONG count = 0;
        if (!GetQueuedCompletionStatusEx(completions.get(), entries, 64, &count,
                                         std::min<DWORD>(PollMs, DownloadTimeoutMs - elapsed),
                                         FALSE))
            continue; // nothing came in this while
        std::vector<int> completed;
        for (ULONG k = 0; k < count; ++k) {
            const size_t i = entries[k].lpCompletionKey;
            if (i >= reads.size()) continue;
            PortRead& r = *reads[i];
            r.pending = false;
            const int place = static_cast<int>(i);
            if (!s.ports[i].active) continue;
            DWORD got = 0;
            if (!GetOverlappedResult(r.port.get(), &r.ov, &got, FALSE) || got != 1) {
                TakeSilence(s, place); // 5 s without a byte
                r.port.close();
                continue;
            }
            const int length = s.ports[i].length + 1;
            switch (TakeByte(s, place, r.reply, length)) {
            case AfterByte::ReadOn:
                if (!ReadNext(r, length)) {
                    TakeSilence(s, place);
                    r.port.close();
                }
                break;
            case AfterByte::Drop: r.port.close(); break;
            case AfterByte::Complete: completed.push_back(place); break;
            }
        }
        ChooseWinner(s, completed);
        tell();
    }
    for (std::unique_ptr<PortRead>& r : reads)
        GiveUp(*r);
    end.outcomes = SearchOutcomes(s);
    end.winner = end.stopped ? -1 : s.winner;
    if (end.winner >= 0)
        std::memcpy(reply, reads[static_cast<size_t>(end.winner)]->reply, ReplyBufferSize);
    return end;
}
