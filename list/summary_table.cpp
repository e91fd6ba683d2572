// The table's rules.
#include "list/summary_table.h"

#include <algorithm>
#include <cstring>

#include "core/calendar.h"
#include "core/cp932.h"
#include "core/text.h"
#include "core/utf8.h"
#include "files/csv.h"

const char16_t* const SummaryTitles[SummaryColumnCount] = {
    u"ファイル",
    u"開始日時",
    u"タイトル",
    u"CH1 最大照度 (lx)",
    u"CH1 平均照度 (lx)",
    u"CH1 積算照度 (lx・h)",
    u"CH1 しきい値以上の時間",
    u"CH2 最大照度 (lx)",
    u"CH2 平均照度 (lx)",
    u"CH2 積算照度 (lx・h)",
    u"CH2 しきい値以上の時間",
};

const char* const SummaryFieldNames[SummaryColumnCount] = {
    "file",
    "start",
    "title",
    "ch1_max_lux",
    "ch1_mean_lux",
    "ch1_dose_lxh",
    "ch1_above_threshold",
    "ch2_max_lux",
    "ch2_mean_lux",
    "ch2_dose_lxh",
    "ch2_above_threshold",
};

namespace {

enum Figure { Highest, Mean, Dose, Above };

std::u16string Number(int64_t value) {
    return AsciiToUtf16(NumberText(value));
}

std::u16string OnOneLine(std::u16string text) {
    for (char16_t& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
    return text;
}

// A row's place: its group, its start (for readable, real stamps), its name
// with letters in either case alike, the name itself, and where it was.
struct SortKey {
    int group;
    int64_t start;
    std::string folded, name;
    size_t index;
};

bool KeyBefore(const SortKey& a, const SortKey& b) {
    if (a.group != b.group) return a.group < b.group;
    if (a.start != b.start) return a.start < b.start;
    if (a.folded != b.folded) return a.folded < b.folded;
    if (a.name != b.name) return a.name < b.name;
    return a.index < b.index;
}

std::string Folded(std::u16string name) {
    for (char16_t& c : name)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return Utf16ToUtf8(name);
}

int64_t StartKey(const Stamp& s) {
    return (((int64_t{s.Year} * 13 + s.Month) * 32 + s.Day) * 24 + s.Hour) * 60 + s.Minute;
}

// 0: a readable, real stamp; 1: readable, impossible stamp; 2: unreadable.
int Group(const SummaryRow& row) {
    return row.reason ? 2 : IsRealStamp(row.start) ? 0 : 1;
}

std::u16string FigureCell(int figure, int64_t highest, int64_t luxSum, int64_t samples,
                          int64_t minutesAbove, const Threshold& threshold) {
    switch (figure) {
    case Highest: return Number(highest);
    case Mean: return AsciiToUtf16(MeanText(luxSum, samples));
    case Dose: return AsciiToUtf16(DoseText(luxSum));
    default: return threshold.given ? AsciiToUtf16(ClockText(minutesAbove)) : u"-";
    }
}

void AppendLine(std::string& out, const std::vector<std::u16string>& cells, bool csv) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += csv ? ',' : '\t';
        const std::string cell = Utf16ToUtf8(csv ? cells[i] : OnOneLine(cells[i]));
        out += csv ? CsvField(cell) : cell;
    }
    out += csv ? "\r\n" : "\n";
}

// The budget's two columns, after the others, only when there is a budget.
constexpr const char* BudgetFieldNames[2] = {"ch1_budget_percent", "ch2_budget_percent"};

