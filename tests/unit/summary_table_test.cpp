// The table of many recordings: order, cells, the total row, CSV and TSV.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/utf8.h"
#include "list/summary_table.h"

namespace {

Recording Day(Stamp start, int32_t ch1, int32_t ch2, const char* title = "") {
    Recording r = {};
    r.StartStamp = start;
    std::snprintf(r.RecordingTexts.Title, TextFieldSize, "%s", title);
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = ch1;
        r.Ch2Samples[i] = ch2;
    }
    return r;
}

SummaryRow Row(const char16_t* name, const Recording& r) {
    return ReadableRow(name, name, r);
}

std::string Names(const std::vector<SummaryRow>& rows) {
    std::u16string names;
    for (const SummaryRow& row : rows)
        names += row.name + u" ";
    return Utf16ToUtf8(names);
}

TEST(SummaryTable, ByStartThenNameImpossibleStampsAfterUnreadableFilesLast) {
    const Stamp june = {2015, 6, 2, 2, 5, 0}, may = {2015, 5, 30, 6, 23, 59};
    std::vector<SummaryRow> rows;
    rows.push_back(UnreadableRow(u"broken.mv2", u"broken.mv2", WrongFileText));
    rows.push_back(Row(u"b.mv2", Day(june, 1, 1)));
    rows.push_back(Row(u"zero.mv2", Day({2015, 2, 3, 30, 5, 0}, 1, 1))); // 30 February
    rows.push_back(Row(u"A.mv2", Day(june, 1, 1)));                      // same start: by name
    rows.push_back(Row(u"c.mv2", Day(may, 1, 1)));
    rows.push_back(UnreadableRow(u"absent.mv2", u"absent.mv2", CannotReadFileText));
    rows.push_back(Row(u"clock.mv2", Day({0, 0, 0, 0, 0, 0}, 1, 1)));
    SortRows(rows);
    EXPECT_EQ(Names(rows), "c.mv2 A.mv2 b.mv2 clock.mv2 zero.mv2 absent.mv2 broken.mv2 ");
}

TEST(SummaryTable, CellsAreTheStatisticsDialogsFiguresAndReasonsForUnreadableFiles) {
    Recording r = Day({2024, 2, 4, 29, 23, 30}, 10, -2, "a\ttab");
    r.Ch1Samples[100] = 900;
    const SummaryRow row = Row(u"day.mv2", r);
    const Threshold t500 = {true, 500}, none = {};
    const char16_t* expected[SummaryColumnCount] = {
        u"day.mv2", u"2024/02/29 23:30", u"a tab",   u"45000", u"553.0", u"7741.7", u"14:00",
        u"-100",    u"-100.0",           u"-1400.0", u"0:00",
    };
    for (int c = 0; c < SummaryColumnCount; ++c)
        EXPECT_TRUE(RowCell(row, c, t500) == expected[c]) << c;
    EXPECT_TRUE(RowCell(row, 6, none) == u"-");
    EXPECT_TRUE(RowCell(Row(u"x", Day({2015, 13, 0, 1, 0, 0}, 0, 0)), StartColumn, t500).empty());

    const SummaryRow broken = UnreadableRow(u"bad.mv2", u"bad.mv2", WrongFileText);
    EXPECT_TRUE(RowCell(broken, TitleColumn, t500) == WrongFileText);
    for (int c = StartColumn; c < SummaryColumnCount; ++c)
        if (c != TitleColumn) {
            EXPECT_TRUE(RowCell(broken, c, none).empty()) << c;
        }
}

TEST(SummaryTable, TheTotalSumsRoundsOnceTakesTheLargestAndSkipsUnreadableRows) {
    const Stamp s = {2015, 6, 2, 2, 5, 0};
    std::vector<SummaryRow> rows;
    rows.push_back(Row(u"a", Day(s, 1, 3)));  // 50 lx all day, 150
    rows.push_back(Row(u"b", Day(s, 2, -1))); // 100, -50
    rows.push_back(UnreadableRow(u"c", u"c", CannotReadFileText));
    const Threshold t = {true, 100};
    const SummaryTotal all = TotalOf(rows, {}, t);
    EXPECT_EQ(all.rows, 2);
    // Σ = 840·50 + 840·100 = 126000 lx; ÷ 60 = 2100.0; ÷ (840·2) = 75.0
    const char16_t* expected[SummaryColumnCount] = {u"合計", u"",       u"",      u"100",
                                                    u"75.0", u"2100.0", u"14:00", u"150",
                                                    u"50.0", u"1400.0", u"14:00"};
    for (int c = 0; c < SummaryColumnCount; ++c)
        EXPECT_TRUE(TotalCell(all, c, t) == expected[c]) << c;

    // One row chosen (and the unreadable one, which counts for nothing).
    const SummaryTotal one = TotalOf(rows, {1, 2}, t);
    EXPECT_TRUE(TotalCell(one, 3, t) == u"100");
    EXPECT_TRUE(TotalCell(one, 7, t) == u"-50");
    EXPECT_TRUE(TotalCell(one, 10, t) == u"0:00");
    EXPECT_TRUE(TotalCell(one, 6, {}) == u"-");

    // Rounded once from the sum, not a sum of rounded cells: three rows of
    // 1/60 lx·h each (one count in one minute) make 2.5 lx·h, not 2.4.
    std::vector<SummaryRow> small;
    for (const char16_t* name : {u"x", u"y", u"z"}) {
        Recording r = Day(s, 0, 0);
        r.Ch1Samples[0] = 1;
        small.push_back(Row(name, r));
    }
    EXPECT_TRUE(RowCell(small[0], 5, t) == u"0.8");
    EXPECT_TRUE(TotalCell(TotalOf(small, {}, t), 5, t) == u"2.5");

    const SummaryTotal nothing = TotalOf({}, {}, t);
    EXPECT_TRUE(TotalCell(nothing, FileColumn, t) == u"合計");
    EXPECT_TRUE(TotalCell(nothing, 4, t).empty());
}

