// Tools > 記録の一覧 on a folder of days, a broken file and one from a logger
// whose clock was not set: the order, the figures, the CSV, the threshold,
// the total over a selection, opening a row, and mv2tool summary alike.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "res/resource.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

Recording Day(Stamp start, const char* title, int32_t ch1, int32_t ch2, int ch2Minutes) {
    Recording r = {};
    r.StartStamp = start;
    std::strcpy(r.RecordingTexts.Title, title);
    for (int i = 0; i < SampleCount; ++i) {
        r.Ch1Samples[i] = ch1;
        r.Ch2Samples[i] = i < ch2Minutes ? ch2 : 0;
    }
    return r;
}

// The table as the dialog must write it, worked out by hand: lux = count ×
// 50, mean = Σ ÷ 840 (÷ 3360 for the four readable days), lx·h = Σ ÷ 60.
const char ExpectedCsv[] =
    u8"\uFEFFファイル,開始日時,タイトル,CH1 最大照度 (lx),CH1 平均照度 (lx),CH1 積算照度 (lx・h),"
    u8"CH1 しきい値以上の時間,CH2 最大照度 (lx),CH2 平均照度 (lx),CH2 積算照度 (lx・h),"
    u8"CH2 しきい値以上の時間\r\n"
    u8"d1.mv2,2015/06/01 05:00,東の窓,500,500.0,7000.0,14:00,0,0.0,0.0,0:00\r\n"
    u8"d2.mv2,2015/06/02 05:00,\"a,b\",1000,1000.0,14000.0,14:00,2000,142.9,2000.0,1:00\r\n"
    u8"d3.mv2,2015/06/03 06:30,tab here,200,200.0,2800.0,0:00,0,0.0,0.0,0:00\r\n"
    u8"clock.mv2,,,50,50.0,700.0,0:00,0,0.0,0.0,0:00\r\n"
    u8"broken.mv2,,ファイルが違います,,,,,,,,\r\n"
    u8"合計,,,1000,437.5,24500.0,28:00,2000,35.7,2000.0,1:00\r\n";

