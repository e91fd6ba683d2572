// The console tool on Linux: termios for the port, poll for its time-outs,
// and a temporary file, fsync and rename for the safe write.
#include "tool/platform.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "logger/logger_reply.h"

namespace {

bool WriteFully(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The settings a previous program left are replaced, not inherited.
bool SetUpLine(int fd) {
    termios t;
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, B19200) != 0 || cfsetospeed(&t, B19200) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &t) != 0) return false;
    tcflush(fd, TCIOFLUSH);
    return true;
}

} // namespace

struct OutputFile {
    std::string target;
    std::string temporary;
    int fd = -1;
};

std::string Utf8Of(const NativePath& path) {
    return path;
}

ReadResult ReadWholeFile(const NativePath& path, size_t limit, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ReadResult::CannotRead;
    struct stat info;
    ReadResult result = ReadResult::Read;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = ReadResult::CannotRead;
    } else if (static_cast<unsigned long long>(info.st_size) > limit) {
        result = ReadResult::TooLarge;
    } else {
        bytes.assign(static_cast<size_t>(info.st_size), '\0');
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, &bytes[got], bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        if (got != bytes.size()) result = ReadResult::CannotRead;
    }
    close(fd);
    return result;
}

OutputFile* BeginOutput(const NativePath& target) {
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return nullptr;
    auto* out = new OutputFile;
    out->target = target;
    out->temporary = FolderOf(target) + "/.mv2tool-XXXXXX";
    out->fd = mkstemp(&out->temporary[0]);
    if (out->fd < 0) {
        delete out;
        return nullptr;
    }
    return out;
}

bool WriteOutput(OutputFile* out, std::string_view bytes) {
    return WriteFully(out->fd, bytes.data(), bytes.size());
}

WriteResult FinishOutput(OutputFile* out) {
    const bool flushed = fsync(out->fd) == 0;
    const bool closed = close(out->fd) == 0;
    out->fd = -1;
    if (!flushed || !closed) {
        AbandonOutput(out);
        return WriteResult::CannotWrite;
    }
    if (rename(out->temporary.c_str(), out->target.c_str()) != 0) {
        AbandonOutput(out);
        return WriteResult::CannotCreate;
    }
    // The new name itself must survive a crash.
    const int folder = open(FolderOf(out->target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    delete out;
    return WriteResult::Written;
}

void AbandonOutput(OutputFile* out) {
    if (out->fd >= 0) close(out->fd);
    unlink(out->temporary.c_str());
    delete out;
}

PortOutcome ExchangeOnPort(const NativePath& port, unsigned char* reply, int& length) {
    length = 0;
    const int fd = open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return PortOutcome::CannotOpen;
    const int flags = fcntl(fd, F_GETFL);
    PortOutcome outcome = PortOutcome::CannotSetUp;
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && SetUpLine(fd)) {
        outcome = PortOutcome::Silent;
        // A logger that did not hear the command stays silent.
        WriteFully(fd, DumpCommand, DumpCommandLength);
        const auto sent = std::chrono::steady_clock::now();
        for (;;) {
            pollfd waiting = {fd, POLLIN, 0};
            if (poll(&waiting, 1, static_cast<int>(ByteTimeoutMs)) <= 0) break;
            if (read(fd, reply + length, 1) != 1) break;
            outcome = PortOutcome::BrokenOff;
            const unsigned char byte = reply[length++];
            if (ReplyEnds(byte, length - 1)) {
                outcome =
                    IsCompleteReply(reply, length) ? PortOutcome::Complete : PortOutcome::BadReply;
                break;
            }
            const auto elapsed = std::chrono::steady_clock::now() - sent;
            if (elapsed >= std::chrono::milliseconds(DownloadTimeoutMs)) break;
        }
    }
    close(fd);
    return outcome;
}

namespace {

// A port of the search, opened and set up, the command sent.
int OpenForSearch(const NativePath& port, PortOutcome& outcome) {
    outcome = PortOutcome::CannotOpen;
    const int fd = open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    outcome = PortOutcome::CannotSetUp;
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || !SetUpLine(fd)) {
        close(fd);
        return -1;
    }
    WriteFully(fd, DumpCommand, DumpCommandLength);
    return fd;
}

} // namespace

