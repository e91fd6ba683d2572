// The store's data and the one place that changes it.
#include "store/store.h"

#include "core/text.h"
#include "win/settings.h"

namespace {

Recording Shown;
int32_t ShownRange = InitialDisplayRange;
int32_t ShownPosition = 1;
std::string ShownThresholdText = NumberText(DefaultThresholdLux);
bool LineShown = false;
std::u16string ShownPath;

constexpr wchar_t ThresholdValue[] = L"Threshold";
constexpr wchar_t ThresholdLineValue[] = L"ThresholdLine";
void (*Follower)(StoreChange) = nullptr;

void Tell(StoreChange change) {
    if (Follower) Follower(change);
}

} // namespace

const Recording& TheRecording = Shown;
const int32_t& DisplayRange = ShownRange;
const int32_t& DataViewPosition = ShownPosition;

const std::u16string& CurrentFile() {
    return ShownPath;
}

void FollowStoreChanges(void (*follower)(StoreChange)) {
    Follower = follower;
}

void ReplaceRecording(const Recording& r, const char16_t* path) {
    Shown = r;
    Shown.DataLoaded = 1;
    ShownPath = path ? path : u"";
    Tell(StoreChange::Recording);
}

int ClearRecording(HWND) {
    EmptyRecording(Shown);
    ShownPath.clear();
    Tell(StoreChange::Recording);
    return 0;
}

void SetDisplayRange(int32_t range) {
    ShownRange = range;
    Tell(StoreChange::Chart);
}

void SetTexts(const TextFields& texts) {
    Shown.RecordingTexts = texts;
}

void SetCurrentFile(const char16_t* path) {
    ShownPath = path;
    Tell(StoreChange::File);
}

void SetDataViewPosition(int32_t n) {
    if (n >= 1 && n <= SampleCount) ShownPosition = n;
}

const std::string& ThresholdText() {
    return ShownThresholdText;
}

Threshold CurrentThreshold() {
    Threshold t;
    ThresholdOfText(ShownThresholdText, t);
    return t;
}

void SetThresholdText(const std::string& digits) {
    Threshold ignored;
    if (digits == ShownThresholdText || !ThresholdOfText(digits, ignored)) return;
    ShownThresholdText = digits;
    WriteSettingText(ThresholdValue, AsciiToUtf16(digits));
    Tell(StoreChange::Chart);
}

bool ThresholdLineShown() {
    return LineShown;
}

void ShowThresholdLine(bool shown) {
    LineShown = shown;
    WriteSettingNumber(ThresholdLineValue, shown ? 1 : 0);
    Tell(StoreChange::Chart);
}

void RestoreThresholdSettings() {
    std::u16string stored;
    Threshold ignored;
    if (ReadSettingText(ThresholdValue, stored)) {
        std::string text;
        if (Utf16ToAscii(stored, text) && ThresholdOfText(text, ignored)) ShownThresholdText = text;
    }
    uint32_t line = 0;
    if (ReadSettingNumber(ThresholdLineValue, line) && line <= 1) LineShown = line == 1;
}
