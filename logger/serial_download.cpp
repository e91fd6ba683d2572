// The download's worker thread and the window's side of it. The worker owns
// nothing but its job; the job is held by both until each lets go of it (the
// window when the download ends or is stopped), so a worker that outlives
// its download (an open that hangs) still has what it needs, and then posts
// nothing.
#include "logger/serial_download.h"

#include <cstring>
#include <vector>

#include "core/messages.h"
#include "logger/logger_reply.h"
#include "logger/port_list.h"
#include "logger/port_settings.h"
#include "logger/serial_port.h"
#include "win/owned_handle.h"
#include "win/wide.h"
#include "win/window_messages.h"

namespace {

// How long a stop waits for the worker to close its port.
constexpr DWORD StopWaitMs = 500;
// The bar moves in steps this large, so a download posts about 80 messages.
constexpr int ProgressStep = 64;

struct Job {
    LONG holders = 2; // the window and the worker
    HWND window = nullptr;
    WPARAM number = 0;
    OwnedHandle stop;
    // Written by the worker before it posts its end, read by the window after.
    unsigned char reply[ReplyBufferSize];
    int port = 0; // the port of the complete reply
    bool received = false;
    const char16_t* message = nullptr;
};

// The last of its holders deletes it. (A shared pointer would do, but would
// bring the whole POSIX thread library into the program.)
void LetGo(Job* job) {
    if (InterlockedDecrement(&job->holders) == 0) delete job;
}

struct Running {
    Job* job = nullptr;
    OwnedHandle thread;
};

Running Current;
WPARAM LastNumber = 0;

void Forget() {
    if (Current.job) LetGo(Current.job);
    Current.job = nullptr;
    Current.thread.close();
}

bool Stopped(const Job& job) {
    return WaitForSingleObject(job.stop.get(), 0) == WAIT_OBJECT_0;
}

void PostProgress(const Job& job, int port, int bytes) {
    PostMessageW(job.window, DownloadProgressMessage, job.number, MAKELPARAM(bytes, port));
}

// The one port the user chose, with its own messages.
void TryChosenPort(Job& job, int port) {
    PostProgress(job, port, 0);
    std::memset(job.reply, 0, sizeof job.reply);
    const Exchange e =
        ExchangeWithLogger(PortDevicePath(port).c_str(), job.reply, job.stop.get(), [&](int bytes) {
            if (bytes % ProgressStep == 0) PostProgress(job, port, bytes);
        });
    if (e.stopped) return;
    PostProgress(job, port, e.length);
    if (e.outcome == PortOutcome::Complete) {
        job.received = true;
        job.port = port;
        return;
    }
    job.message = ChosenPortFailureMessage(e.outcome);
}

// Every port of the order at once; the label names the port furthest along
// (none until a byte came).
void SearchEveryPort(Job& job, const std::vector<int>& ports) {
    std::vector<std::wstring> devices;
    for (int port : ports)
        devices.push_back(PortDevicePath(port));
    std::memset(job.reply, 0, sizeof job.reply);
    const SearchEnd end =
        SearchAllPorts(devices, job.reply, job.stop.get(), [&](int place, int bytes) {
            PostProgress(job, place < 0 ? 0 : ports[static_cast<size_t>(place)], bytes);
        });
    if (end.stopped) return;
    if (end.winner >= 0) {
        job.received = true;
        job.port = ports[static_cast<size_t>(end.winner)];
        PostProgress(job, job.port, CompleteReplyLength);
        return;
    }
    job.message = SearchFailureMessage(end.outcomes);
}

void Search(Job& job) {
    const int chosen = ChosenPort();
    if (chosen != 0)
        TryChosenPort(job, chosen);
    else
        SearchEveryPort(job, SearchOrder(PortsToOffer(SystemPorts()), RememberedPort()));
}

DWORD WINAPI Work(void* parameter) {
    Job* job = static_cast<Job*>(parameter);
    Search(*job);
    if (!Stopped(*job)) PostMessageW(job->window, DownloadEndedMessage, job->number, 0);
    LetGo(job);
    return 0;
}

} // namespace

bool DownloadRunning() {
    return Current.job != nullptr;
}

bool StartDownload(HWND window) {
    if (DownloadRunning()) return false;
    auto* job = new Job;
    job->window = window;
    job->number = ++LastNumber;
    job->stop.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE thread = job->stop.valid() ? CreateThread(nullptr, 0, Work, job, 0, nullptr) : nullptr;
    if (!thread) {
        delete job;
        return false;
    }
    Current.job = job;
    Current.thread.reset(thread);
    return true;
}

void StopDownload() {
    if (!DownloadRunning()) return;
    SetEvent(Current.job->stop.get());
    WaitForSingleObject(Current.thread.get(), StopWaitMs);
    Forget();
}

bool IsCurrentDownload(WPARAM download) {
    return Current.job && Current.job->number == download;
}

DownloadEnd FinishDownload(WPARAM download, Recording& out) {
    DownloadEnd end;
    if (!IsCurrentDownload(download)) return end;
    const Job& job = *Current.job;
    WaitForSingleObject(Current.thread.get(), StopWaitMs); // it posted as its last act
    end.current = true;
    end.message = job.message;
    if (job.received) {
        EmptyRecording(out);
        DecodeReply(job.reply, out);
        RememberPort(job.port);
        end.received = true;
    }
    Forget();
    return end;
}
