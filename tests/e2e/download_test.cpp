// File > Receive data against the logger simulator on a pseudo-terminal.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <deque>

#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/support/wait.h"
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
    // is over. Returns the port names the label showed, in order, each once.
    std::vector<std::string> Receive(DWORD ms = 20000) {
        HWND label = GetDlgItem(app.main, IDC_STATUS_LABEL);
        Choose(app, IDM_RECEIVE);
        std::vector<std::string> shown;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            const std::string now = HeldWindowText(label);
            if (!now.empty() && (shown.empty() || shown.back() != now)) shown.push_back(now);
            if (!shown.empty() && now.empty() && !IsWindowVisible(Bar())) break;
            if (WaitForDialog(app, "エラー", 0)) break;
            Sleep(5);
        }
        Settle(app);
        return shown;
    }
    HWND Bar() const { return GetDlgItem(app.main, IDC_PROGRESS_BAR); }
    // Waits until the label names `port` and, when `bytes`, some bytes came.
    bool Trying(const char* port, bool bytes = false, DWORD ms = 10000) {
        return WaitUntil(ms, [&] {
            DWORD_PTR position = 0;
            SendMessageTimeoutA(Bar(), PBM_GETPOS, 0, 0, SMTO_NORMAL, 500, &position);
            return HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)) == port &&
                   (!bytes || position > 0);
        });
    }
    // Starts a download and, once it runs, asks to exit.
    HWND ExitQuestionWhileSearching() {
        Choose(app, IDM_RECEIVE);
        if (!WaitUntil(5000, [&] { return IsWindowVisible(Bar()) != FALSE; })) return nullptr;
        Choose(app, IDM_EXIT);
        return WaitForDialog(app, "終了確認");
    }
    // The label empty and the bar hidden: nothing of a download shows.
    void ExpectIdle() {
        EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");
        EXPECT_FALSE(IsWindowVisible(Bar()));
        const MenuSnapshot menu = ReadMenu(app);
        ASSERT_NE(menu.find(IDM_RECEIVE), nullptr);
        EXPECT_EQ(menu.find(IDM_RECEIVE)->text, "データ受信");
    }
    void ExpectEarlierStillThere() {
        EXPECT_EQ(WindowText(app.main), FileCaption("earlier.mv2"));
        ExpectTraces(CaptureClient(app.main), earlier.Ch1Samples, earlier.Ch2Samples, 3);
    }

    std::string folder;
    Recording sent;
    Recording earlier;
    std::deque<Logger> loggers; // references stay valid as loggers are added
};