int SearchOnPorts(const std::vector<NativePath>& ports, unsigned char* reply,
                  std::vector<PortOutcome>& outcomes) {
    PortSearch s = StartPortSearch(static_cast<int>(ports.size()));
    std::vector<int> fds(ports.size(), -1);
    std::vector<std::vector<unsigned char>> replies(ports.size());
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> lastByte(ports.size());
    for (size_t i = 0; i < ports.size(); ++i) {
        PortOutcome outcome;
        fds[i] = OpenForSearch(ports[i], outcome);
        replies[i].assign(ReplyBufferSize, 0);
        if (fds[i] < 0) PortLeftOut(s, static_cast<int>(i), outcome);
    }
    const auto sent = Clock::now();
    std::fill(lastByte.begin(), lastByte.end(), sent);
    auto drop = [&](size_t i) {
        if (fds[i] >= 0) close(fds[i]);
        fds[i] = -1;
    };
    while (!SearchOver(s)) {
        const auto now = Clock::now();
        if (now - sent >= std::chrono::milliseconds(DownloadTimeoutMs)) {
            for (size_t i = 0; i < ports.size(); ++i)
                if (s.ports[i].active) TakeSilence(s, static_cast<int>(i));
            break;
        }
        std::vector<pollfd> waiting;
        std::vector<size_t> places;
        for (size_t i = 0; i < ports.size(); ++i) {
            if (!s.ports[i].active) continue;
            if (now - lastByte[i] >= std::chrono::milliseconds(ByteTimeoutMs)) {
                TakeSilence(s, static_cast<int>(i)); // 5 s without a byte
                drop(i);
                continue;
            }
            waiting.push_back({fds[i], POLLIN, 0});
            places.push_back(i);
        }
        if (waiting.empty()) break;
        if (poll(waiting.data(), waiting.size(), 50) <= 0) continue;
        std::vector<int> completed;
        for (size_t k = 0; k < waiting.size(); ++k) {
            if (!(waiting[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const size_t i = places[k];
            const int place = static_cast<int>(i);
            const int length = s.ports[i].length;
            if (read(fds[i], replies[i].data() + length, 1) != 1) {
                TakeSilence(s, place);
                drop(i);
                continue;
            }
            lastByte[i] = Clock::now();
            switch (TakeByte(s, place, replies[i].data(), length + 1)) {
            case AfterByte::ReadOn: break;
            case AfterByte::Drop: drop(i); break;
            case AfterByte::Complete: completed.push_back(place); break;
            }
        }
        ChooseWinner(s, completed);
    }
    for (size_t i = 0; i < ports.size(); ++i)
        drop(i);
    outcomes = SearchOutcomes(s);
    if (s.winner >= 0)
        std::memcpy(reply, replies[static_cast<size_t>(s.winner)].data(), ReplyBufferSize);
    return s.winner;
}

namespace {

// ttyUSB2 before ttyUSB10: by the name's letters, then by its number.
bool DeviceOrder(const std::string& a, const std::string& b) {
    const size_t da = a.find_last_not_of("0123456789") + 1;
    const size_t db = b.find_last_not_of("0123456789") + 1;
    if (a.compare(0, da, b, 0, db) != 0) return a.compare(0, da, b, 0, db) < 0;
    if (a.size() - da != b.size() - db) return a.size() - da < b.size() - db;
    return a.compare(da, std::string::npos, b, db, std::string::npos) < 0;
}

// Each device in a folder whose names start with `prefix`, with the name it
// is found under (a link's target, resolved).
void AddDevices(const char* folder, const char* prefix, bool links,
                std::vector<SerialPortEntry>& out) {
    DIR* dir = opendir(folder);
    if (!dir) return;
    std::vector<SerialPortEntry> found;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == ".." || name.compare(0, std::strlen(prefix), prefix) != 0)
            continue;
        const std::string path = std::string(folder) + "/" + name;
        if (!links) {
            found.push_back({path, path, ""});
            continue;
        }
        char* target = realpath(path.c_str(), nullptr);
        if (!target) continue;
        found.push_back({target, target, name});
        std::free(target);
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return DeviceOrder(a.device, b.device);
    });
    for (SerialPortEntry& f : found)
        if (std::none_of(out.begin(), out.end(),
                         [&](const SerialPortEntry& o) { return o.device == f.device; }))
            out.push_back(f);
}

} // namespace

// The links udev makes for each serial adapter; where there are none, the
// usual USB and modem-class device names.
std::vector<SerialPortEntry> ListSerialPorts() {
    std::vector<SerialPortEntry> ports;
    if (DIR* byId = opendir("/dev/serial/by-id")) {
        closedir(byId);
        AddDevices("/dev/serial/by-id", "", true, ports);
        return ports;
    }
    AddDevices("/dev", "ttyUSB", false, ports);
    AddDevices("/dev", "ttyACM", false, ports);
    return ports;
}

std::vector<SerialPortEntry> PortsToSearch() {
    return ListSerialPorts();
}

void PrepareStandardStreams() {}

void WriteStandardOutput(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void WriteStandardError(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}
