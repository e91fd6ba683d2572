// A printed report's texts, its page's layout and a long table's pages.
#include <gtest/gtest.h>

#include <cstring>

#include "print/report.h"

namespace {

Recording Day() {
    Recording r = {};
    std::strcpy(r.RecordingTexts.Title, "\x8e\xc0\x8c\xb1\x8e\xba"); // 実験室
    std::strcpy(r.RecordingTexts.Ch1Name, "\x91\x8b");               // 窓
    std::strcpy(r.RecordingTexts.Ch2Name, " ");
    std::strcpy(r.RecordingTexts.Memo, "A");
    r.StartStamp = {2024, 2, 4, 29, 23, 30};
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = 10; // 500 lx
        r.Ch2Samples[i] = i % 2 ? 20 : 0;
    }
    r.DataLoaded = 1;
    return r;
}

TEST(Report, TheTextsOfARecordingsPage) {
    const Stamp now = {2026, 12, 3, 9, 8, 5};
    RecordingReport p =
        MakeRecordingReport(Day(), u"C:\\data\\lab.mv2", now, {true, 1000}, "1.3.0");
    EXPECT_TRUE(p.title == u"実験室");
    EXPECT_TRUE(p.file == u"lab.mv2");
    // Sample 840 is 839 minutes after 29 February 2024 23:30.
    EXPECT_TRUE(p.period == u"2024/02/29 23:30 〜 2024/03/01 13:29");
    EXPECT_TRUE(p.ch1 == u"CH1: 窓");
    EXPECT_TRUE(p.ch2 == u"CH2: ");
    EXPECT_TRUE(p.memo == u"A");
    EXPECT_TRUE(p.printedAt == u"印刷日時 2026/12/09 08:05");
    EXPECT_TRUE(p.program == u"MARVEK Ⅱ 1.3.0");
    EXPECT_TRUE(p.path == u"C:\\data\\lab.mv2");
    ASSERT_EQ(p.figures.size(), 8u);
    const ReportFigureRow expected[] = {
        {u"", u"CH1", u"CH2"},
        {u"最大照度", u"500 lx", u"1000 lx"},
        {u"最大の時刻", u"23:30", u"23:31"},
        {u"最小照度", u"500 lx", u"0 lx"},
        {u"最小の時刻", u"23:30", u"23:30"},
        {u"平均照度", u"500.0 lx", u"500.0 lx"},
        {u"積算照度 (lx・h)", u"7000.0", u"7000.0"},
        {u"しきい値以上の時間 (1000 lx)", u"0:00", u"7:00"},
    };
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(p.figures[i].label == expected[i].label) << i;
        EXPECT_TRUE(p.figures[i].ch1 == expected[i].ch1) << i;
        EXPECT_TRUE(p.figures[i].ch2 == expected[i].ch2) << i;
    }

    // A download not saved, no title, no threshold, a stamp that is no date.
    Recording r = Day();
    std::strcpy(r.RecordingTexts.Title, " ");
    r.StartStamp.Day = 30;
    p = MakeRecordingReport(r, u"", now, {}, "1.3.0");
    EXPECT_TRUE(p.title == u"(タイトルなし)");
    EXPECT_TRUE(p.file == u"受信データ");
    EXPECT_TRUE(p.period.empty());
    EXPECT_TRUE(p.figures[7].label == u"しきい値以上の時間 (しきい値なし)");
    EXPECT_TRUE(p.figures[7].ch1 == u"-");
    EXPECT_TRUE(ReportDocumentName(u"") == u"MARVEK Ⅱ - 受信データ");
    EXPECT_TRUE(ReportDocumentName(u"D:\\x\\day.mv2") == u"MARVEK Ⅱ - day.mv2");
}

TEST(Report, ThePageFromTopToBottomInsideThePrintableArea) {
    // A4 landscape at 300 dpi, printable to the edge: 15 mm margins.
    RecordingPageLayout l = LayOutRecordingPage({3508, 2479, 0, 0, 3508, 2479, 300}, 8);
    EXPECT_EQ(l.left, 177);
    EXPECT_EQ(l.top, 177);
    EXPECT_EQ(l.right, 3331);
    EXPECT_EQ(l.bottom, 2302);
    EXPECT_EQ(l.headerY, 285);
    EXPECT_EQ(l.chart.left, 177);
    EXPECT_EQ(l.chart.top, 499);
    EXPECT_EQ(l.chart.width, 3154);
    EXPECT_EQ(l.chart.height, 1107);
    EXPECT_EQ(l.chart.dpi, 189); // 1107 of 560 at 96 dpi: the natural frame fits
    EXPECT_EQ(l.tableY, 1639);
    EXPECT_EQ(l.footerY, 2176);
    EXPECT_EQ(l.columns[1], 1911);
    EXPECT_EQ(l.columns[2], 2700);
    EXPECT_LT(l.chart.top + l.chart.height, l.tableY);

    // A printer that cannot print near the edge: its offset is the margin.
    l = LayOutRecordingPage({4800, 3200, 200, 100, 5100, 3300, 600}, 8);
    EXPECT_EQ(l.left, 154); // 354 from the paper's edge
    EXPECT_EQ(l.top, 254);
    EXPECT_EQ(l.right, 4546);
    EXPECT_EQ(l.bottom, 2846);
}

TEST(Report, ALongTableOverPages) {
    const struct {
        int rows, first, per, pages, startOfLast;
    } cases[] = {
        {1, 30, 35, 1, 0},   {30, 30, 35, 1, 0},      {31, 30, 35, 2, 30}, {65, 30, 35, 2, 30},
        {66, 30, 35, 3, 65}, {1001, 30, 35, 29, 975}, {5, 0, 0, 5, 4}, // a page holds at least one
                                                                       // line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TablePageCount(c.rows, c.first, c.per), c.pages) << c.rows;
        EXPECT_EQ(TablePageStart(c.pages - 1, c.first, c.per), c.startOfLast) << c.rows;
    }
}

} // namespace
