// Any bytes as a recording file: the reader must neither crash nor read past
// the data, must leave the recording alone when it refuses, and what it reads
// must survive being written and read again.
#include <cstdint>
#include <cstring>
#include <vector>

#include "files/recording_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back(0);
    Recording read;
    std::memset(&read, 0x5A, sizeof read);
    const Recording before = read;
    if (ParseRecordingFile(text.data(), read) == FileVerdict::WrongFile) {
        if (std::memcmp(&read, &before, sizeof read) != 0) __builtin_trap();
        return 0;
    }
    std::vector<char> again;
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i) {
        const int n = RecordingFileLine(read, i, line);
        again.insert(again.end(), line, line + n);
    }
    again.push_back(0);
    Recording reread = read;
    std::memset(&reread, 0, offsetof(Recording, DataLoaded));
    if (ParseRecordingFile(again.data(), reread) != FileVerdict::Read) __builtin_trap();
    if (std::memcmp(&read, &reread, sizeof read) != 0) __builtin_trap();
    return 0;
}
