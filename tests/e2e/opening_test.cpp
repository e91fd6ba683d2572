// Files opened from the command line or dropped on the window, as File >
// Open would open them.
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

class Opening : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
    }
    std::string folder;
};

TEST_F(Opening, APathOnTheCommandLineOpensAsFileOpenWould) {
    StopProgram(app);
    const Recording r = KnownRecording();
    ASSERT_TRUE(WriteBytes(folder + "day.mv2", ReferenceFile(r)));
    ASSERT_TRUE(WriteBytes(folder + "wrong.mv2", "not a recording"));
    const std::wstring relative = Widened(folder.substr(BuildDir().size() + 1));

    app = StartProgram("", L" \"" + relative + L"day.mv2\" ");
    ASSERT_NE(app.main, nullptr);
    EXPECT_EQ(WindowText(app.main), FileCaption("day.mv2"));
    ExpectTraces(CaptureClient(app.main), r.Ch1Samples, r.Ch2Samples, 3);

    StopProgram(app);

    const std::pair<const wchar_t*, const char*> refused[] = {
        {L"wrong.mv2", "ファイルが違います"}, {L"absent.mv2", "ファイルが読めません"}};
    for (const auto& [name, message] : refused) {
        app = StartProgram("", Widened(folder) + name);
        ASSERT_NE(app.main, nullptr);
        HWND error = WaitForDialog(app, "エラー");
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(MessageText(error), message);
        EXPECT_EQ(GetWindow(error, GW_OWNER), app.main);
        CloseBox(error);
        Settle(app);
        EXPECT_EQ(WindowText(app.main), ProductCaption);
        StopProgram(app);
    }
}

TEST_F(Opening, AFileDroppedOnTheWindowIsOpened) {
    const Recording r = KnownRecording();
    ASSERT_TRUE(WriteBytes(folder + "dropped.mv2", ReferenceFile(r)));
    DropFile(app, Widened(folder + "dropped.mv2"));
    Settle(app);
    EXPECT_EQ(WindowText(app.main), FileCaption("dropped.mv2"));
    ASSERT_TRUE(WriteBytes(folder + "wrong.mv2", "MARVEK2\r\n"));
    DropFile(app, Widened(folder + "wrong.mv2"));
    EXPECT_EQ(TakeError(app), "ファイルが違います");
    EXPECT_EQ(WindowText(app.main), FileCaption("dropped.mv2"));
}

} // namespace
