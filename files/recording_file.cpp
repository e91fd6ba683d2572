// Writer and reader of the recording file.
#include "files/recording_file.h"

#include <cstring>

#include "core/text.h"

namespace {

// The file's order of the texts and of the stamp fields.
char (TextFields::*const TextOrder[4])[TextFieldSize] = {&TextFields::Title, &TextFields::Ch1Name,
                                                         &TextFields::Ch2Name, &TextFields::Memo};
int32_t Stamp::*const StampOrder[6] = {&Stamp::Year, &Stamp::Month, &Stamp::Weekday,
                                       &Stamp::Day,  &Stamp::Hour,  &Stamp::Minute};

int EndLine(char* out, int length) {
    out[length++] = '\r';
    out[length++] = '\n';
    out[length] = 0;
    return length;
}

int NumberLine(int64_t value, char* out, const char* prefix = "") {
    const int p = static_cast<int>(std::strlen(prefix));
    std::memcpy(out, prefix, p);
    return EndLine(out, p + FormatNumber(value, out + p));
}

bool IsFieldSeparator(char c) {
    return c == '\r' || c == '\n';
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

void FillEmptyTexts(TextFields& texts) {
    for (auto field : TextOrder)
        if ((texts.*field)[0] == 0)
            std::memcpy(texts.*field, EmptyPlaceholder, sizeof EmptyPlaceholder);
}

int RecordingFileLine(const Recording& r, int index, char out[FileLineSize]) {
    if (index == 0) {
        std::memcpy(out, FileIdentification, sizeof FileIdentification - 1);
        return EndLine(out, sizeof FileIdentification - 1);
    }
    if (index <= 4) {
        // Fields hold at most 63 bytes; never trust a missing terminator.
        const char* text = r.RecordingTexts.*TextOrder[index - 1];
        const int n = static_cast<int>(strnlen(text, TextFieldSize - 1));
        std::memcpy(out, text, n);
        out[n] = 0;
        FlattenLineBreaks(out); // a line break would shift every later line
        return EndLine(out, n);
    }
    if (index <= 10) return NumberLine(r.StartStamp.*StampOrder[index - 5], out);
    const int j = index - 11;
    const int sample = j / 3;
    switch (j % 3) {
    case 0: return NumberLine(sample + 1, out, "NO ");
    case 1: return NumberLine(r.Ch1Samples[sample], out);
    default: return NumberLine(r.Ch2Samples[sample], out);
    }
}

char* NextLine(LineSplitter& s) {
    char* p = s.next;
    while (IsFieldSeparator(*p))
        ++p;
    if (*p == 0) {
        s.next = p;
        return nullptr;
    }
    char* line = p;
    while (*p != 0 && !IsFieldSeparator(*p))
        ++p;
    if (*p != 0) *p++ = 0;
    s.next = p;
    return line;
}

int32_t ParseNumber(const char* line) {
    const char* p = line;
    while (IsWhiteSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    uint32_t value = 0; // unsigned: the wrap-around is defined
    while (*p >= '0' && *p <= '9')
        value = value * 10u + static_cast<uint32_t>(*p++ - '0');
    if (negative) value = 0u - value;
    int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

FileVerdict ParseRecordingFile(char* text, Recording& out) {
    LineSplitter s = {text};
    const char* lines[RecordingFileLines];
    for (const char*& line : lines) {
        line = NextLine(s);
        if (!line) return FileVerdict::WrongFile;
    }
    if (std::strcmp(lines[0], FileIdentification) != 0) return FileVerdict::WrongFile;

    Recording r = {};
    for (int k = 0; k < 4; ++k)
        CopyText932(r.RecordingTexts.*TextOrder[k], TextFieldSize, lines[1 + k]);
    for (int k = 0; k < 6; ++k)
        r.StartStamp.*StampOrder[k] = ParseNumber(lines[5 + k]);
    for (int i = 0; i < SampleCount; ++i) {
        // lines[11 + 3i] is the header, skipped unread
        r.Ch1Samples[i] = ParseNumber(lines[12 + 3 * i]);
        r.Ch2Samples[i] = ParseNumber(lines[13 + 3 * i]);
    }
    r.DataLoaded = out.DataLoaded;
    out = r;
    return FileVerdict::Read;
}

std::string RecordingFileBytes(const Recording& r) {
    std::string bytes;
    bytes.reserve(RecordingFileLines * 8); // about the size of a day's file
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i)
        bytes.append(line, static_cast<size_t>(RecordingFileLine(r, i, line)));
    return bytes;
}
