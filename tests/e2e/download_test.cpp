// File > Receive data against the logger simulator on a pseudo-terminal.
#include "res/resource.h"
#include "tests/e2e/chart_pixels.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/recording_files.h"
#include "view/chart_scale.h"

namespace {

// "LUX22", CR and the zero byte, as hex.
constexpr char DumpCommandHex[] = "4c555832320d00";

class Download : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder = FolderForThisTest();
        sent = KnownRecording();
        for (int i = 0; i < SampleCount; ++i) { // counts the logger can send: 0..4095
            sent.Ch1Samples[i] = 1000 + (i * 7 % 45) * 20;
            sent.Ch2Samples[i] = (i % 45) * 20;
        }
        ASSERT_TRUE(WriteBytes(folder + "sent.mv2", ReferenceFile(sent)));
    }
    void TearDown() override {
        for (Logger& l : loggers)
            StopLogger(l);
        ProgramTest::TearDown();
    }
    Logger& Start(int port, const char* fault = "none", bool flowControlLeftOn = false) {
        loggers.push_back(StartLogger(port, fault, folder + "sent.mv2", flowControlLeftOn));
        EXPECT_TRUE(loggers.back().running) << "no simulator on COM" << port;
        return loggers.back();
    }
    // A recording the user had before the download.
    void LoadEarlier() {
        earlier = KnownRecording();
        ASSERT_TRUE(LoadRecording(app, folder, "earlier.mv2", earlier));
    }
    // Chooses Receive data and follows the status label until the transfer
    // is over. Returns the port names the label showed.
    std::string Receive(DWORD ms = 20000) {
        HWND label = GetDlgItem(app.main, IDC_STATUS_LABEL);
        Choose(app, IDM_RECEIVE);
        std::string shown;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            const std::string now = HeldWindowText(label);
            if (!now.empty() && shown.find(now) == std::string::npos) shown += now;
            DWORD_PTR r;
            if (!shown.empty() && now.empty() &&
                SendMessageTimeoutA(app.main, WM_NULL, 0, 0, SMTO_NORMAL, 50, &r))
                break;
            if (WaitForDialog(app, "エラー", 0)) break;
            Sleep(10);
        }
        return shown;
    }
    void ExpectEarlierStillThere() {
        EXPECT_EQ(WindowText(app.main), FileCaption("earlier.mv2"));
        const std::vector<std::string> faults =
            TraceFaults(CaptureClient(app.main), earlier.Ch1Samples, earlier.Ch2Samples, 3);
        EXPECT_TRUE(faults.empty()) << Describe(faults);
    }

    std::string folder;
    Recording sent;
    Recording earlier;
    std::vector<Logger> loggers;
};

TEST_F(Download, AFullReplyLoadsBothChannelsAndTheStamp) {
    LoadEarlier();
    Logger& logger = Start(3);
    EXPECT_EQ(Receive(), "COM3");
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(LoggerHeard(logger), DumpCommandHex);
    EXPECT_EQ(WindowText(app.main), ProductCaption); // the file name is gone
    EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");

    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "chart_downloaded");
    const std::vector<std::string> faults = TraceFaults(c, sent.Ch1Samples, sent.Ch2Samples, 3);
    EXPECT_TRUE(faults.empty()) << Describe(faults);

    HWND d = OpenDialog(app, IDM_DATA_VIEW, "データ表示");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_YEAR), "2015");
    EXPECT_EQ(ItemText(d, IDC_MONTH), "6");
    EXPECT_EQ(ItemText(d, IDC_DAY), "2");
    EXPECT_EQ(ItemText(d, IDC_WEEKDAY), "TUE");
    EXPECT_EQ(ItemText(d, IDC_HOUR), "5");
    EXPECT_EQ(ItemText(d, IDC_MINUTE), "0");
    EXPECT_EQ(ItemText(d, IDC_CH1_LUX), std::to_string(sent.Ch1Samples[0] * 50));
    EXPECT_EQ(ItemText(d, IDC_CH2_LUX), std::to_string(sent.Ch2Samples[0] * 50));
    Click(d, IDCANCEL);
    Settle(app);

    // The texts were cleared: a save writes the placeholders.
    ASSERT_NE(SaveAs(app, folder + "received.mv2"), nullptr);
    Settle(app);
    Recording expected = sent;
    expected.RecordingTexts = {};
    EXPECT_EQ(ReadBytes(folder + "received.mv2"), ReferenceFile(expected));
}

TEST_F(Download, PortsFromTenOnAreOpenedThroughTheDeviceNamespace) {
    Start(12);
    EXPECT_EQ(Receive(), "COM12");
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    const std::vector<std::string> faults =
        TraceFaults(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

TEST_F(Download, OnlyTheFirstPortThatOpensIsTried) {
    LoadEarlier();
    Start(2, "silent");
    Logger& later = Start(5);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Receive(), "COM2");
    EXPECT_EQ(TakeError(app, 8000), "通信できません");
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 4500u);
    EXPECT_EQ(LoggerHeard(later), "") << "COM5 was used";
    EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");
    ExpectEarlierStillThere();
}

TEST_F(Download, WithNoPortAtAllNothingChanges) {
    LoadEarlier();
    Choose(app, IDM_RECEIVE);
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(MessageText(box), "ポートがオープン出来ません");
    Click(box, IDOK);
    Settle(app);
    ExpectEarlierStillThere();
}

