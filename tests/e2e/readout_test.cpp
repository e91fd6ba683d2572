// Reading the chart with the real mouse and keyboard: the cursor line, the
// readout, a click into the data view, and the window as it was once nothing
// is pointed at.
#include "res/resource.h"
#include "tests/support/chart_pixels.h"
#include "tests/support/driver.h"
#include "tests/e2e/recording_files.h"

namespace {

constexpr uint32_t Grey = 0x808080;

class Readout : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        recording = KnownRecording();
        recording.StartStamp.Hour = 23; // sample 31 is taken at 24:00
        recording.StartStamp.Minute = 30;
        recording.Ch2Samples[30] = -2;
        ASSERT_TRUE(LoadRecording(app, FolderForThisTest(), "night.mv2", recording));
        Settle(app);
    }
    void TearDown() override {
        MoveMouseAway();
        ProgramTest::TearDown();
    }
    HWND Label() const { return GetDlgItem(app.main, IDC_READOUT); }
    // The readout's text once it shows `expected`, or what it shows after 2 s.
    std::string Shows(const std::string& expected) {
        for (int i = 0;
             i < 100 && !(IsWindowVisible(Label()) && HeldWindowText(Label()) == expected); ++i)
            Sleep(20);
        return IsWindowVisible(Label()) ? HeldWindowText(Label()) : "(hidden)";
    }
    // The number the readout shows once it shows sample n, or after 2 s.
    std::string Sample(int n) {
        const std::string prefix = "No." + std::to_string(n) + "  ";
        for (int i = 0; i < 100 && HeldWindowText(Label()).compare(0, prefix.size(), prefix) != 0;
             ++i)
            Sleep(20);
        const std::string text = IsWindowVisible(Label()) ? HeldWindowText(Label()) : "(hidden)";
        return text.substr(0, text.find(' '));
    }
    bool Hidden() {
        for (int i = 0; i < 100 && IsWindowVisible(Label()); ++i)
            Sleep(20);
        Settle(app);
        return !IsWindowVisible(Label());
    }
    std::string Expected(int n, const char* clock) const {
        return "No." + std::to_string(n) + "  " + clock + "  CH1 " +
               std::to_string(recording.Ch1Samples[n - 1] * 50) + " lx  CH2 " +
               std::to_string(recording.Ch2Samples[n - 1] * 50) + " lx";
    }
    Recording recording;
};

// The cursor's column: grey from y 34 to 534 wherever no trace lies on it,
// and nothing grey above or below.
::testing::AssertionResult CursorAt(const Capture& c, int x) {
    int grey = 0;
    for (int y = 34; y <= 534; ++y) {
        const uint32_t p = c.at(x, y);
        if (p == Grey)
            ++grey;
        else if (p != Blue && p != Red)
            return ::testing::AssertionFailure()
                   << "colour " << std::hex << p << " at " << std::dec << x << "," << y;
    }
    if (grey < 250) return ::testing::AssertionFailure() << "only " << grey << " grey pixels";
    if (c.at(x, 33) == Grey || c.at(x, 535) == Grey)
        return ::testing::AssertionFailure() << "grey beyond the plot";
    return ::testing::AssertionSuccess();
}

TEST_F(Readout, TheMouseShowsEachSampleAndLeavingLeavesTheWindowAsItWas) {
    const Capture before = CaptureClient(app.main);
    const struct {
        int n;
        const char* clock;
    } samples[] = {{1, "23:30"}, {31, "24:00"}, {840, "37:29"}};
    for (const auto& s : samples) {
        SCOPED_TRACE(s.n);
        MoveMouseTo(app, 60 + s.n, 300);
        EXPECT_EQ(Shows(Expected(s.n, s.clock)), Expected(s.n, s.clock));
        const Capture c = CaptureClient(app.main);
        EXPECT_TRUE(CursorAt(c, 60 + s.n));
        EXPECT_EQ(c.at(60 + s.n - 1, 300), before.at(60 + s.n - 1, 300)); // one pixel wide
    }
    SaveScreenshot(CaptureWindow(app.main), "readout");
    EXPECT_EQ(Expected(31, "24:00"), "No.31  24:00  CH1 " +
                                         std::to_string(recording.Ch1Samples[30] * 50) +
                                         " lx  CH2 -100 lx");
    // Black on white, where a label is grey by default.
    const Capture label = CaptureClient(Label());
    EXPECT_EQ(label.at(label.width - 1, label.height - 1), White);

    MoveMouseTo(app, 500, 560); // on the window, below the plot
    EXPECT_TRUE(Hidden());
    EXPECT_TRUE(CaptureClient(app.main).pixels == before.pixels);

    MoveMouseTo(app, 480, 200);
    EXPECT_EQ(Shows(Expected(420, "30:29")), Expected(420, "30:29"));
    MoveMouseAway(); // off the window: told by the mouse-leave message
    EXPECT_TRUE(Hidden());
    EXPECT_TRUE(CaptureClient(app.main).pixels == before.pixels);
}

TEST_F(Readout, AClickOpensTheDataViewAtTheSampleClicked) {
    ClickAt(app, 60 + 123, 400);
    HWND d = WaitForDialog(app, "データ表示");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "123");
    EXPECT_EQ(ItemText(d, IDC_HOUR), "25"); // 23:30 + 122 minutes
    EXPECT_EQ(ItemText(d, IDC_MINUTE), "32");
    Click(d, IDCANCEL);
    Settle(app);
}

TEST_F(Readout, TheKeysMoveTheCursorFromWhereTheDataViewWasLast) {
    const struct {
        WORD key;
        bool shift;
        int n;
    } presses[] = {
        {VK_RIGHT, false, 1}, // the first press only shows it, at the data view's 1
        {VK_RIGHT, false, 2},   {VK_RIGHT, true, 62}, {VK_LEFT, false, 61}, {VK_END, false, 840},
        {VK_RIGHT, false, 840}, {VK_HOME, false, 1},  {VK_LEFT, true, 1},   {VK_RIGHT, true, 61},
    };
    for (const auto& p : presses) {
        PressKey(app, p.key, p.shift);
        EXPECT_EQ(Sample(p.n), "No." + std::to_string(p.n)) << p.key << " to " << p.n;
    }
    EXPECT_TRUE(CursorAt(CaptureClient(app.main), 60 + 61));

    // A cursor the keys placed stays while the mouse moves off the plot.
    MoveMouseTo(app, 500, 560);
    MoveMouseAway();
    Sleep(1200);
    EXPECT_TRUE(IsWindowVisible(Label()));

    PressKey(app, VK_RETURN); // the data view at the cursor
    HWND d = WaitForDialog(app, "データ表示");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "61");
    Click(d, IDCANCEL);
    Settle(app);

    PressKey(app, VK_ESCAPE);
    EXPECT_TRUE(Hidden());
    PressKey(app, VK_RETURN); // no cursor: at the data view's position, and none after
    d = WaitForDialog(app, "データ表示");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, IDC_POSITION), "61");
    Click(d, IDCANCEL);
    Settle(app);
    EXPECT_FALSE(IsWindowVisible(Label()));
    PressKey(app, VK_LEFT);
    EXPECT_EQ(Sample(61), "No.61");

    // A new recording hides it.
    Choose(app, IDM_CLEAR);
    EXPECT_TRUE(Hidden());
    PressKey(app, VK_RIGHT); // and without a recording the keys do nothing
    ClickAt(app, 300, 300);
    EXPECT_TRUE(NoDialog(app, "データ表示"));
    EXPECT_FALSE(IsWindowVisible(Label()));
}

} // namespace
