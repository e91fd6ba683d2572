// The main window procedure: one small handler per message, and the command
// table that turns each menu id into one operation or one modal dialog.
#include "app/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>

#include "app/chart_pointer.h"
#include "app/port_menu.h"
#include "app/single_instance.h"
#include "app/window_layout.h"
#include "core/messages.h"
#include "files/archive.h"
#include "files/export_commands.h"
#include "files/file_commands.h"
#include "files/recording_list.h"
#include "logger/serial_download.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/chart.h"
#include "view/dialogs.h"
#include "win/dpi.h"
#include "win/wide.h"
#include "win/window_messages.h"

namespace {

// The items that need a loaded recording, in the order they are set.
constexpr UINT DataCommands[] = {IDM_SAVE_AS,      IDM_DATA_VIEW,  IDM_TEXT_INPUT,
                                 IDM_MAXIMUM,      IDM_CLEAR,      IDM_EXPORT_CSV,
                                 IDM_EXPORT_IMAGE, IDM_COPY_CHART, IDM_STATISTICS};
// What a download grays besides: everything but stopping it and Exit.
constexpr UINT IdleCommands[] = {IDM_OPEN, IDM_DISPLAY_RANGE, IDM_RECORDING_LIST};

constexpr wchar_t ReceiveText[] = L"データ受信";
constexpr wchar_t StopReceivingText[] = L"受信を中止";

// While the exit question is open a download may end: its message waits
// until the question is answered No.
bool ExitQuestionOpen = false;
const char16_t* DeferredMessage = nullptr;

// The last item of Settings.
HMENU PortSubmenu(HMENU settings) {
    return GetSubMenu(settings, GetMenuItemCount(settings) - 1);
}

HMENU SettingsPopup(HWND window) {
    return GetSubMenu(GetMenu(window), 1);
}

void OnCreate(HWND window) {
    MainWindowDpi = WindowDpi(window);
    CreateChildren(window);
    FollowRecordingChanges(HideChartCursor);
    DragAcceptFiles(window, TRUE);
    FillPortMenu(PortSubmenu(SettingsPopup(window)));
}

// Moved to a screen of another DPI, or the scaling changed: the suggested
// place, the children and their font for the new DPI, and a new paint.
void OnDpiChanged(HWND window, WPARAM dpis, const RECT* suggested) {
    MainWindowDpi = LOWORD(dpis);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildren(MainWindowDpi);
    InvalidateRect(window, nullptr, TRUE);
}

void OnDestroy() {
    StopDownload();
    ReleaseChildFont();
    PostQuitMessage(0);
}

// The first file dropped on the window is opened as File > Open would; not
// while a download runs.
void OnDropFiles(HWND window, HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::u16string path(length + 1, u'\0');
    const UINT got = DragQueryFileW(drop, 0, reinterpret_cast<wchar_t*>(&path[0]), length + 1);
    DragFinish(drop);
    path.resize(got);
    if (!path.empty() && !DownloadRunning()) OpenRecordingFile(window, path);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintChart(dc, TheRecording, DisplayRange, MainWindowDpi, CursorSample());
    EndPaint(window, &ps);
}

void ShowOrDefer(HWND window, const char16_t* message) {
    if (ExitQuestionOpen)
        DeferredMessage = message;
    else
        ShowError(window, message);
}

void OnClose(HWND window) {
    ExitQuestionOpen = true;
    const int answer =
        MessageBoxW(window, Wide(ConfirmExitText), Wide(ExitCaption), MB_YESNO | MB_ICONQUESTION);
    ExitQuestionOpen = false;
    const char16_t* deferred = DeferredMessage;
    DeferredMessage = nullptr;
    if (answer == IDYES) {
        StopDownload();
        DestroyWindow(window);
    } else if (deferred) {
        ShowError(window, deferred);
    }
}

void SetReceiveText(HMENU popup) {
    ModifyMenuW(popup, IDM_RECEIVE, MF_BYCOMMAND | MF_STRING, IDM_RECEIVE,
                DownloadRunning() ? StopReceivingText : ReceiveText);
}

// Computed from the store and the download on every opening, never toggled
// elsewhere.
void OnInitMenuPopup(HWND window, HMENU popup) {
    const bool busy = DownloadRunning();
    const UINT data = IsLoaded(TheRecording) && !busy ? MF_ENABLED : MF_GRAYED;
    for (UINT id : DataCommands)
        EnableMenuItem(popup, id, MF_BYCOMMAND | data);
    for (UINT id : IdleCommands)
        EnableMenuItem(popup, id, MF_BYCOMMAND | (busy ? MF_GRAYED : MF_ENABLED));
    if (GetMenuState(popup, IDM_RECEIVE, MF_BYCOMMAND) != static_cast<UINT>(-1))
        SetReceiveText(popup);
    if (popup == SettingsPopup(window)) {
        FillPortMenu(PortSubmenu(popup));
        EnableMenuItem(popup, GetMenuItemCount(popup) - 1,
                       MF_BYPOSITION | (busy ? MF_GRAYED : MF_ENABLED));
    }
}

// Opened from the program's own templates, owned by the main window.
void ShowDialog(const wchar_t* name, DLGPROC procedure) {
    DialogBoxParamW(Instance, name, MainWindow, procedure, 0);
}

// A download is shown first, then kept in the archive; a copy that cannot
// be kept is told after the user sees the recording.
void OnDownloadEnded(HWND window, WPARAM download) {
    const DownloadEnd end = FinishDownload(download);
    if (!end.current) return;
    const char16_t* message = end.message;
    if (end.received) {
        UpdateWindow(window);
        if (!ArchiveDownload(TheRecording)) message = ArchiveFailedText;
    }
    if (message) ShowOrDefer(window, message);
}

void ShowDataView() {
    ShowDialog(DataTemplate, DataDlgProc);
}

// Esc stops a download before it hides the chart's cursor.
void OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE && DownloadRunning())
        StopDownload();
    else if (key == VK_RETURN && EnterOpensDataView())
        ShowDataView();
    else
        OnChartKey(key);
}