TEST_F(Download, AFullReplyLoadsBothChannelsAndTheStamp) {
    LoadEarlier();
    Logger& logger = Start(3);
    EXPECT_EQ(Receive().back(), "COM3");
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(LoggerHeard(logger), DumpCommandHex);
    EXPECT_EQ(WindowText(app.main), ProductCaption); // the file name is gone
    ExpectIdle();

    const Capture c = CaptureClient(app.main);
    SaveScreenshot(c, "chart_downloaded");
    ExpectTraces(c, sent.Ch1Samples, sent.Ch2Samples, 3);

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

// Ports that do not open, a silent device and one that talks but is no
// logger are passed over; the logger on a port only the system's list names
// is found, remembered, and asked first after a restart.
TEST_F(Download, TheSearchFindsTheLoggerBehindOtherDevicesAndAsksItFirstNextTime) {
    LoadEarlier();
    Start(2, "silent");
    Logger& gps = Start(5, "text");
    Start(17);
    // Every port at once: the silent one costs nothing, and the label names
    // only the port whose reply is ahead, once bytes came.
    DWORD start = GetTickCount();
    EXPECT_EQ(Receive(30000), std::vector<std::string>{"COM17"});
    EXPECT_LT(GetTickCount() - start, 4500u) << "the silent port was waited for";
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(LoggerHeard(gps), DumpCommandHex);
    EXPECT_EQ(WindowText(app.main), ProductCaption);
    ExpectTraces(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
    EXPECT_EQ(SettingText("LastPort"), "COM17");
    EXPECT_EQ(SettingText("Port"), "");

    StopProgram(app);
    app = StartProgram();
    ASSERT_NE(app.main, nullptr);
    start = GetTickCount();
    EXPECT_EQ(Receive(), std::vector<std::string>{"COM17"});
    EXPECT_LT(GetTickCount() - start, 4500u);
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(SettingText("LastPort"), "COM17");
}

TEST_F(Download, OnlySilentPortsEndInOneMessageAfterAnOpenExitQuestionIsAnsweredNo) {
    LoadEarlier();
    Start(2, "silent");
    Start(9, "silent");
    // The window answers throughout; the exit question can be asked. The
    // label stays empty: no port has a byte.
    const DWORD start = GetTickCount();
    HWND question = ExitQuestionWhileSearching();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(HeldWindowText(GetDlgItem(app.main, IDC_STATUS_LABEL)), "");
    // Both silences pass at once while it is open (5 s, not 5 s a port); the
    // result waits behind it.
    EXPECT_TRUE(WaitUntil(15000, [&] { return !IsWindowVisible(Bar()); }));
    EXPECT_GE(GetTickCount() - start, 4500u);
    EXPECT_LT(GetTickCount() - start, 7500u);
    EXPECT_TRUE(NoDialog(app, "エラー", 300));
    Click(question, IDNO);
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "通信できません");
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    CloseBox(box);
    Settle(app);
    ExpectIdle();
    ExpectEarlierStillThere();
    EXPECT_EQ(SettingText("LastPort"), "");
}

TEST_F(Download, WithNoPortAtAllNothingChanges) {
    LoadEarlier();
    Choose(app, IDM_RECEIVE);
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    EXPECT_EQ(MessageText(box), "ポートがオープン出来ません");
    CloseBox(box);
    Settle(app);
    ExpectIdle();
    ExpectEarlierStillThere();
}

TEST_F(Download, WhileItRunsOnlyStoppingAndExitAreOffered) {
    LoadEarlier();
    Start(3, "slow");
    Choose(app, IDM_RECEIVE);
    ASSERT_TRUE(Trying("COM3", true));
    EXPECT_TRUE(IsWindowVisible(Bar()));
    EXPECT_EQ(ChildPlace(Bar()), Placed(90, 9, 160, 14));
    SaveScreenshot(CaptureWindow(app.main), "download_running");

    const MenuSnapshot menu = ReadMenu(app);
    for (const MenuItem& item : menu.items) {
        if (item.popup >= 4 || item.state & MF_SEPARATOR) continue;
        SCOPED_TRACE(item.text);
        const bool offered = item.id == IDM_RECEIVE || item.id == IDM_EXIT;
        EXPECT_EQ((item.state & MF_GRAYED) == 0, offered);
    }
    EXPECT_EQ(menu.find(IDM_RECEIVE)->text, "受信を中止");

    // A second download cannot start, and a dropped file is ignored.
    ASSERT_TRUE(WriteBytes(folder + "dropped.mv2", ReferenceFile(sent)));
    DropFile(app, Widened(folder + "dropped.mv2"));
    Choose(app, IDM_OPEN);
    EXPECT_TRUE(NoDialog(app, OpenDialogTitle));
    PressCtrlKey(app, 'O');
    EXPECT_TRUE(NoDialog(app, OpenDialogTitle));
    // The chart's cursor works on the recording shown; a click opens nothing.
    ClickAt(app, 300, 300);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(app.main, IDC_READOUT)));
    EXPECT_TRUE(NoDialog(app, "データ表示"));
    EXPECT_EQ(WindowText(app.main), FileCaption("earlier.mv2"));
    Choose(app, IDM_RECEIVE); // stops it
    Settle(app);
}

