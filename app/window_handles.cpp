#include "app/window_handles.h"

namespace {

HINSTANCE TheInstance;
HWND TheMainWindow;
HWND TheStatusLabel;
HWND TheProgressBar;
HWND TheReadoutLabel;
int TheDpi = 96;

} // namespace

const HINSTANCE& Instance = TheInstance;
const HWND& MainWindow = TheMainWindow;
const HWND& StatusLabel = TheStatusLabel;
const HWND& ProgressBar = TheProgressBar;
const HWND& ReadoutLabel = TheReadoutLabel;
const int& MainWindowDpi = TheDpi;

void SetInstance(HINSTANCE instance) {
    TheInstance = instance;
}

void SetMainWindow(HWND window) {
    TheMainWindow = window;
}

void SetMainChildren(HWND status, HWND progress, HWND readout) {
    TheStatusLabel = status;
    TheProgressBar = progress;
    TheReadoutLabel = readout;
}

void SetMainWindowDpi(int dpi) {
    TheDpi = dpi;
}
