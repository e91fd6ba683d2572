// The table of many recordings: one row for each file with its start and
// title and each channel's figures, the order of the rows, the total row,
// and the table as CSV (the list dialog) and as TSV (mv2tool summary).
// Window-free; the figures are the statistics dialog's, by the same rules.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/recording.h"
#include "core/statistics.h"

constexpr int SummaryColumnCount = 11;
// The columns: file, start, title, then for CH1 and CH2 each the highest
// lux, the mean lux, the integrated lux·h and the time at or above the
// threshold.
enum SummaryColumn { FileColumn, StartColumn, TitleColumn, FirstFigureColumn };
constexpr int FiguresPerChannel = 4;

// The column titles of the list and its CSV, and the TSV's names.
extern const char16_t* const SummaryTitles[SummaryColumnCount];
extern const char* const SummaryFieldNames[SummaryColumnCount];
// The name of the total row.
constexpr char16_t TotalRowName[] = u"合計";

struct SummaryRow {
    std::u16string name;              // the file as the table names it
    std::u16string sortName;          // its name without the folder
    const char16_t* reason = nullptr; // why it cannot be read; nullptr when it can
    Stamp start = {};
    std::u16string title; // tabs and line breaks as spaces; " " as empty
    ChannelFigures figures[2] = {};
    // Each channel's counts, kept for the time at or above a threshold, which
    // the user changes; on the heap, so rows move cheaply as they are sorted.
    std::vector<int32_t> samples[2];
};

// A row for a file that was read, or for one that was not (its reason).
SummaryRow ReadableRow(std::u16string name, std::u16string sortName, const Recording& r);
SummaryRow UnreadableRow(std::u16string name, std::u16string sortName, const char16_t* reason);

// Readable recordings by start time, equal times by name; those with an
// impossible stamp after them by name; unreadable files last, by name.
void SortRows(std::vector<SummaryRow>& rows);

// A row's cell as shown; an unreadable row's figures are empty.
std::u16string RowCell(const SummaryRow& row, int column, const Threshold& threshold);

// The total over some readable rows: sums of lux and of minutes, each
// rounded once, and the largest of the highest lux.
struct SummaryTotal {
    int rows = 0;
    int64_t highest[2] = {};
    int64_t luxSum[2] = {};
    int64_t minutesAbove[2] = {};
};
// Over the rows given by index (unreadable ones are passed over), or over
// every readable row when `chosen` is empty.
SummaryTotal TotalOf(const std::vector<SummaryRow>& rows, const std::vector<int>& chosen,
                     const Threshold& threshold);
std::u16string TotalCell(const SummaryTotal& total, int column, const Threshold& threshold);

// The table as the list shows it: UTF-8 with a byte-order mark, CR LF, the
// column titles, the rows, the total last; fields quoted as CSV wants.
std::string SummaryCsv(const std::vector<SummaryRow>& rows, const SummaryTotal& total,
                       const Threshold& threshold);
// The same rows for a terminal: UTF-8 without a mark, LF, the ASCII names,
// tab-separated; a tab in any field becomes a space. With a budget (not 0),
// each row's and the total's share of it follow as two more columns.
std::string SummaryTsv(const std::vector<SummaryRow>& rows, const SummaryTotal& total,
                       const Threshold& threshold, int64_t budget = 0);

// The standards' levels the list offers to fill in both fields at once: the
// name shown, the threshold and the yearly budget as they are typed ("" for
// an empty budget); the first, (選択しない), changes nothing.
struct StandardLevel {
    const char16_t* name;
    const char* threshold;
    const char* budget;
};
extern const StandardLevel StandardLevels[9];

// A yearly light budget in lx·h, as typed: 1 to 10 digits; 0 is none.
constexpr int BudgetDigitLimit = 10;
// False for anything but 1 to 10 ASCII digits; true with 0 for "0".
bool ParseBudget(const std::string& text, int64_t& lxh);
// How much of the budget a sum of one-minute lux (its integrated illuminance,
// Σlux ÷ 60) is, in percent with one decimal: "16.3". Rounded once.
std::string BudgetPercent(int64_t luxSum, int64_t budget);
// The line under the list for one channel (0, 1) of the total: the
// integrated illuminance and its share of the budget, the mean per day (a
// recording is a day) and that over a year of 365 days with its share, each
// worked out exactly and rounded once. Empty without a budget or without a
// readable row counted.
std::u16string BudgetLine(int channel, const SummaryTotal& total, int64_t budget);