// Files a second copy handed over just as a download started are never
// lost: they wait for its end and its message, then open in the order they
// were taken, a file that cannot be read with File > Open's message.
TEST_F(Download, FilesHandedOverAsADownloadStartsOpenAfterItHasEnded) {
    LoadEarlier();
    ASSERT_TRUE(WriteBytes(folder + "wrong.mv2", "not a recording"));
    ASSERT_TRUE(WriteBytes(folder + "handed.mv2", ReferenceFile(sent)));
    const std::wstring wrong = Widened(folder + "wrong.mv2");
    const std::wstring handed = Widened(folder + "handed.mv2");

    // No logger on any port: the download ends with its message.
    EXPECT_EQ(HandOverAfter(app, IDM_RECEIVE, {wrong, handed}), (std::vector<int>{1, 1}));
    HWND box = WaitForDialog(app, "エラー");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), "ポートがオープン出来ません");
    EXPECT_EQ(HeldWindowText(app.main), FileCaption("earlier.mv2"));
    CloseBox(box);
    EXPECT_EQ(TakeError(app), "ファイルが違います");
    EXPECT_EQ(WindowText(app.main), FileCaption("handed.mv2"));

    // A download that succeeds: its recording is kept, then the file shows.
    Start(3);
    EXPECT_EQ(HandOverAfter(app, IDM_RECEIVE, {Widened(folder + "earlier.mv2")}),
              std::vector<int>{1});
    EXPECT_TRUE(Trying("COM3"));
    WaitUntil(15000, [&] { return !IsWindowVisible(Bar()); });
    Settle(app);
    EXPECT_EQ(FolderListing(Widened(ArchiveForThisTest())).size(), 1u);
    EXPECT_EQ(WindowText(app.main), FileCaption("earlier.mv2"));
    EXPECT_EQ(TakeError(app, 300), "");
}