std::string TableText(const std::vector<SummaryRow>& rows, const SummaryTotal& total,
                      const Threshold& threshold, bool csv, int64_t budget = 0) {
    std::string out = csv ? "\xEF\xBB\xBF" : "";
    const int columns = SummaryColumnCount + (budget > 0 ? 2 : 0);
    std::vector<std::u16string> cells(columns);
    for (int c = 0; c < SummaryColumnCount; ++c)
        cells[c] = csv ? SummaryTitles[c] : AsciiToUtf16(SummaryFieldNames[c]);
    for (int c = SummaryColumnCount; c < columns; ++c)
        cells[c] = AsciiToUtf16(BudgetFieldNames[c - SummaryColumnCount]);
    AppendLine(out, cells, csv);
    for (const SummaryRow& row : rows) {
        for (int c = 0; c < SummaryColumnCount; ++c)
            cells[c] = RowCell(row, c, threshold);
        for (int ch = 0; SummaryColumnCount + ch < columns; ++ch)
            cells[SummaryColumnCount + ch] =
                row.reason ? u"" : AsciiToUtf16(BudgetPercent(row.figures[ch].luxSum, budget));
        AppendLine(out, cells, csv);
    }
    for (int c = 0; c < SummaryColumnCount; ++c)
        cells[c] = TotalCell(total, c, threshold);
    for (int ch = 0; SummaryColumnCount + ch < columns; ++ch)
        cells[SummaryColumnCount + ch] =
            total.rows == 0 ? u"" : AsciiToUtf16(BudgetPercent(total.luxSum[ch], budget));
    AppendLine(out, cells, csv);
    return out;
}

} // namespace

SummaryRow ReadableRow(std::u16string name, std::u16string sortName, const Recording& r) {
    SummaryRow row;
    row.name = std::move(name);
    row.sortName = std::move(sortName);
    row.start = r.StartStamp;
    // The placeholder of an empty title is an empty title, as the text
    // dialog shows it.
    const char* title = r.RecordingTexts.Title;
    if (!IsPlaceholder(title))
        row.title = OnOneLine(Cp932ToUtf16(std::string(title, strnlen(title, TextFieldSize - 1))));
    row.samples[0].assign(r.Ch1Samples, r.Ch1Samples + SampleCount);
    row.samples[1].assign(r.Ch2Samples, r.Ch2Samples + SampleCount);
    row.figures[0] = FiguresOf(r.Ch1Samples);
    row.figures[1] = FiguresOf(r.Ch2Samples);
    return row;
}

SummaryRow UnreadableRow(std::u16string name, std::u16string sortName, const char16_t* reason) {
    SummaryRow row;
    row.name = std::move(name);
    row.sortName = std::move(sortName);
    row.reason = reason;
    return row;
}

void SortRows(std::vector<SummaryRow>& rows) {
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const SummaryRow& row = rows[i];
        const int group = Group(row);
        keys.push_back({group, group == 0 ? StartKey(row.start) : 0, Folded(row.sortName),
                        Utf16ToUtf8(row.sortName), i});
    }
    std::sort(keys.begin(), keys.end(), KeyBefore);
    std::vector<SummaryRow> sorted;
    sorted.reserve(rows.size());
    for (const SortKey& key : keys)
        sorted.push_back(std::move(rows[key.index]));
    rows = std::move(sorted);
}

std::u16string RowCell(const SummaryRow& row, int column, const Threshold& threshold) {
    if (column == FileColumn) return row.name;
    if (column == TitleColumn) return row.reason ? row.reason : row.title;
    if (row.reason) return u"";
    if (column == StartColumn) return AsciiToUtf16(CalendarText(row.start, 0));
    const int channel = (column - FirstFigureColumn) / FiguresPerChannel;
    const int figure = (column - FirstFigureColumn) % FiguresPerChannel;
    const ChannelFigures& f = row.figures[channel];
    const int64_t above = figure == Above && threshold.given
                              ? SamplesAtOrAbove(row.samples[channel].data(), threshold.lux)
                              : 0;
    return FigureCell(figure, f.highestLux, f.luxSum, SampleCount, above, threshold);
}

