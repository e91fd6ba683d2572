// File > Save As and File > Open through the real common dialogs.
#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

class Files : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
        known = KnownRecording();
    }

    // Opens a file the test wrote and expects it to load.
    void Load(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteBytes(folder + name, bytes));
        ASSERT_NE(OpenFile(app, folder + name), nullptr);
        Settle(app);
        ASSERT_EQ(WindowText(app.main), FileCaption(name));
    }

    void ExpectKnownTraces(const char* screenshot) {
        const Capture c = CaptureClient(app.main);
        SaveScreenshot(c, screenshot);
        ExpectTraces(c, known.Ch1Samples, known.Ch2Samples, 3);
    }

    bool DataCommandsEnabled() {
        const MenuSnapshot menu = ReadMenu(app);
        for (UINT id : {IDM_SAVE_AS, IDM_TEXT_INPUT, IDM_CLEAR, IDM_DATA_VIEW, IDM_MAXIMUM,
                        IDM_EXPORT_CSV, IDM_EXPORT_IMAGE, IDM_COPY_CHART, IDM_STATISTICS}) {
            const MenuItem* item = menu.find(id);
            if (!item || (item->state & MF_GRAYED)) return false;
        }
        return true;
    }

    std::string folder;
    Recording known;
};

TEST_F(Files, OpenShowsTheNameEnablesTheDataCommandsAndDrawsBothTraces) {
    Load("day1.mv2", ReferenceFile(known));
    EXPECT_TRUE(DataCommandsEnabled());
    ExpectKnownTraces("chart_opened");
}

TEST_F(Files, SaveAsAppendsTheExtensionAndWritesExactlyTheFileFormat) {
    Load("day1.mv2", ReferenceFile(known));
    ASSERT_NE(SaveAs(app, folder + "copy"), nullptr);
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(WindowText(app.main), FileCaption("copy.mv2"));
    // The empty memo went out as one space.
    EXPECT_EQ(ReadBytes(folder + "copy.mv2"), ReferenceFile(known));
    EXPECT_NE(ReferenceFile(known).find("\r\nWest\r\n \r\n2015\r\n"), std::string::npos);
}

TEST_F(Files, SavingOverAFileAsksFirstThenReplacesItWhole) {
    Load("day1.mv2", ReferenceFile(known));
    ASSERT_TRUE(WriteBytes(folder + "old.mv2", std::string(30000, 'x')));

    HWND dialog = SaveAs(app, folder + "old.mv2");
    ASSERT_NE(dialog, nullptr);
    HWND ask = WaitForOtherDialog(app, SaveDialogTitle, dialog);
    ASSERT_NE(ask, nullptr) << "no overwrite question";
    Click(ask, IDNO);
    Settle(app);
    EXPECT_EQ(ReadBytes(folder + "old.mv2"), std::string(30000, 'x'));
    Click(dialog, IDCANCEL);
    Settle(app);

    dialog = SaveAs(app, folder + "old.mv2");
    ask = WaitForOtherDialog(app, SaveDialogTitle, dialog);
    ASSERT_NE(ask, nullptr);
    Click(ask, IDYES);
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(ReadBytes(folder + "old.mv2"), ReferenceFile(known));
    EXPECT_EQ(WindowText(app.main), FileCaption("old.mv2"));
}

TEST_F(Files, CancellingEitherDialogChangesNothing) {
    Load("day1.mv2", ReferenceFile(known));
    for (WORD command : {WORD{IDM_OPEN}, WORD{IDM_SAVE_AS}}) {
        Choose(app, command);
        HWND dialog = WaitForDialog(app, command == IDM_OPEN ? OpenDialogTitle : SaveDialogTitle);
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDCANCEL);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
        EXPECT_EQ(WindowText(app.main), FileCaption("day1.mv2"));
    }
    ExpectKnownTraces("chart_after_cancel");
}

TEST_F(Files, AMissingFileCannotBeReadAndTheRecordingStays) {
    Load("day1.mv2", ReferenceFile(known));
    ASSERT_NE(OpenFile(app, folder + "absent.mv2"), nullptr);
    EXPECT_EQ(TakeError(app), "ファイルが読めません");
    EXPECT_EQ(WindowText(app.main), FileCaption("day1.mv2"));
    EXPECT_TRUE(DataCommandsEnabled());
    ExpectKnownTraces("chart_after_missing_file");
}

TEST_F(Files, AWrongOrShortFileIsRefusedAndTheEarlierRecordingIsStillShown) {
    Load("day1.mv2", ReferenceFile(known));
    const std::string good = ReferenceFile(known);
    const std::pair<const char*, std::string> wrong[] = {
        {"case.mv2", "marvek2" + good.substr(7)},
        {"short.mv2", good.substr(0, good.size() / 2)},
        {"empty.mv2", ""},
    };
    for (const auto& [name, bytes] : wrong) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteBytes(folder + name, bytes));
        ASSERT_NE(OpenFile(app, folder + name), nullptr);
        EXPECT_EQ(TakeError(app), "ファイルが違います");
        EXPECT_EQ(WindowText(app.main), FileCaption("day1.mv2"));
    }
    EXPECT_TRUE(DataCommandsEnabled());
    ExpectKnownTraces("chart_after_wrong_file");
}

TEST_F(Files, AFailedSaveLeavesTheOldFileAsItWas) {
    Load("day1.mv2", ReferenceFile(known));
    const std::string target = folder + "held.mv2";
    ASSERT_TRUE(WriteBytes(target, "earlier recording"));
    // Another program holds the file open.
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND dialog = SaveAs(app, target);
    ASSERT_NE(dialog, nullptr);
    if (HWND ask = WaitForOtherDialog(app, SaveDialogTitle, dialog, 2000)) Click(ask, IDYES);
    EXPECT_EQ(TakeError(app), "ファイルが作れません");
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(target), "earlier recording");
    EXPECT_EQ(WindowText(app.main), FileCaption("day1.mv2"));

    // A folder that cannot be written to.
    ASSERT_NE(SaveAs(app, "Z:\\proc\\marvek.mv2"), nullptr);
    EXPECT_EQ(TakeError(app), "ファイルが作れません");

    // Nothing was left behind beside the target.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(Files, ClearDataAfterOpenGraysTheCommandsAndDropsTheName) {
    Load("day1.mv2", ReferenceFile(known));
    Choose(app, IDM_CLEAR);
    Settle(app);
    EXPECT_EQ(WindowText(app.main), ProductCaption);
    EXPECT_FALSE(DataCommandsEnabled());
    const std::vector<std::string> faults = FrameFaults(CaptureClient(app.main));
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

} // namespace