TEST_F(Download, StoppingByTheItemOrByEscKeepsThePreviousRecordingAndTellsNothing) {
    LoadEarlier();
    Start(3, "slow");
    for (bool byEsc : {false, true}) {
        SCOPED_TRACE(byEsc);
        Choose(app, IDM_RECEIVE);
        ASSERT_TRUE(Trying("COM3", true));
        const DWORD start = GetTickCount();
        if (byEsc)
            PostMessageA(app.main, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            Choose(app, IDM_RECEIVE);
        WaitUntil(1000, [&] { return !IsWindowVisible(Bar()); });
        EXPECT_LT(GetTickCount() - start, 1000u);
        ExpectIdle();
        EXPECT_TRUE(NoDialog(app, "エラー", 3000)); // the rest of the reply changes nothing
        ExpectEarlierStillThere();
        EXPECT_EQ(FolderListing(Widened(ArchiveForThisTest())), std::vector<std::wstring>{});
        EXPECT_EQ(SettingText("LastPort"), "");
    }
}

TEST_F(Download, ExitDuringADownloadEndsTheProgramWithinTwoSeconds) {
    Start(2, "silent");
    HWND question = ExitQuestionWhileSearching();
    ASSERT_NE(question, nullptr);
    const DWORD start = GetTickCount();
    Click(question, IDYES);
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(app, 2000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

// The one port the user chose is the only one asked, with the messages of a
// single port; back on automatic the search finds the logger again.
TEST_F(Download, AChosenPortIsTheOnlyOneAskedUntilAutomaticIsChosenAgain) {
    LoadEarlier();
    Logger& logger = Start(3);
    Start(6, "cut-off");
    SetSettingText("Port", "COM40"); // chosen once, now gone
    MenuSnapshot menu = ReadMenu(app);
    ASSERT_NE(menu.find(IDM_PORT_FIRST + 40), nullptr) << "a chosen port no longer listed is shown";
    EXPECT_TRUE(menu.find(IDM_PORT_FIRST + 40)->state & MF_CHECKED);
    EXPECT_EQ(menu.find(IDM_PORT_FIRST + 40)->text, "COM40");

    Choose(app, IDM_PORT_FIRST + 6);
    Settle(app);
    EXPECT_EQ(SettingText("Port"), "COM6");
    menu = ReadMenu(app);
    EXPECT_TRUE(menu.find(IDM_PORT_FIRST + 6)->state & MF_CHECKED);
    EXPECT_FALSE(menu.find(IDM_PORT_AUTO)->state & MF_CHECKED);
    EXPECT_EQ(menu.find(IDM_PORT_FIRST + 40), nullptr);
    EXPECT_EQ(Receive(), std::vector<std::string>{"COM6"});
    EXPECT_EQ(TakeError(app, 8000), "通信できません"); // a single port's message
    EXPECT_EQ(LoggerHeard(logger), "");
    ExpectEarlierStillThere();

    Choose(app, IDM_PORT_AUTO);
    Settle(app);
    EXPECT_EQ(SettingText("Port"), "");
    EXPECT_TRUE(ReadMenu(app).find(IDM_PORT_AUTO)->state & MF_CHECKED);
    EXPECT_EQ(Receive().back(), "COM3");
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(SettingText("LastPort"), "COM3");
}

TEST_F(Download, AReplyThatIsNotCompleteAndWellFormedIsRefused) {
    LoadEarlier();
    for (const char* fault : {"short", "no-cr", "lowercase", "non-hex", "cut-off"}) {
        SCOPED_TRACE(fault);
        Logger& logger = Start(4, fault);
        Receive();
        EXPECT_EQ(TakeError(app, 8000), "受信データが正しくありません");
        ExpectIdle();
        ExpectEarlierStillThere();
        StopLogger(logger);
    }
}

// Two loggers: the first complete reply is taken (here the earlier port's,
// as the other begins late), the other port let go.
TEST_F(Download, OfTwoLoggersTheFirstCompleteReplyIsTaken) {
    LoadEarlier();
    Start(4);
    Start(9, "delay");
    EXPECT_EQ(Receive(30000).back(), "COM4");
    EXPECT_EQ(TakeError(app, 300), "");
    EXPECT_EQ(SettingText("LastPort"), "COM4");
    ExpectTraces(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
}

// The console tool runs the same search over the system's ports.
TEST_F(Download, TheConsoleToolFindsTheLoggerToo) {
    Start(2, "silent");
    Start(17);
    std::string out, err;
    EXPECT_EQ(RunTool(L"ports", &out), 0u);
    EXPECT_NE(out.find("COM17\t\n"), std::string::npos) << out;
    EXPECT_EQ(RunTool(L"download auto \"" + Widened(folder) + L"auto.mv2\"", nullptr, &err), 0u);
    EXPECT_EQ(err, "mv2tool: COM17: "
                   "\xE5\x8F\x97\xE4\xBF\xA1\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F\n");
    Recording expected = sent;
    expected.RecordingTexts = {};
    EXPECT_EQ(ReadBytes(folder + "auto.mv2"), ReferenceFile(expected));
}

TEST_F(Download, SlowAndLateLoggersStillDeliver) {
    for (const char* fault : {"slow", "delay"}) {
        SCOPED_TRACE(fault);
        Logger& logger = Start(7, fault);
        Receive(30000);
        Settle(app);
        EXPECT_EQ(TakeError(app, 300), "");
        ExpectTraces(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
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
        EXPECT_EQ(Receive().back(), "COM3");
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
    // Bytes came, so the search ends with the reply's message.
    EXPECT_EQ(MessageText(box), "受信データが正しくありません");
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.main);
    EXPECT_GE(took, 19500u);
    EXPECT_LE(took, 25500u);
    CloseBox(box);
    Settle(app);
    ExpectIdle();
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
    CloseBox(box);
    Settle(app);
    ExpectTraces(CaptureClient(app.main), sent.Ch1Samples, sent.Ch2Samples, 3);
}

} // namespace
