// Places and fonts of the main window's children.
#include "app/window_layout.h"

#include <commctrl.h>

#include <initializer_list>

#include "app/chart_pointer.h"
#include "app/window_handles.h"
#include "res/resource.h"
#include "view/dpi_scale.h"
#include "win/owned_handle.h"
#include "win/scoped_gdi.h"

namespace {

// The labels' font, made for the window's DPI; replaced when that changes.
OwnedFont LabelFont;

struct ChildPlace {
    HWND child;
    RECT at; // left, top, width, height at 96 DPI
};

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

// The system's message font at the given DPI: the metrics are the system
// DPI's, as the system gives them to a program that is aware of DPIs.
HFONT CreateLabelFont(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND CreateChild(HWND window, const wchar_t* cls, DWORD style, int id) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance, nullptr);
}

} // namespace

ChartFrame MainChartFrame(HWND window) {
    const int dpi = MainWindowDpi;
    RECT outer = {};
    GetWindowRect(window, &outer);
    const int wider = outer.right - outer.left - S(MainWidth, dpi);
    const int taller = outer.bottom - outer.top - S(MainHeight, dpi);
    ChartFrame frame = NaturalFrame(dpi);
    if (wider > 0) frame.width += wider;
    if (taller > 0) frame.height += taller;
    return frame;
}

void CreateChildren(HWND window) {
    HWND status = CreateChild(window, L"STATIC", WS_VISIBLE, IDC_STATUS_LABEL);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND progress = CreateChild(window, PROGRESS_CLASSW, 0, IDC_PROGRESS_BAR);
    HWND readout = CreateChild(window, L"STATIC", SS_LEFT, IDC_READOUT);
    SetMainChildren(status, progress, readout);
    LayOutChildren(MainWindowDpi);
}

void LayOutChildren(int dpi) {
    const ChildPlace places[] = {{StatusLabel, {6, 6, 80, 20}},
                                 {ProgressBar, {90, 9, 160, 14}},
                                 {ReadoutLabel, {430, 6, 470, 20}}};
    for (const ChildPlace& p : places)
        MoveWindow(p.child, S(p.at.left, dpi), S(p.at.top, dpi), S(p.at.right, dpi),
                   S(p.at.bottom, dpi), TRUE);
    // The labels take the new font before the old one goes.
    const OwnedFont previous(LabelFont.release());
    LabelFont.reset(CreateLabelFont(dpi));
    for (HWND label : {StatusLabel, ReadoutLabel})
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont.get()), TRUE);
}

void ReleaseChildFont() {
    LabelFont.reset();
}
