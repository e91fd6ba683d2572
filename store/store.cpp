// The store's data, the shared handles and the one place that changes them.
#include "store/store.h"

#include "core/text.h"

namespace {

Recording Current;
int32_t CurrentRange = InitialDisplayRange;

constexpr int CaptionBufferSize = 260;

void ShowCaption(const char* fileName) {
    if (!fileName) {
        SetWindowTextA(MainWindow, ProductTitle);
        return;
    }
    char caption[CaptionBufferSize];
    FormatFileCaption(caption, sizeof caption, ProductTitle, fileName);
    SetWindowTextA(MainWindow, caption);
}

void Repaint() {
    InvalidateRect(MainWindow, nullptr, TRUE);
}

} // namespace

const Recording& TheRecording = Current;
const int32_t& DisplayRange = CurrentRange;
int32_t DataViewPosition = 1;

HINSTANCE Instance;
HWND MainWindow;
HWND StatusLabel;

void ReplaceRecording(const Recording& r, const char* fileName) {
    Current = r;
    Current.DataLoaded = 1;
    ShowCaption(fileName);
    Repaint();
}

int ClearRecording(HWND) {
    EmptyRecording(Current);
    ShowCaption(nullptr);
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

void ShowSavedFile(const char* fileName) {
    ShowCaption(fileName);
}