SummaryTotal TotalOf(const std::vector<SummaryRow>& rows, const std::vector<int>& chosen,
                     const Threshold& threshold) {
    SummaryTotal total;
    auto add = [&](const SummaryRow& row) {
        if (row.reason) return;
        for (int ch = 0; ch < 2; ++ch) {
            const int64_t highest = row.figures[ch].highestLux;
            total.highest[ch] = total.rows == 0 ? highest : std::max(total.highest[ch], highest);
            total.luxSum[ch] += row.figures[ch].luxSum;
            if (threshold.given)
                total.minutesAbove[ch] += SamplesAtOrAbove(row.samples[ch].data(), threshold.lux);
        }
        ++total.rows;
    };
    if (chosen.empty()) {
        for (const SummaryRow& row : rows)
            add(row);
    } else {
        for (int i : chosen)
            if (i >= 0 && i < static_cast<int>(rows.size())) add(rows[static_cast<size_t>(i)]);
    }
    return total;
}

std::u16string TotalCell(const SummaryTotal& total, int column, const Threshold& threshold) {
    if (column == FileColumn) return TotalRowName;
    if (total.rows == 0 || column < FirstFigureColumn) return u"";
    const int channel = (column - FirstFigureColumn) / FiguresPerChannel;
    return FigureCell((column - FirstFigureColumn) % FiguresPerChannel, total.highest[channel],
                      total.luxSum[channel], int64_t{SampleCount} * total.rows,
                      total.minutesAbove[channel], threshold);
}

std::string SummaryCsv(const std::vector<SummaryRow>& rows, const SummaryTotal& total,
                       const Threshold& threshold) {
    return TableText(rows, total, threshold, true);
}

std::string SummaryTsv(const std::vector<SummaryRow>& rows, const SummaryTotal& total,
                       const Threshold& threshold, int64_t budget) {
    return TableText(rows, total, threshold, false, budget);
}

bool ParseBudget(const std::string& text, int64_t& lxh) {
    return ParseDigits(text, BudgetDigitLimit, lxh);
}

// Σlux ÷ 60 lx·h against the budget: Σlux × 100 ÷ (60 × budget) percent.
std::string BudgetPercent(int64_t luxSum, int64_t budget) {
    return FractionText(__int128{luxSum} * 100, __int128{SamplesPerHour} * budget, 1);
}

std::u16string BudgetLine(int channel, const SummaryTotal& total, int64_t budget) {
    if (budget <= 0 || total.rows == 0) return u"";
    const __int128 sum = total.luxSum[channel];
    const __int128 days = __int128{SamplesPerHour} * total.rows; // Σlux ÷ this: lx·h a day
    constexpr char16_t Gap[] = u"\u3000";
    return u"CH" + AsciiToUtf16(NumberText(channel + 1)) + u": 積算 " +
           AsciiToUtf16(DoseText(total.luxSum[channel])) + u" lx・h = 年間許容量の " +
           AsciiToUtf16(BudgetPercent(total.luxSum[channel], budget)) + u" %" + Gap + u"1日平均 " +
           AsciiToUtf16(FractionText(sum, days, 1)) + u" lx・h" + Gap + u"年換算 " +
           AsciiToUtf16(FractionText(sum * 365, days, 0)) + u" lx・h (年間許容量の " +
           AsciiToUtf16(FractionText(sum * 365 * 100, days * budget, 1)) + u" %)";
}

const StandardLevel StandardLevels[9] = {
    {u"(選択しない)", nullptr, nullptr},
    {u"事務室 (JIS Z 9110) 750 lx", "750", ""},
    {u"会議室 500 lx", "500", ""},
    {u"教室 300 lx", "300", ""},
    {u"階段 150 lx", "150", ""},
    {u"廊下 100 lx", "100", ""},
    {u"展示: 光に非常に敏感 (CIE 157) 50 lx・15,000 lx・h/年", "50", "15000"},
    {u"展示: 光に敏感 50 lx・150,000 lx・h/年", "50", "150000"},
    {u"展示: 光にやや敏感 200 lx・600,000 lx・h/年", "200", "600000"},
};
