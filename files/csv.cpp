// CSV export.
#include "files/csv.h"

#include <cstring>

#include "core/calendar.h"
#include "core/cp932.h"
#include "core/text.h"
#include "core/utf8.h"

namespace {

std::string ChannelHeading(const char* name, const char* fallback) {
    const size_t length = strnlen(name, TextFieldSize - 1);
    const std::string bytes(name, length);
    const bool blank = bytes.find_first_not_of(' ') == std::string::npos;
    const std::string shown = blank ? fallback : Utf16ToUtf8(Cp932ToUtf16(bytes));
    return CsvField(shown + " (lx)");
}

// A value from 0 to 9999 in `width` digits, zero-padded.
void AppendDigits(std::string& out, int value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    out.append(digits, static_cast<size_t>(width));
}

void AppendNumber(std::string& out, int64_t value) {
    out += NumberText(value);
}

} // namespace

std::string CalendarText(const Stamp& start, int64_t minutes) {
    std::string text;
    DateTime t;
    if (!AddMinutes(start, minutes, t)) return text;
    AppendDigits(text, t.year, 4);
    text += '/';
    AppendDigits(text, t.month, 2);
    text += '/';
    AppendDigits(text, t.day, 2);
    text += ' ';
    AppendDigits(text, t.hour, 2);
    text += ':';
    AppendDigits(text, t.minute, 2);
    return text;
}

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string RecordingCsv(const Recording& r) {
    std::string csv = "\xEF\xBB\xBF";
    csv += "\xE7\x95\xAA\xE5\x8F\xB7,\xE6\x97\xA5\xE6\x99\x82,"; // 番号,日時,
    csv += ChannelHeading(r.RecordingTexts.Ch1Name, "CH1");
    csv += ',';
    csv += ChannelHeading(r.RecordingTexts.Ch2Name, "CH2");
    csv += "\r\n";
    for (int n = 1; n <= SampleCount; ++n) {
        AppendNumber(csv, n);
        csv += ',';
        csv += CalendarText(r.StartStamp, MinutesAfterStart(n));
        csv += ',';
        AppendNumber(csv, int64_t{r.Ch1Samples[n - 1]} * LuxPerCount);
        csv += ',';
        AppendNumber(csv, int64_t{r.Ch2Samples[n - 1]} * LuxPerCount);
        csv += "\r\n";
    }
    return csv;
}
