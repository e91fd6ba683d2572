// Throughput of the recording file reader against a naive reader built from
// std::getline and std::stoi over the same bytes. A figure to report, not a
// test. Build without sanitizers:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVEK_SANITIZE=OFF
//   cmake --build build/bench --target file_read_bench && build/bench/file_read_bench
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "files/recording_file.h"

namespace {

std::string FullFile(int blankLinesBetween) {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "Roof");
    r.StartStamp = {2015, 6, 2, 2, 5, 0};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = (i * 37) % 4096;
        r.Ch2Samples[i] = (i * 53) % 4096;
    }
    FillEmptyTexts(r.RecordingTexts);
    std::string file;
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i) {
        file.append(line, RecordingFileLine(r, i, line));
        for (int b = 0; b < blankLinesBetween; ++b)
            file += "\r\n";
    }
    return file;
}

// What one would write first: a stream, a line at a time, a number at a time.
bool NaiveRead(const std::string& bytes, Recording& r) {
    std::istringstream in(bytes);
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < static_cast<size_t>(RecordingFileLines) && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    if (lines.size() < static_cast<size_t>(RecordingFileLines) || lines[0] != "MARVEK2")
        return false;
    std::strncpy(r.RecordingTexts.Title, lines[1].c_str(), TextFieldSize - 1);
    std::strncpy(r.RecordingTexts.Ch1Name, lines[2].c_str(), TextFieldSize - 1);
    std::strncpy(r.RecordingTexts.Ch2Name, lines[3].c_str(), TextFieldSize - 1);
    std::strncpy(r.RecordingTexts.Memo, lines[4].c_str(), TextFieldSize - 1);
    int32_t* stamp[6] = {&r.StartStamp.Year, &r.StartStamp.Month, &r.StartStamp.Weekday,
                         &r.StartStamp.Day,  &r.StartStamp.Hour,  &r.StartStamp.Minute};
    for (int k = 0; k < 6; ++k)
        *stamp[k] = std::stoi(lines[5 + k]);
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = std::stoi(lines[12 + 3 * i]);
        r.Ch2Samples[i] = std::stoi(lines[13 + 3 * i]);
    }
    return true;
}

template <class Read> double MegabytesPerSecond(const std::string& file, int rounds, Read read) {
    std::vector<char> block(file.size() + 1);
    Recording r = {};
    int ok = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        std::memcpy(block.data(), file.data(), file.size() + 1); // the reader splits in place
        ok += read(block.data(), file, r);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (ok != rounds) std::printf("  (a reader refused the file)\n");
    return file.size() * static_cast<double>(rounds) / took.count() / 1e6;
}

void Compare(const char* what, const std::string& file, int rounds) {
    const double fast =
        MegabytesPerSecond(file, rounds, [](char* text, const std::string&, Recording& r) {
            return ParseRecordingFile(text, r) == FileVerdict::Read;
        });
    const double naive =
        MegabytesPerSecond(file, rounds, [](char*, const std::string& bytes, Recording& r) {
            return NaiveRead(bytes, r);
        });
    std::printf("%s (%zu bytes): reader %.0f MB/s, naive %.0f MB/s, ratio %.1f\n", what,
                file.size(), fast, naive, fast / naive);
}

} // namespace

int main() {
    Compare("full file", FullFile(0), 2000);
    Compare("padded with blank lines", FullFile(800), 20);
    return 0;
}
