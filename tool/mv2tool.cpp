// mv2tool: the recordings from a terminal. The commands and their rules; the
// file codec, the reply checks, the code page 932 conversion, the CSV, the
// statistics and the message texts are the window program's own core.
#include <cstring>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/utf8.h"
#include "core/file_name.h"
#include "files/csv.h"
#include "list/period_figures.h"
#include "list/summary_table.h"
#include "files/recording_file.h"
#include "logger/logger_reply.h"
#include "tool/platform.h"
#include "version.h"
#include "core/statistics.h"

namespace {

enum ExitStatus { Done = 0, BadFile = 1, Usage = 2, LoggerFailed = 3, OutputFailed = 4 };

constexpr char UsageText[] =
    "usage: mv2tool csv FILE.mv2 [OUT.csv]\n"
    "       mv2tool stats FILE.mv2 [--threshold LUX]\n"
    "       mv2tool check FILE...\n"
    "       mv2tool summary FILE... [--threshold LUX] [--budget LXH]\n"
    "       mv2tool period FILE... [--threshold LUX] [--budget LXH] [--hours H:MM-H:MM]\n"
    "       mv2tool download PORT|auto OUT.mv2\n"
    "       mv2tool ports\n"
    "       mv2tool --help | --version\n"
    "\n"
    "  csv       the recording as CSV (UTF-8 with BOM), to OUT.csv or standard output\n"
    "  stats     the figures of each channel, tab-separated (threshold 500 lx unless given)\n"
    "  check     FILE<TAB>ok, or FILE<TAB>the reason it cannot be read\n"
    "  summary   one row of figures for each FILE and their total, tab-separated;\n"
    "            with --budget, each row's share of a yearly budget LXH in lux hours\n"
    "  period    the period's figures over the FILEs (UDI, DA, coverage, budget),\n"
    "            tab-separated; occupied hours 8:00-18:00 unless given\n"
    "  download  one recording from the logger on PORT (COM3, /dev/ttyUSB0) into OUT.mv2;\n"
    "            auto: the first of the system's ports that gives a complete reply\n"
    "  ports     the system's serial ports, NAME<TAB>what the system calls it\n"
    "\n"
    "exit status: 0 done, 1 a file is wrong or unreadable, 2 usage,\n"
    "             3 the logger could not be read, 4 the output could not be written\n";

int Fail(int status, const std::string& what, const char16_t* reason) {
    WriteStandardError("mv2tool: " + what + ": " + Utf16ToUtf8(reason) + "\n");
    return status;
}

int UsageError() {
    WriteStandardError(UsageText);
    return Usage;
}

// A recording file read with the window program's rules; the reason when
// it cannot be read.
const char16_t* ReadRecording(const NativePath& path, Recording& r) {
    std::string bytes;
    switch (ReadWholeFile(path, LargestRecordingFile, bytes)) {
    case ReadResult::CannotRead: return CannotReadFileText;
    case ReadResult::TooLarge: return WrongFileText;
    case ReadResult::Read: break;
    }
    EmptyRecording(r);
    if (ParseRecordingFile(&bytes[0], r) != FileVerdict::Read) return WrongFileText;
    return nullptr;
}

// Writes `bytes` into an output begun for `target` and puts it in place;
// the status to exit with.
int FinishWriting(OutputFile* out, const NativePath& target, const std::string& bytes) {
    if (!WriteOutput(out, bytes)) {
        AbandonOutput(out);
        return Fail(OutputFailed, Utf8Of(target), CannotWriteFileText);
    }
    switch (FinishOutput(out)) {
    case WriteResult::Written: return Done;
    case WriteResult::CannotCreate: return Fail(OutputFailed, Utf8Of(target), CannotCreateFileText);
    case WriteResult::CannotWrite: break;
    }
    return Fail(OutputFailed, Utf8Of(target), CannotWriteFileText);
}

int WriteSafely(const NativePath& target, const std::string& bytes) {
    OutputFile* out = BeginOutput(target);
    if (!out) return Fail(OutputFailed, Utf8Of(target), CannotCreateFileText);
    return FinishWriting(out, target, bytes);
}

int Csv(const std::vector<NativePath>& args) {
    if (args.size() < 2 || args.size() > 3) return UsageError();
    static Recording r;
    if (const char16_t* reason = ReadRecording(args[1], r))
        return Fail(BadFile, Utf8Of(args[1]), reason);
    const std::string csv = RecordingCsv(r);
    if (args.size() == 3) return WriteSafely(args[2], csv);
    WriteStandardOutput(csv);
    return Done;
}

int Stats(const std::vector<NativePath>& args) {
    int64_t threshold = DefaultThresholdLux;
    if (args.size() == 4 && Utf8Of(args[2]) == "--threshold") {
        if (!ParseThreshold(Utf8Of(args[3]), threshold)) return UsageError();
    } else if (args.size() != 2) {
        return UsageError();
    }
    static Recording r;
    if (const char16_t* reason = ReadRecording(args[1], r))
        return Fail(BadFile, Utf8Of(args[1]), reason);
    std::string out = "channel\tmax_lux\tmax_time\tmin_lux\tmin_time\tmean_lux\tdose_lxh\t"
                      "above_threshold\tthreshold_lux\n";
    const std::pair<const char*, const int32_t*> channels[] = {{"CH1", r.Ch1Samples},
                                                               {"CH2", r.Ch2Samples}};
    for (const auto& [name, samples] : channels) {
        const ChannelTexts t = TextsOf(samples, r.StartStamp, true, threshold);
        for (const std::string& field : {std::string(name), t.highest, t.highestTime, t.lowest,
                                         t.lowestTime, t.mean, t.dose, t.aboveThreshold})
            out += field + "\t";
        out += std::to_string(threshold) + "\n";
    }
    WriteStandardOutput(out);
    return Done;
}

int Check(const std::vector<NativePath>& args) {
    if (args.size() < 2) return UsageError();
    int status = Done;
    static Recording r;
    for (size_t i = 1; i < args.size(); ++i) {
        const char16_t* reason = ReadRecording(args[i], r);
        WriteStandardOutput(Utf8Of(args[i]) + "\t" + (reason ? Utf16ToUtf8(reason) : "ok") + "\n");
        if (reason) status = BadFile;
    }
    return status;
}

// The list dialog's table for the files named: in its order, the total of
// every readable file last.
int Summary(const std::vector<NativePath>& args) {
    Threshold threshold = {true, DefaultThresholdLux};
    int64_t budget = 0;
    std::vector<NativePath> files;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string arg = Utf8Of(args[i]);
        if (arg == "--threshold") {
            if (i + 1 >= args.size() || !ParseThreshold(Utf8Of(args[++i]), threshold.lux))
                return UsageError();
        } else if (arg == "--budget") {
            if (i + 1 >= args.size() || !ParseBudget(Utf8Of(args[++i]), budget) || budget == 0)
                return UsageError();
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return UsageError();
    int status = Done;
    std::vector<SummaryRow> rows;
    static Recording r;
    for (const NativePath& file : files) {
        std::u16string name = Utf8ToUtf16(Utf8Of(file));
        std::u16string sortName(SplitPath(name).name);
        if (const char16_t* reason = ReadRecording(file, r)) {
            rows.push_back(UnreadableRow(std::move(name), std::move(sortName), reason));
            status = BadFile;
        } else {
            rows.push_back(ReadableRow(std::move(name), std::move(sortName), r));
        }
    }
    SortRows(rows);
    WriteStandardOutput(SummaryTsv(rows, TotalOf(rows, {}, threshold), threshold, budget));
    return status;
}

// 期間グラフ's figures for the files named, in the list's order; each file
// that cannot be read is told on standard error and left out.
int Period(const std::vector<NativePath>& args) {
    Threshold threshold = {true, DefaultThresholdLux};
    int64_t budget = 0;
    OccupiedHours hours;
    std::vector<NativePath> files;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string arg = Utf8Of(args[i]);
        const bool last = i + 1 >= args.size();
        if (arg == "--threshold") {
            if (last || !ParseThreshold(Utf8Of(args[++i]), threshold.lux)) return UsageError();
        } else if (arg == "--budget") {
            if (last || !ParseBudget(Utf8Of(args[++i]), budget)) return UsageError();
        } else if (arg == "--hours") {
            if (last || !ParseOccupiedHoursText(Utf8ToUtf16(Utf8Of(args[++i])), hours))
                return UsageError();
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty()) return UsageError();
    std::vector<SummaryRow> rows;
    static Recording r;
    for (const NativePath& file : files) {
        std::u16string name = Utf8ToUtf16(Utf8Of(file));
        std::u16string sortName(SplitPath(name).name);
        if (const char16_t* reason = ReadRecording(file, r))
            WriteStandardError(Utf8Of(file) + "\t" + Utf16ToUtf8(reason) + "\n");
        else
            rows.push_back(ReadableRow(std::move(name), std::move(sortName), r));
    }
    if (rows.empty()) return BadFile;
    SortRows(rows);
    std::vector<PeriodRecording> chosen;
    for (const SummaryRow& row : rows)
        chosen.push_back({row.start, {row.samples[0].data(), row.samples[1].data()}});
    const PeriodGrid grids[2] = {MakePeriodGrid(chosen, 0), MakePeriodGrid(chosen, 1)};
    WriteStandardOutput(PeriodFiguresTsv(PeriodFigureRows(grids, hours, true, threshold, budget)));
    return Done;
}

// The search over the system's ports: the first complete reply wins.
const char16_t* SearchPorts(unsigned char* reply, std::string& used) {
    const std::vector<SerialPortEntry> ports = PortsToSearch();
    std::vector<NativePath> devices;
    for (const SerialPortEntry& port : ports)
        devices.push_back(port.device);
    std::vector<PortOutcome> outcomes;
    const int winner = SearchOnPorts(devices, reply, outcomes);
    if (winner < 0) return SearchFailureMessage(outcomes);
    used = ports[static_cast<size_t>(winner)].name;
    return nullptr;
}

int Download(const std::vector<NativePath>& args) {
    if (args.size() != 3) return UsageError();
    const NativePath& port = args[1];
    const NativePath& target = args[2];
    // The output first: no download is lost to a folder that cannot take it.
    OutputFile* out = BeginOutput(target);
    if (!out) return Fail(OutputFailed, Utf8Of(target), CannotCreateFileText);

    static unsigned char reply[ReplyBufferSize];
    std::memset(reply, 0, sizeof reply);
    const bool search = Utf8Of(port) == "auto";
    std::string used;
    int length = 0;
    const char16_t* reason = search ? SearchPorts(reply, used)
                                    : ChosenPortFailureMessage(ExchangeOnPort(port, reply, length));
    if (reason) {
        AbandonOutput(out);
        return Fail(LoggerFailed, Utf8Of(port), reason);
    }
    if (search) WriteStandardError("mv2tool: " + used + ": " + Utf16ToUtf8(ReceivedText) + "\n");
    static Recording r;
    EmptyRecording(r);
    DecodeReply(reply, r);
    FillEmptyTexts(r.RecordingTexts); // as Save As writes them
    return FinishWriting(out, target, RecordingFileBytes(r));
}

int Ports(const std::vector<NativePath>& args) {
    if (args.size() != 1) return UsageError();
    std::string out;
    for (const SerialPortEntry& port : ListSerialPorts())
        out += port.name + "\t" + port.friendlyName + "\n";
    WriteStandardOutput(out);
    return Done;
}

} // namespace

// The arguments after the program's name.
int RunTool(const std::vector<NativePath>& args) {
    PrepareStandardStreams();
    if (args.empty()) return UsageError();
    const std::string command = Utf8Of(args[0]);
    if (command == "--help" && args.size() == 1) {
        WriteStandardOutput(UsageText);
        return Done;
    }
    if (command == "--version" && args.size() == 1) {
        WriteStandardOutput("mv2tool " MARVEK_VERSION_TEXT "\n");
        return Done;
    }
    if (command == "csv") return Csv(args);
    if (command == "stats") return Stats(args);
    if (command == "check") return Check(args);
    if (command == "summary") return Summary(args);
    if (command == "period") return Period(args);
    if (command == "download") return Download(args);
    if (command == "ports") return Ports(args);
    return UsageError();
}

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return RunTool(std::vector<NativePath>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
    return RunTool(std::vector<NativePath>(argv + 1, argv + argc));
}
#endif