// The budget's figures from the counts, each rounded once: the issue's own
// example (24500.0 lx·h over three days against 150000), a half, a
// negative sum and sums far beyond 64 bits when multiplied.
TEST(SummaryTable, TheBudgetLinesFiguresRoundedOnce) {
    SummaryTotal total;
    total.rows = 3;
    total.luxSum[0] = 24500 * 60;
    total.luxSum[1] = -90;
    EXPECT_TRUE(BudgetLine(0, total, 150000) ==
                u"CH1: 積算 24500.0 lx・h = 年間許容量の 16.3 %\u30001日平均 8166.7 lx・h"
                u"\u3000年換算 2980833 lx・h (年間許容量の 1987.2 %)");
    EXPECT_TRUE(BudgetLine(1, total, 1) ==
                u"CH2: 積算 -1.5 lx・h = 年間許容量の -150.0 %\u30001日平均 -0.5 lx・h"
                u"\u3000年換算 -183 lx・h (年間許容量の -18250.0 %)");
    EXPECT_TRUE(BudgetLine(0, total, 0).empty());
    total.rows = 0;
    EXPECT_TRUE(BudgetLine(0, total, 150000).empty());

    EXPECT_EQ(BudgetPercent(3, 1), "5.0");     // 0.05 lx·h of 1
    EXPECT_EQ(BudgetPercent(1, 1200), "0.0");  // 0.0014 %
    EXPECT_EQ(BudgetPercent(9, 1000), "0.0");  // 0.015 %: 0.0
    EXPECT_EQ(BudgetPercent(30, 1000), "0.1"); // 0.05 %: a half, away from zero
    EXPECT_EQ(BudgetPercent(INT64_MAX, 1), "15372286728091293011.7");

    int64_t lxh = -1;
    EXPECT_TRUE(ParseBudget("150000", lxh));
    EXPECT_EQ(lxh, 150000);
    EXPECT_TRUE(ParseBudget("9999999999", lxh));
    EXPECT_TRUE(ParseBudget("0", lxh));
    EXPECT_EQ(lxh, 0);
    for (const char* bad : {"", "12345678901", "-1", "1 5", "1.5"})
        EXPECT_FALSE(ParseBudget(bad, lxh)) << bad;
}

TEST(SummaryTable, CsvForSpreadsheetsAndTsvForTerminals) {
    std::vector<SummaryRow> rows;
    rows.push_back(Row(u"a,b.mv2", Day({2015, 6, 2, 2, 5, 0}, 1, 1, "x\t\"q\"")));
    const Threshold t = {true, 500};
    const SummaryTotal total = TotalOf(rows, {}, t);
    const std::string csv = SummaryCsv(rows, total, t);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("\r\n\"a,b.mv2\",2015/06/02 05:00,\"x \"\"q\"\"\",50,50.0,700.0,0:00,"),
              std::string::npos);
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    const std::string tsv = SummaryTsv(rows, total, t);
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')),
              "file\tstart\ttitle\tch1_max_lux\tch1_mean_lux\tch1_dose_lxh\tch1_above_threshold\t"
              "ch2_max_lux\tch2_mean_lux\tch2_dose_lxh\tch2_above_threshold");
    EXPECT_NE(tsv.find("\na,b.mv2\t2015/06/02 05:00\tx \"q\"\t50\t"), std::string::npos);
    EXPECT_EQ(tsv.find('\r'), std::string::npos);

    // With a budget, two columns more: 700.0 lx·h of 1000 lx·h is 70.0 %.
    rows.push_back(UnreadableRow(u"bad.mv2", u"bad.mv2", u"ファイルが違います"));
    const std::string budget = SummaryTsv(rows, total, t, 1000);
    EXPECT_NE(budget.find("ch2_above_threshold\tch1_budget_percent\tch2_budget_percent\n"),
              std::string::npos);
    EXPECT_NE(budget.find("\t0:00\t70.0\t70.0\n"), std::string::npos);
    EXPECT_NE(budget.find(u8"\t\t\n合計"), std::string::npos); // the unreadable row: empty
    EXPECT_EQ(budget.substr(budget.size() - 11), "\t70.0\t70.0\n");
}

} // namespace
