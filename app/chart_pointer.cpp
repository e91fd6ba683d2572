// The cursor and the readout. A move repaints only the two cursor columns
// and the readout, not the chart.
#include "app/chart_pointer.h"
#include "app/window_handles.h"

#include "app/command_gate.h"
#include "app/window_layout.h"
#include "core/cp932.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/chart.h"
#include "view/chart_readout.h"
#include "view/chart_scale.h"
#include "win/wide.h"

namespace {

constexpr int32_t HourOfSamples = 60;

struct Cursor {
    int32_t n = 0;       // 0: none shown
    bool byKeys = false; // stays when the mouse leaves the plot
};

Cursor Shown;
bool TrackingLeave = false;
POINT LastMouse = {-1, -1};

void InvalidateColumn(int32_t n) {
    if (n == 0) return;
    const RECT column = CursorColumn(n, MainChartFrame(MainWindow));
    InvalidateRect(MainWindow, &column, TRUE);
}

void Show(int32_t n, bool byKeys) {
    if (n != Shown.n) {
        InvalidateColumn(Shown.n);
        InvalidateColumn(n);
        const std::u16string text = Cp932ToUtf16(ReadoutText(TheRecording, n));
        SetWindowTextW(ReadoutLabel, Wide(text.c_str()));
    }
    Shown = {n, byKeys};
    if (!IsWindowVisible(ReadoutLabel)) ShowWindow(ReadoutLabel, SW_SHOWNA);
}

int32_t Clamped(int32_t n) {
    return n < 1 ? 1 : n > SampleCount ? SampleCount : n;
}

} // namespace

int32_t CursorSample() {
    return Shown.n;
}

void HideChartCursor() {
    if (Shown.n == 0) return;
    InvalidateColumn(Shown.n);
    Shown = {};
    ShowWindow(ReadoutLabel, SW_HIDE);
}

void OnChartMouseMove(HWND window, int x, int y) {
    // The system repeats the last position when windows change under a
    // resting mouse; that must not take the cursor from the keys.
    if (x == LastMouse.x && y == LastMouse.y) return;
    LastMouse = {x, y};
    if (!TrackingLeave) {
        TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, window, 0};
        TrackingLeave = TrackMouseEvent(&leave) != 0;
    }
    const int32_t n = IsLoaded(TheRecording) ? SampleAtPoint(x, y, MainChartFrame(window)) : 0;
    if (n > 0)
        Show(n, false);
    else if (!Shown.byKeys)
        HideChartCursor();
}

void OnChartMouseLeave() {
    TrackingLeave = false;
    LastMouse = {-1, -1};
    if (!Shown.byKeys) HideChartCursor();
}

void OnChartKey(WPARAM key) {
    if (!IsLoaded(TheRecording)) return;
    if (key == VK_ESCAPE) {
        HideChartCursor();
        return;
    }
    const int32_t step = GetKeyState(VK_SHIFT) < 0 ? HourOfSamples : 1;
    int32_t to = 0;
    switch (key) {
    case VK_LEFT: to = Shown.n - step; break;
    case VK_RIGHT: to = Shown.n + step; break;
    case VK_HOME: to = 1; break;
    case VK_END: to = SampleCount; break;
    default: return;
    }
    // The keyboard's cursor starts where the data view was last.
    Show(Shown.n == 0 ? DataViewPosition : Clamped(to), true);
}

bool ChartClickOpensDataView(int x, int y) {
    if (!CommandAvailable(IDM_DATA_VIEW)) return false;
    const int32_t n = SampleAtPoint(x, y, MainChartFrame(MainWindow));
    if (n == 0) return false;
    SetDataViewPosition(n);
    return true;
}

bool EnterOpensDataView() {
    if (!CommandAvailable(IDM_DATA_VIEW)) return false;
    if (Shown.n > 0) SetDataViewPosition(Shown.n);
    return true;
}
