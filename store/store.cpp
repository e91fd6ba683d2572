// The store's data, the shared handles and the one place that changes them.
#include "store/store.h"

#include "core/file_name.h"
#include "core/text.h"
#include "win/settings.h"
#include "win/wide.h"

namespace {

Recording Current;
int32_t CurrentRange = InitialDisplayRange;
int32_t CurrentPosition = 1;
int CurrentDpi = 96;
std::string CurrentThresholdText = NumberText(DefaultThresholdLux);
bool LineShown = false;

constexpr wchar_t ThresholdValue[] = L"Threshold";
constexpr wchar_t ThresholdLineValue[] = L"ThresholdLine";
std::u16string CurrentPath;
void (*Follower)() = nullptr;

void TellFollower() {
    if (Follower) Follower();
}

void ShowCaption() {
    const std::u16string caption =
        CurrentPath.empty() ? ProductTitle : FileCaption(ProductTitle, SplitPath(CurrentPath).name);
    SetWindowTextW(MainWindow, Wide(caption.c_str()));
}

void Repaint() {
    InvalidateRect(MainWindow, nullptr, TRUE);
}

} // namespace

const Recording& TheRecording = Current;
const int32_t& DisplayRange = CurrentRange;
const int32_t& DataViewPosition = CurrentPosition;
const int& MainWindowDpi = CurrentDpi;

HINSTANCE Instance;
HWND MainWindow;
HWND StatusLabel;
HWND ProgressBar;
HWND ReadoutLabel;

const std::u16string& CurrentFile() {
    return CurrentPath;
}

void FollowRecordingChanges(void (*follower)()) {
    Follower = follower;
}

void ReplaceRecording(const Recording& r, const char16_t* path) {
    Current = r;
    Current.DataLoaded = 1;
    CurrentPath = path ? path : u"";
    ShowCaption();
    TellFollower();
    Repaint();
}

int ClearRecording(HWND) {
    EmptyRecording(Current);
    CurrentPath.clear();
    ShowCaption();
    TellFollower();
    Repaint();
    return 0;
}

void SetDisplayRange(int32_t range) {
    CurrentRange = range;
    Repaint();
}

void SetTexts(const TextFields& texts) {
    Current.RecordingTexts = texts;
}

void SetCurrentFile(const char16_t* path) {
    CurrentPath = path;
    ShowCaption();
}

void SetDataViewPosition(int32_t n) {
    if (n >= 1 && n <= SampleCount) CurrentPosition = n;
}

void SetMainWindowDpi(int dpi) {
    CurrentDpi = dpi;
}

const std::string& ThresholdText() {
    return CurrentThresholdText;
}

Threshold CurrentThreshold() {
    Threshold t;
    ThresholdOfText(CurrentThresholdText, t);
    return t;
}

void SetThresholdText(const std::string& digits) {
    Threshold ignored;
    if (digits == CurrentThresholdText || !ThresholdOfText(digits, ignored)) return;
    CurrentThresholdText = digits;
    WriteSettingText(ThresholdValue, AsciiToUtf16(digits));
    Repaint();
}

bool ThresholdLineShown() {
    return LineShown;
}

void ShowThresholdLine(bool shown) {
    LineShown = shown;
    WriteSettingNumber(ThresholdLineValue, shown ? 1 : 0);
    Repaint();
}

void RestoreThresholdSettings() {
    std::u16string stored;
    Threshold ignored;
    if (ReadSettingText(ThresholdValue, stored)) {
        std::string text;
        if (Utf16ToAscii(stored, text) && ThresholdOfText(text, ignored))
            CurrentThresholdText = text;
    }
    uint32_t line = 0;
    if (ReadSettingNumber(ThresholdLineValue, line) && line <= 1) LineShown = line == 1;
}
