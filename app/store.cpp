// The shared handles and ClearRecording.
#include "app/shell.h"

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
