// The main window procedure: one small handler per message, and the handlers
// that turn each menu id into one operation or one modal dialog.
#include "app/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "app/chart_pointer.h"
#include "app/command_gate.h"
#include "app/help_commands.h"
#include "app/identity.h"
#include "app/port_menu.h"
#include "app/receive_data.h"
#include "app/single_instance.h"
#include "app/window_handles.h"
#include "app/window_layout.h"
#include "core/file_name.h"
#include "core/messages.h"
#include "files/export_commands.h"
#include "files/file_commands.h"
#include "print/print_commands.h"
#include "list/recording_list.h"
#include "logger/serial_download.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/chart_as_shown.h"
#include "view/dialogs.h"
#include "win/dpi.h"
#include "win/wide.h"
#include "win/window_placement.h"
#include "win/window_messages.h"

namespace {

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

void ShowCaption() {
    const std::u16string& path = CurrentFile();
    const std::u16string caption =
        path.empty() ? ProductTitle : FileCaption(ProductTitle, SplitPath(path).name);
    SetWindowTextW(MainWindow, Wide(caption.c_str()));
}

// What the window shows follows every change of the store.
void OnStoreChange(StoreChange change) {
    if (change == StoreChange::Recording) HideChartCursor();
    if (change != StoreChange::Chart) ShowCaption();
    if (change != StoreChange::File) InvalidateRect(MainWindow, nullptr, TRUE);
}

void OnCreate(HWND window) {
    SetMainWindowDpi(WindowDpi(window));
    CreateChildren(window);
    FollowStoreChanges(OnStoreChange);
    DragAcceptFiles(window, TRUE);
    FillPortMenu(PortSubmenu(SettingsPopup(window)));
}

// Moved to a screen of another DPI, or the scaling changed: the suggested
// place, the children and their font for the new DPI, and a new paint.
void OnDpiChanged(HWND window, WPARAM dpis, const RECT* suggested) {
    SetMainWindowDpi(LOWORD(dpis));
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildren(MainWindowDpi);
    InvalidateRect(window, nullptr, TRUE);
}

void OnDestroy(HWND window) {
    RememberWindowPlacement(window, MainPlacementSetting);
    StopReceiving();
    ReleaseChildFont();
    PostQuitMessage(0);
}

// The first file dropped on the window is opened as File > Open would, when
// File > Open may run.
void OnDropFiles(HWND window, HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::u16string path(length + 1, u'\0');
    const UINT got = DragQueryFileW(drop, 0, reinterpret_cast<wchar_t*>(&path[0]), length + 1);
    DragFinish(drop);
    path.resize(got);
    if (!path.empty() && CommandAvailable(IDM_OPEN)) OpenRecordingFile(window, path);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintChart(dc, MainChartFrame(window), ChartAsShown(CursorSample()));
    EndPaint(window, &ps);
}

void ShowOrDefer(HWND window, const char16_t* message) {
    if (ExitQuestionOpen)
        DeferredMessage = message;
    else
        ShowError(window, message);
}

// Asked as 終了 is, whoever sent it (the close box, 終了, another program):
// never over a dialog, a box or the question itself.
void OnClose(HWND window) {
    if (ExitQuestionOpen || !CommandAvailable(IDM_EXIT)) return;
    ExitQuestionOpen = true;
    const int answer =
        MessageBoxW(window, Wide(ConfirmExitText), Wide(ExitCaption), MB_YESNO | MB_ICONQUESTION);
    ExitQuestionOpen = false;
    const char16_t* deferred = DeferredMessage;
    DeferredMessage = nullptr;
    if (answer == IDYES) {
        StopReceiving();
        DestroyWindow(window);
    } else if (deferred) {
        ShowError(window, deferred);
    }
}

void SetReceiveText(HMENU popup) {
    ModifyMenuW(popup, IDM_RECEIVE, MF_BYCOMMAND | MF_STRING, IDM_RECEIVE,
                DownloadRunning() ? StopReceivingText : ReceiveText);
}

// Computed from the command table on every opening, never toggled elsewhere.
void OnInitMenuPopup(HWND window, HMENU popup) {
    EnableCommands(popup);
    if (GetMenuState(popup, IDM_RECEIVE, MF_BYCOMMAND) != static_cast<UINT>(-1))
        SetReceiveText(popup);
    CheckMenuItem(popup, IDM_THRESHOLD_LINE,
                  MF_BYCOMMAND | (ThresholdLineShown() ? MF_CHECKED : MF_UNCHECKED));
    if (popup == SettingsPopup(window)) {
        FillPortMenu(PortSubmenu(popup));
        EnableMenuItem(popup, GetMenuItemCount(popup) - 1,
                       MF_BYPOSITION | (CommandAvailable(IDM_PORT_AUTO) ? MF_ENABLED : MF_GRAYED));
    }
}

// Opened from the program's own templates, owned by the main window.
void ShowDialog(const wchar_t* name, DLGPROC procedure) {
    DialogBoxParamW(Instance, name, MainWindow, procedure, 0);
}

// Files handed over meanwhile open once its message is answered.
void OnDownloadEnded(HWND window, WPARAM download) {
    if (const char16_t* message = FinishReceiving(window, download)) ShowOrDefer(window, message);
    OpenWaitingFilesLater(window);
}

void StopReceivingNow(HWND window) {
    StopReceiving();
    OpenWaitingFilesLater(window);
}

void ShowDataView() {
    ShowDialog(DataTemplate, DataDlgProc);
}

void OnCommand(HWND window, WORD id);

// Esc stops a download as 受信を中止 does, before it hides the chart's cursor.
void OnKeyDown(HWND window, WPARAM key) {
    if (key == VK_ESCAPE && DownloadRunning())
        OnCommand(window, IDM_RECEIVE);
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

void ReceiveOrStop(HWND window) {
    if (DownloadRunning())
        StopReceivingNow(window);
    else
        StartReceiving(window);
}

struct CommandHandler {
    UINT id;
    void (*run)(HWND window);
};

// Each menu command's one operation. The ports' are the port menu's.
const CommandHandler CommandHandlers[] = {
    {IDM_RECEIVE, ReceiveOrStop},
    {IDM_OPEN, [](HWND window) { OpenRecording(window); }},
    {IDM_SAVE_AS, [](HWND window) { SaveRecordingAs(window); }},
    {IDM_PRINT, [](HWND window) { PrintRecording(window); }},
    {IDM_EXIT, [](HWND window) { SendMessageW(window, WM_CLOSE, 0, 0); }},
    {IDM_DISPLAY_RANGE, [](HWND) { ShowDialog(RangeTemplate, RangeDlgProc); }},
    {IDM_TEXT_INPUT, [](HWND) { ShowDialog(TextTemplate, TextDlgProc); }},
    {IDM_DATA_VIEW, [](HWND) { ShowDataView(); }},
    {IDM_MAXIMUM, [](HWND) { ShowDialog(MaxTemplate, MaxDlgProc); }},
    {IDM_THRESHOLD_LINE, [](HWND) { ShowThresholdLine(!ThresholdLineShown()); }},
    {IDM_CLEAR, [](HWND window) { ClearRecording(window); }},
    {IDM_EXPORT_CSV, [](HWND window) { ExportCsv(window); }},
    {IDM_EXPORT_IMAGE, [](HWND window) { ExportChartImage(window); }},
    {IDM_COPY_CHART, [](HWND window) { CopyChart(window); }},
    {IDM_STATISTICS, [](HWND) { ShowDialog(StatTemplate, StatDlgProc); }},
    {IDM_RECORDING_LIST, [](HWND window) { ShowRecordingList(window); }},
    {IDM_GUIDE, OpenGuide},
    {IDM_ABOUT, ShowAbout},
};

// Whatever sent it (the menu, a shortcut, a key, another program), a command
// that may not run now does nothing.
void OnCommand(HWND window, WORD id) {
    if (!CommandAvailable(id)) return;
    if (TakePortCommand(id)) return;
    for (const CommandHandler& handler : CommandHandlers)
        if (handler.id == id) return handler.run(window);
}

} // namespace

std::vector<UINT> HandledCommands() {
    std::vector<UINT> ids;
    for (const CommandHandler& handler : CommandHandlers)
        ids.push_back(handler.id);
    return ids;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: SetMainWindow(window); return DefWindowProcW(window, message, wParam, lParam);
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(window, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_DROPFILES: OnDropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(window, wParam); return 0;
    case WM_ENABLE:
        if (wParam) OpenWaitingFilesLater(window);
        return 0;
    case DownloadProgressMessage: ShowReceivingProgress(wParam, lParam); return 0;
    case DownloadEndedMessage: OnDownloadEnded(window, wParam); return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COPYDATA:
        return AcceptForwardedFile(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case ForwardedFileMessage: OpenWaitingFiles(window); return 0;
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