TEST_F(Download, AReplyThatIsNotCompleteAndWellFormedIsRefused) {
    LoadEarlier();
    for (const char* fault : {"short", "no-cr", "lowercase", "non-hex"}) {
        SCOPED_TRACE(fault);
        Logger& logger = Start(4, fault);
        Receive();
        EXPECT_EQ(TakeError(app, 8000), "受信データが正しくありません");
        EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");
        ExpectEarlierStillThere();
        StopLogger(logger);
    }
}

TEST_F(Download, ALoggerThatFallsSilentMidwayIsAFailedTransfer) {
    LoadEarlier();
    Start(6, "cut-off");
    Receive();
    EXPECT_EQ(TakeError(app, 8000), "通信できません");
    ExpectEarlierStillThere();
}

TEST_F(Download, SlowAndLateLoggersStillDeliver) {
    for (const char* fault : {"slow", "delay"}) {
        SCOPED_TRACE(fault);
        Logger& logger = Start(7, fault);
        Receive(30000);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
        const std::vector<std::string> faults =
            TraceFaults(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
        EXPECT_TRUE(faults.empty()) << Describe(faults);
        StopLogger(logger);
        Choose(app, IDM_CLEAR);
        Settle(app);
    }
}

// A port left by an earlier program at 9600 with hardware and software flow
// control on ends as the logger needs it, even where the RTS toggle is refused.
TEST_F(Download, TheLineEndsAt19200With8N1AndNoFlowControlFromEitherStartingState) {
    for (bool flowControlLeftOn : {false, true}) {
        SCOPED_TRACE(flowControlLeftOn);
        Logger& logger = Start(3, "none", flowControlLeftOn);
        EXPECT_EQ(Receive(), "COM3");
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
        EXPECT_EQ(LoggerLineSettings(logger),
                  "speed=19200 data=8 parity=none stop=1 crtscts=0 ixon=0 ixoff=0\n");
        StopLogger(logger);
    }
}

TEST_F(Download, ADeviceThatNeverEndsItsReplyIsGivenUpAfterTwentySeconds) {
    LoadEarlier();
    Start(8, "trickle");
    const DWORD start = GetTickCount();
    Choose(app, IDM_RECEIVE);
    HWND box = WaitForDialog(app, "エラー", 40000);
    const DWORD took = GetTickCount() - start;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "通信できません");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_GE(took, 19500u);
    EXPECT_LE(took, 25500u);
    Click(box, IDOK);
    Settle(app);
    EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");
    ExpectEarlierStillThere();
}

TEST_F(Download, EveryDownloadIsKeptOnceInTheArchiveUnderItsStartTime) {
    const std::wstring archive = Widened(ArchiveForThisTest());
    Recording expected = sent;
    expected.RecordingTexts = {}; // a download has no texts: the file holds " "
    Logger& first = Start(3);
    for (int i = 0; i < 2; ++i) { // the same recording twice: kept once
        Receive();
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
    }
    EXPECT_EQ(WindowText(app.main), ProductCaption); // a safety copy, not the user's file
    // With no current file an export proposes the start stamp's name.
    Choose(app, IDM_EXPORT_CSV);
    HWND csv = WaitForDialog(app, "CSV形式で保存");
    ASSERT_NE(csv, nullptr);
    EXPECT_EQ(WindowTextW(GetDlgItem(csv, FileNameBox)), L"20150602_0500.csv");
    Click(csv, IDCANCEL);
    Settle(app);
    EXPECT_EQ(FolderListing(archive), std::vector<std::wstring>{L"20150602_0500.mv2"});
    EXPECT_EQ(ReadBytes(archive + L"\\20150602_0500.mv2"), ReferenceFile(expected));
    StopLogger(first);

    // Another recording with the same start goes beside it.
    sent.Ch1Samples[100] += 1;
    expected.Ch1Samples[100] += 1;
    ASSERT_TRUE(WriteBytes(folder + "sent.mv2", ReferenceFile(sent)));
    Start(4);
    Receive();
    Settle(app);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(FolderListing(archive),
              (std::vector<std::wstring>{L"20150602_0500.mv2", L"20150602_0500_2.mv2"}));
    EXPECT_EQ(ReadBytes(archive + L"\\20150602_0500_2.mv2"), ReferenceFile(expected));
}

TEST_F(Download, AnArchiveThatCannotBeMadeIsToldAfterTheRecordingIsShown) {
    StopProgram(app);
    ASSERT_TRUE(WriteBytes(folder + "plain-file", "not a folder"));
    app = StartProgram(folder + "plain-file\\archive");
    ASSERT_NE(app.main, nullptr);
    Start(5);
    Choose(app, IDM_RECEIVE);
    HWND box = WaitForDialog(app, "エラー", 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "受信データを自動保存できません");
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    // Already drawn behind the message: the first hours of both traces.
    const Capture c = CaptureClient(app.main);
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(c.at(61 + i, SampleToY(sent.Ch2Samples[i], 3)), Red) << i;
    }
    Click(box, IDOK);
    Settle(app);
    const std::vector<std::string> faults =
        TraceFaults(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
    EXPECT_TRUE(faults.empty()) << Describe(faults);
}

} // namespace
