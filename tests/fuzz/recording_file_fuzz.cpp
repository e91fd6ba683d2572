// Any bytes as a recording file: the reader must neither crash nor read past
// the data, must leave the recording alone when it refuses, and what it reads
// must survive being written and read again.
#include <cstdint>
#include <cstring>
#include <string>

#include "files/recording_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size); // and a zero after it
    Recording read;
    std::memset(&read, 0x5A, sizeof read);
    const Recording before = read;
    if (ParseRecordingFile(&text[0], read) == FileVerdict::WrongFile) {
        if (std::memcmp(&read, &before, sizeof read) != 0) __builtin_trap();
        return 0;
    }
    std::string again = RecordingFileBytes(read); // keeps a zero after its bytes
    Recording reread = read;
    std::memset(&reread, 0, offsetof(Recording, DataLoaded));
    if (ParseRecordingFile(&again[0], reread) != FileVerdict::Read) __builtin_trap();
    if (std::memcmp(&read, &reread, sizeof read) != 0) __builtin_trap();
    return 0;
}
