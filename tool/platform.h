// What the console tool needs from the system it runs on: paths, whole-file
// reads, the safe writer, the logger's serial port and its standard streams.
// One implementation per system (platform_posix.cpp, platform_windows.cpp);
// everything else of the tool is the window-free core.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "logger/port_search.h"

#ifdef _WIN32
using NativePath = std::wstring; // from wmain: Unicode paths
#else
using NativePath = std::string; // bytes, as the system takes them
#endif

// A path or argument as UTF-8, for printing and for comparing with options.
std::string Utf8Of(const NativePath& path);

enum class ReadResult { Read, CannotRead, TooLarge };
// The whole file, unless it is larger than `limit` bytes.
ReadResult ReadWholeFile(const NativePath& path, size_t limit, std::string& bytes);

enum class WriteResult { Written, CannotCreate, CannotWrite };

// A new file written beside its target under a temporary name, and put in
// the target's place only once complete and flushed.
struct OutputFile;
// Checks the target and creates the temporary file; nullptr when it cannot.
OutputFile* BeginOutput(const NativePath& target);
bool WriteOutput(OutputFile* out, std::string_view bytes);
// Flushes, closes and replaces the target; the temporary file never stays.
WriteResult FinishOutput(OutputFile* out);
// Removes the temporary file of an output that will not be finished.
void AbandonOutput(OutputFile* out);

// One exchange with the logger on `port`: 19200 8N1, raw, no flow control,
// the dump command, and the reply read one byte at a time up to its
// carriage return or the byte limit, within 5 s a byte and 20 s in all.
// `reply` (ReplyBufferSize bytes, zeroed) receives it, `length` its size.
PortOutcome ExchangeOnPort(const NativePath& port, unsigned char* reply, int& length);
// The automatic search over `ports` at once, by the rules of PortSearch, as
// the window's download does it: the place of the winner (its reply in
// `reply`), or -1 with each port's outcome.
int SearchOnPorts(const std::vector<NativePath>& ports, unsigned char* reply,
                  std::vector<PortOutcome>& outcomes);

struct SerialPortEntry {
    NativePath device;        // what ExchangeOnPort takes
    std::string name;         // what the user calls it: COM5, /dev/ttyUSB0
    std::string friendlyName; // what the system says it is, or empty
};
// The ports the system lists, in ascending order.
std::vector<SerialPortEntry> ListSerialPorts();
// The ports an automatic download tries, in order: on Windows the listed
// ports but Bluetooth links (COM1 to COM15 when none are listed).
std::vector<SerialPortEntry> PortsToSearch();

// Standard output and error take UTF-8, in binary (a console gets the
// text as the console wants it).
void PrepareStandardStreams();
void WriteStandardOutput(std::string_view utf8);
void WriteStandardError(std::string_view utf8);
