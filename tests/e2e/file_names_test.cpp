// Save As and Open with every name Windows allows: Japanese names whose code
// page 932 bytes hold a backslash, names outside code page 932, a folder of
// 249 characters, and a read-only target.
#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

const std::wstring ProductCaptionW = L"MARVEK Ⅱ";

class FileNames : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
        known = KnownRecording();
        ASSERT_TRUE(LoadRecording(app, folder, "day1.mv2", known));
    }
    // Saves under `path` (typed without extension) and expects no message.
    void SaveUnder(const std::wstring& path) {
        ASSERT_NE(SaveAs(app, path), nullptr);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
    }
    void OpenNamed(const std::wstring& path) {
        ASSERT_NE(OpenFile(app, path), nullptr);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
    }
    std::string folder;
    Recording known;
};

TEST_F(FileNames, JapaneseAndUnicodeNamesSaveReopenAndShowExactlyInTheCaption) {
    const std::wstring wideFolder = Widened(folder);
    for (const std::wstring name : {L"ソーラー", L"表示", L"café", L"𠮷野", L"Ünïcödé"}) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        SaveUnder(wideFolder + name);
        EXPECT_EQ(WindowTextW(app.main), ProductCaptionW + L" [ " + name + L".mv2 ]");
        EXPECT_EQ(ReadBytes(wideFolder + name + L".mv2"), ReferenceFile(known));
        Choose(app, IDM_CLEAR);
        OpenNamed(wideFolder + name + L".mv2");
        EXPECT_EQ(WindowTextW(app.main), ProductCaptionW + L" [ " + name + L".mv2 ]");
    }
    ExpectTraces(CaptureClient(app.main), known.Ch1Samples, known.Ch2Samples, 3);
    // Exactly the files saved: none under a changed name, no temporary file.
    const std::vector<std::wstring> saved = {L"café.mv2",     L"day1.mv2", L"Ünïcödé.mv2",
                                             L"ソーラー.mv2", L"表示.mv2", L"𠮷野.mv2"};
    EXPECT_EQ(FolderListing(wideFolder.substr(0, wideFolder.size() - 1)), saved);
}

TEST_F(FileNames, AFolderOf249CharactersTakesSavesAndOpens) {
    std::wstring deep = Widened(folder.substr(0, folder.size() - 1));
    const std::wstring extended = L"\\\\?\\";
    while (deep.size() < 249) {
        deep += L"\\" + std::wstring(std::min<size_t>(40, 249 - deep.size() - 1), L'd');
        CreateDirectoryW((extended + deep).c_str(), nullptr);
    }
    ASSERT_EQ(deep.size(), 249u);
    DeleteFileW((extended + deep + L"\\日照.mv2").c_str()); // from an earlier run
    SaveUnder(deep + L"\\日照");
    EXPECT_EQ(WindowTextW(app.main), ProductCaptionW + L" [ 日照.mv2 ]");
    EXPECT_EQ(ReadBytes(extended + deep + L"\\日照.mv2"), ReferenceFile(known));
    EXPECT_EQ(FolderListing(extended + deep), std::vector<std::wstring>{L"日照.mv2"});
    Choose(app, IDM_CLEAR);
    OpenNamed(deep + L"\\日照.mv2");
    EXPECT_EQ(WindowTextW(app.main), ProductCaptionW + L" [ 日照.mv2 ]");
}

TEST_F(FileNames, AReadOnlyTargetIsRefusedBeforeAnythingIsWritten) {
    const std::wstring wideFolder = Widened(folder);
    const std::wstring target = wideFolder + L"保存済.mv2";
    ASSERT_TRUE(WriteBytes(folder + "保存済.mv2", "earlier recording"));
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::wstring> before =
        FolderListing(wideFolder.substr(0, wideFolder.size() - 1));

    HWND dialog = SaveAs(app, target);
    ASSERT_NE(dialog, nullptr);
    if (HWND ask = WaitForOtherDialog(app, SaveDialogTitle, dialog, 2000)) Click(ask, IDYES);
    EXPECT_EQ(TakeError(app), "ファイルが作れません");
    EXPECT_EQ(ReadBytes(target), "earlier recording");
    EXPECT_EQ(FolderListing(wideFolder.substr(0, wideFolder.size() - 1)), before);
    EXPECT_EQ(WindowText(app.main), FileCaption("day1.mv2"));
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
