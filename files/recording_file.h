// The recording file: a CR LF text file of exactly 2531 lines in code page
// 932, beginning with "MARVEK2". Window-free: the writer produces it line by
// line, the reader checks and decodes a whole file held in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/recording.h"

constexpr char FileIdentification[] = "MARVEK2";
constexpr int RecordingFileLines = 11 + 3 * SampleCount; // 2531
// Far above any real file (about 17 KB); larger files are not recordings.
constexpr uint64_t LargestRecordingFile = 4u << 20;

// Room for the longest line: 63 bytes of text, or "NO " and a number, and CR LF.
constexpr int FileLineSize = 72;

// Empty texts are saved as the one-space placeholder, in the store too: an
// empty line would be skipped by the reader.
void FillEmptyTexts(TextFields& texts);

// Line `index` (0-based, below RecordingFileLines) of the file for r, with
// its CR LF and a terminating zero. Returns its length in bytes.
int RecordingFileLine(const Recording& r, int index, char out[FileLineSize]);

// Splits a zero-terminated text in place: runs of CR and LF are skipped, the
// separator after each line is overwritten by a zero.
struct LineSplitter {
    char* next;
};
// The next line, or nullptr when only separators (or nothing) are left.
char* NextLine(LineSplitter& s);

// Leading white space, one optional sign, decimal digits; the rest of the line
// is ignored; no digits gives 0; too many digits wrap modulo 2^32.
int32_t ParseNumber(const char* line);

enum class FileVerdict { Read, WrongFile };

// Decodes a whole file. `text` is the file's bytes followed by a zero byte;
// it is split in place. On WrongFile (first line not exactly "MARVEK2", or
// fewer than 2531 lines) `out` is left as it was. DataLoaded is not touched.
FileVerdict ParseRecordingFile(char* text, Recording& out);

// The whole file for r, as the writer writes it line by line.
std::string RecordingFileBytes(const Recording& r);