class RecordingList : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = ArchiveForThisTest() + "\\";
        ASSERT_TRUE(WriteBytes(folder + "d2.mv2",
                               ReferenceFile(Day({2015, 6, 2, 2, 5, 0}, "a,b", 20, 40, 60))));
        ASSERT_TRUE(WriteBytes(folder + "d1.mv2",
                               ReferenceFile(Day({2015, 6, 1, 1, 5, 0}, "東の窓", 10, 0, 0))));
        ASSERT_TRUE(WriteBytes(folder + "d3.mv2",
                               ReferenceFile(Day({2015, 6, 3, 3, 6, 30}, "tab\there", 4, 0, 0))));
        ASSERT_TRUE(
            WriteBytes(folder + "clock.mv2", ReferenceFile(Day({0, 0, 0, 0, 0, 0}, "", 1, 0, 0))));
        ASSERT_TRUE(WriteBytes(folder + "broken.mv2", "MARVEK2\r\n"));
        ASSERT_TRUE(WriteBytes(folder + "notes.txt", "not listed"));
        CreateDirectoryA((folder + "old").c_str(), nullptr);
        ASSERT_TRUE(WriteBytes(folder + "old\\d9.mv2", ReferenceFile(KnownRecording())));
        dialog = OpenDialog(app, IDM_RECORDING_LIST, "記録の一覧");
        ASSERT_NE(dialog, nullptr);
        list = GetDlgItem(dialog, IDC_LIST_TABLE);
    }
    std::string Cell(int row, int column) { return ListCell(app, list, row, column); }
    std::string folder;
    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(RecordingList, TheFolderInOrderItsCsvAndTheConsoleToolsSameRows) {
    SaveScreenshot(CaptureWindow(dialog), "dialog_list");
    EXPECT_EQ(ItemText(dialog, IDC_LIST_FOLDER), ArchiveForThisTest());
    EXPECT_EQ(ItemText(dialog, IDC_LIST_THRESHOLD), "500");
    ASSERT_EQ(ListRowCount(list), 6);
    const char* names[] = {"d1.mv2", "d2.mv2", "d3.mv2", "clock.mv2", "broken.mv2", "合計"};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(Cell(row, 0), names[row]);
        EXPECT_EQ(ListRowState(list, row, LVIS_SELECTED), 0u);
    }
    EXPECT_EQ(ListRowState(list, 0, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    EXPECT_EQ(Cell(2, 2), "tab here");

    Click(dialog, IDC_LIST_SAVE_CSV);
    HWND save = WaitForOtherDialog(app, "CSV形式で保存", nullptr);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(WindowTextW(GetDlgItem(save, FileNameBox)), L"記録の一覧.csv");
    const std::string csv = FolderForThisTest() + "table.csv";
    SetItemText(save, FileNameBox, csv);
    Click(save, IDOK);
    Settle(app);
    EXPECT_EQ(ReadBytes(csv), ExpectedCsv);

    // The console tool, given the same files in another order, prints the
    // same rows: its names as given, tab-separated, LF.
    std::wstring files;
    for (const char* name : {"broken.mv2", "d3.mv2", "clock.mv2", "d1.mv2", "d2.mv2"})
        files += L" \"" + Widened(folder) + Widened(name) + L"\"";
    std::string out;
    EXPECT_EQ(RunTool(L"summary" + files, &out), 1u); // one file could not be read
    std::string rows;
    for (size_t at = 0; at < out.size();) {
        std::string line = out.substr(at, out.find('\n', at) - at);
        at += line.size() + 1;
        const size_t slash = line.rfind('\\', line.find('\t'));
        if (slash != std::string::npos) line.erase(0, slash + 1); // the folder
        rows += line + "\n";
    }
    EXPECT_EQ(
        rows,
        u8"file\tstart\ttitle\tch1_max_lux\tch1_mean_lux\tch1_dose_lxh\tch1_above_threshold\t"
        u8"ch2_max_lux\tch2_mean_lux\tch2_dose_lxh\tch2_above_threshold\n"
        u8"d1.mv2\t2015/06/01 05:00\t東の窓\t500\t500.0\t7000.0\t14:00\t0\t0.0\t0.0\t0:00\n"
        u8"d2.mv2\t2015/06/02 05:00\ta,b\t1000\t1000.0\t14000.0\t14:00\t2000\t142.9\t2000.0\t1:00\n"
        u8"d3.mv2\t2015/06/03 06:30\ttab here\t200\t200.0\t2800.0\t0:00\t0\t0.0\t0.0\t0:00\n"
        u8"clock.mv2\t\t\t50\t50.0\t700.0\t0:00\t0\t0.0\t0.0\t0:00\n"
        u8"broken.mv2\t\tファイルが違います\t\t\t\t\t\t\t\t\n"
        u8"合計\t\t\t1000\t437.5\t24500.0\t28:00\t2000\t35.7\t2000.0\t1:00\n");
}

TEST_F(RecordingList, TheThresholdTheSelectionsTotalAndOpeningARow) {
    SetItemText(dialog, IDC_LIST_THRESHOLD, "1000");
    EXPECT_EQ(Cell(0, 6), "0:00");
    EXPECT_EQ(Cell(1, 6), "14:00");
    EXPECT_EQ(Cell(1, 10), "1:00");
    EXPECT_EQ(Cell(5, 6), "14:00");
    SetItemText(dialog, IDC_LIST_THRESHOLD, "");
    EXPECT_EQ(Cell(0, 6), "-");
    EXPECT_EQ(Cell(4, 6), ""); // an unreadable file has no figures
    EXPECT_EQ(Cell(5, 6), "-");
    SetItemText(dialog, IDC_LIST_THRESHOLD, "500");
    EXPECT_EQ(SettingText("Threshold"), "500"); // the program's one threshold

    // A yearly budget: the two lines under the table, over the four readable
    // days (24500.0 and 2000.0 lx·h, by hand).
    EXPECT_EQ(ItemText(dialog, IDC_LIST_BUDGET_CH1), "");
    SetItemText(dialog, IDC_LIST_BUDGET, "150000");
    EXPECT_EQ(SettingText("AnnualBudget"), "150000");
    EXPECT_EQ(ItemText(dialog, IDC_LIST_BUDGET_CH1),
              "CH1: 積算 24500.0 lx・h = 年間許容量の 16.3 %　1日平均 6125.0 lx・h"
              "　年換算 2235625 lx・h (年間許容量の 1490.4 %)");
    EXPECT_EQ(ItemText(dialog, IDC_LIST_BUDGET_CH2),
              "CH2: 積算 2000.0 lx・h = 年間許容量の 1.3 %　1日平均 500.0 lx・h"
              "　年換算 182500 lx・h (年間許容量の 121.7 %)");

    // The total and the lines follow the selection; the total row itself is
    // never selected.
    SetListRowState(app, list, 0, LVIS_SELECTED, LVIS_SELECTED);
    SetListRowState(app, list, 2, LVIS_SELECTED, LVIS_SELECTED);
    SetListRowState(app, list, 5, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(ListRowState(list, 5, LVIS_SELECTED), 0u);
    EXPECT_EQ(Cell(5, 3), "500");
    EXPECT_EQ(Cell(5, 4), "350.0");
    EXPECT_EQ(Cell(5, 5), "9800.0");
    EXPECT_EQ(Cell(5, 6), "14:00");
    EXPECT_EQ(ItemText(dialog, IDC_LIST_BUDGET_CH1),
              "CH1: 積算 9800.0 lx・h = 年間許容量の 6.5 %　1日平均 4900.0 lx・h"
              "　年換算 1788500 lx・h (年間許容量の 1192.3 %)");
    SaveScreenshot(CaptureWindow(dialog), "dialog_list_budget");
    SetItemText(dialog, IDC_LIST_BUDGET, "0"); // no budget
    EXPECT_EQ(ItemText(dialog, IDC_LIST_BUDGET_CH2), "");

    // 開く only for a readable recording; it opens as File > Open does.
    SetListRowState(app, list, 4, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIST_OPEN)));
    SetListRowState(app, list, 5, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIST_OPEN)));
    SetListRowState(app, list, 1, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIST_OPEN)));
    Click(dialog, IDC_LIST_OPEN);
    Settle(app);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(WindowText(app.main), FileCaption("d2.mv2"));
}

} // namespace