void OnLeftButtonDown(LPARAM point) {
    if (ChartClickOpensDataView(GET_X_LPARAM(point), GET_Y_LPARAM(point))) ShowDataView();
}

// The readout reads black on white, as the chart does; other labels keep
// the system's colours.
LRESULT OnControlColour(HWND window, HDC dc, HWND control) {
    if (control != ReadoutLabel)
        return DefWindowProcW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// While a download runs only stopping it and Exit are taken, whatever is
// sent.
void OnCommand(HWND window, WORD id) {
    if (DownloadRunning()) {
        if (id == IDM_RECEIVE) StopDownload();
        if (id == IDM_EXIT) SendMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    if (TakePortCommand(id)) return;
    switch (id) {
    case IDM_RECEIVE: StartDownload(window); break;
    case IDM_OPEN: OpenRecording(window); break;
    case IDM_SAVE_AS: SaveRecordingAs(window); break;
    case IDM_EXIT: SendMessageW(window, WM_CLOSE, 0, 0); break;
    case IDM_DISPLAY_RANGE: ShowDialog(RangeTemplate, RangeDlgProc); break;
    case IDM_TEXT_INPUT: ShowDialog(TextTemplate, TextDlgProc); break;
    case IDM_DATA_VIEW: ShowDataView(); break;
    case IDM_MAXIMUM: ShowDialog(MaxTemplate, MaxDlgProc); break;
    case IDM_CLEAR: ClearRecording(window); break;
    case IDM_EXPORT_CSV: ExportCsv(window); break;
    case IDM_EXPORT_IMAGE: ExportChartImage(window); break;
    case IDM_COPY_CHART: CopyChart(window); break;
    case IDM_STATISTICS: ShowDialog(StatTemplate, StatDlgProc); break;
    case IDM_RECORDING_LIST: ShowRecordingList(window); break;
    default: break;
    }
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(window, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_DROPFILES: OnDropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case DownloadProgressMessage: ShowDownloadProgress(wParam, lParam); return 0;
    case DownloadEndedMessage: OnDownloadEnded(window, wParam); return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COPYDATA:
        return AcceptForwardedFile(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case ForwardedFileMessage: OpenForwardedFile(window); return 0;
    case WM_MOUSEMOVE:
        OnChartMouseMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSELEAVE: OnChartMouseLeave(); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return 0;
    case WM_CTLCOLORSTATIC:
        return OnControlColour(window, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
