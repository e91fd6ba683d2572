// Archive names.
#include "files/archive_name.h"

#include "core/text.h"

namespace {

void AppendPadded(std::u16string& out, int64_t value, int width) {
    char digits[NumberTextSize];
    const int length = FormatNumber(value, digits);
    if (value >= 0)
        for (int i = length; i < width; ++i)
            out += u'0';
    out += AsciiToUtf16(std::string(digits, static_cast<size_t>(length)));
}

} // namespace

std::u16string ArchiveFileName(const Stamp& start, int attempt) {
    std::u16string name = StampFileName(start, u"");
    if (attempt > 1) {
        name += u'_';
        AppendPadded(name, attempt, 1);
    }
    return name + u".mv2";
}

std::u16string StampFileName(const Stamp& start, std::u16string_view extension) {
    std::u16string name;
    AppendPadded(name, start.Year, 4);
    AppendPadded(name, start.Month, 2);
    AppendPadded(name, start.Day, 2);
    name += u'_';
    AppendPadded(name, start.Hour, 2);
    AppendPadded(name, start.Minute, 2);
    return name += extension;
}
