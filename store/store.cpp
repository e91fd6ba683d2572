// The store's data, the shared handles and ClearRecording.
#include "store/store.h"

Recording TheRecording;
int32_t DisplayRange = InitialDisplayRange;
int32_t DataViewPosition = 1;

HINSTANCE Instance;
HWND MainWindow;
HWND StatusLabel;
char CaptionBuffer[CaptionBufferSize];

int ClearRecording(HWND window) {
    EmptyRecording(TheRecording);
    SetWindowTextA(window, ProductTitle);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}
