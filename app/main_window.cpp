// The main window procedure: one small handler per message, and the command
// table that turns each menu id into one operation or one modal dialog.
#include "app/main_window.h"

#include <shellapi.h>

#include <string>

#include "core/messages.h"
#include "files/archive.h"
#include "files/export_commands.h"
#include "files/file_commands.h"
#include "logger/serial_download.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/chart.h"
#include "view/dialogs.h"
#include "win/wide.h"

namespace {

// The items that need a loaded recording, in the order they are set.
constexpr UINT DataCommands[] = {IDM_SAVE_AS,      IDM_DATA_VIEW,    IDM_TEXT_INPUT,
                                 IDM_MAXIMUM,      IDM_CLEAR,        IDM_EXPORT_CSV,
                                 IDM_EXPORT_IMAGE, IDM_COPY_CHART,   IDM_STATISTICS};

void OnCreate(HWND window) {
    StatusLabel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 6, 6, 80, 20, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_LABEL)),
                                  Instance, nullptr);
    DragAcceptFiles(window, TRUE);
}

// The first file dropped on the window is opened as File > Open would.
void OnDropFiles(HWND window, HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::u16string path(length + 1, u'\0');
    const UINT got = DragQueryFileW(drop, 0, reinterpret_cast<wchar_t*>(&path[0]), length + 1);
    DragFinish(drop);
    path.resize(got);
    if (!path.empty()) OpenRecordingFile(window, path);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintChart(dc, TheRecording, DisplayRange);
    EndPaint(window, &ps);
}

void OnClose(HWND window) {
    if (MessageBoxW(window, Wide(ConfirmExitText), Wide(ExitCaption),
                    MB_YESNO | MB_ICONQUESTION) == IDYES)
        DestroyWindow(window);
}

// Computed from the store on every opening, never toggled elsewhere.
void OnInitMenuPopup(HMENU popup) {
    const UINT state = IsLoaded(TheRecording) ? MF_ENABLED : MF_GRAYED;
    for (UINT id : DataCommands)
        EnableMenuItem(popup, id, MF_BYCOMMAND | state);
}

// Opened from the program's own templates, owned by the main window.
void ShowDialog(const wchar_t* name, DLGPROC procedure) {
    DialogBoxParamW(Instance, name, MainWindow, procedure, 0);
}

// A download is shown first, then kept in the archive; a copy that cannot
// be kept is told after the user sees the recording.
void ReceiveAndKeep(HWND window) {
    if (ReceiveFromLogger(window) != 0) return;
    UpdateWindow(window);
    if (!ArchiveDownload(TheRecording)) ShowError(window, ArchiveFailedText);
}

void OnCommand(HWND window, WORD id) {
    switch (id) {
    case IDM_RECEIVE: ReceiveAndKeep(window); break;
    case IDM_OPEN: OpenRecording(window); break;
    case IDM_SAVE_AS: SaveRecordingAs(window); break;
    case IDM_EXIT: SendMessageW(window, WM_CLOSE, 0, 0); break;
    case IDM_DISPLAY_RANGE: ShowDialog(RangeTemplate, RangeDlgProc); break;
    case IDM_TEXT_INPUT: ShowDialog(TextTemplate, TextDlgProc); break;
    case IDM_DATA_VIEW: ShowDialog(DataTemplate, DataDlgProc); break;
    case IDM_MAXIMUM: ShowDialog(MaxTemplate, MaxDlgProc); break;
    case IDM_CLEAR: ClearRecording(window); break;
    case IDM_EXPORT_CSV: ExportCsv(window); break;
    case IDM_EXPORT_IMAGE: ExportChartImage(window); break;
    case IDM_COPY_CHART: CopyChart(window); break;
    case IDM_STATISTICS: ShowDialog(StatTemplate, StatDlgProc); break;
    default: break;
    }
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_DROPFILES: OnDropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
