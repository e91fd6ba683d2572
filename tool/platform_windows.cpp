// The console tool on Windows: the window program's own safe writer and
// serial code, wide paths from wmain, and UTF-8 out (WriteConsoleW on a
// console).
#include "tool/platform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "core/file_name.h"
#include "core/utf8.h"
#include "files/safe_write.h"
#include "logger/port_list.h"
#include "logger/serial_port.h"
#include "win/whole_file.h"
#include "win/wide.h"

struct OutputFile {
    PendingSave save;
};

namespace {

void WriteStream(DWORD which, FILE* stream, std::string_view utf8) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle && GetConsoleMode(handle, &mode)) {
        std::wstring wide(utf8.size() + 1, L'\0');
        const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                          &wide[0], static_cast<int>(wide.size()));
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(n > 0 ? n : 0), &written, nullptr);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

} // namespace

std::string Utf8Of(const NativePath& path) {
    return Utf16ToUtf8(Utf16(path.c_str()));
}

ReadResult ReadWholeFile(const NativePath& path, size_t limit, std::string& bytes) {
    switch (ReadWholeFile(std::u16string(Utf16(path.c_str())), limit, bytes)) {
    case WholeFile::Read: return ReadResult::Read;
    case WholeFile::TooLarge: return ReadResult::TooLarge;
    case WholeFile::CannotRead: break;
    }
    return ReadResult::CannotRead;
}

OutputFile* BeginOutput(const NativePath& target) {
    auto* out = new OutputFile;
    if (BeginSave(Utf16(target.c_str()), out->save) != SaveOutcome::Saved) {
        delete out;
        return nullptr;
    }
    return out;
}

bool WriteOutput(OutputFile* out, std::string_view bytes) {
    return WriteAll(out->save.file.get(), bytes.data(), bytes.size());
}

WriteResult FinishOutput(OutputFile* out) {
    const SaveOutcome outcome = FinishSave(out->save);
    delete out;
    return outcome == SaveOutcome::Saved          ? WriteResult::Written
           : outcome == SaveOutcome::CannotCreate ? WriteResult::CannotCreate
                                                  : WriteResult::CannotWrite;
}

void AbandonOutput(OutputFile* out) {
    AbandonSave(out->save);
    delete out;
}

int SearchOnPorts(const std::vector<NativePath>& ports, unsigned char* reply,
                  std::vector<PortOutcome>& outcomes) {
    std::vector<std::wstring> devices(ports.begin(), ports.end());
    const SearchEnd end = SearchAllPorts(devices, reply, nullptr, nullptr);
    outcomes = end.outcomes;
    return end.winner;
}

PortOutcome ExchangeOnPort(const NativePath& port, unsigned char* reply, int& length) {
    // COM10 and up open only through the device namespace; all ports can.
    const std::wstring device = port.rfind(L"\\\\", 0) == 0 ? port : L"\\\\.\\" + port;
    const Exchange e = ExchangeWithLogger(device.c_str(), reply, nullptr, {});
    length = e.length;
    return e.outcome;
}

namespace {

std::vector<SerialPortEntry> Entries(const std::vector<ListedPort>& ports) {
    std::vector<SerialPortEntry> entries;
    for (const ListedPort& p : ports)
        entries.push_back({PortDevicePath(p.number), Utf16ToUtf8(PortName(p.number)),
                           Utf16ToUtf8(p.friendlyName)});
    return entries;
}

} // namespace

std::vector<SerialPortEntry> ListSerialPorts() {
    std::vector<ListedPort> ports = SystemPorts();
    if (ports.empty()) return {};
    return Entries(PortsToOffer(ports));
}

std::vector<SerialPortEntry> PortsToSearch() {
    const std::vector<ListedPort> offered = PortsToOffer(SystemPorts());
    std::vector<ListedPort> searched;
    for (int number : SearchOrder(offered, 0))
        searched.push_back({number, false, u""});
    return Entries(searched);
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void WriteStandardOutput(std::string_view utf8) {
    WriteStream(STD_OUTPUT_HANDLE, stdout, utf8);
}

void WriteStandardError(std::string_view utf8) {
    WriteStream(STD_ERROR_HANDLE, stderr, utf8);
}
