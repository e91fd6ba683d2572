// The period window and its picture. The dialog owns the state; the picture
// (a child of its own class) paints it and turns the mouse and keys into a
// cell. Everything it shows is worked out when the window opens or the
// channel changes, never while it paints.
#include "list/period_window.h"

#include <windowsx.h>

#include <algorithm>

#include "core/file_name.h"
#include "core/text.h"
#include "files/export_commands.h"
#include "list/period_paint.h"
#include "print/print_commands.h"
#include "res/resource.h"
#include "view/dpi_scale.h"
#include "win/dpi.h"
#include "win/scoped_gdi.h"
#include "win/wide.h"
#include "win/window_placement.h"

namespace {

constexpr wchar_t PlacementSetting[] = L"PeriodPlacement";

struct PeriodState {
    const PeriodRequest* request;
    int channel = 0;
    PeriodPicture picture;
    bool cursorShown = false;
    int cursorDay = 0, cursorMinute = 0;
    bool tracking = false; // the mouse's leaving is asked for
    std::u16string toOpen;
};

int S(int value, int dpi) {
    return static_cast<int>(Scaled(value, dpi));
}

PeriodState& StateOf(HWND window) {
    return *reinterpret_cast<PeriodState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Picture(HWND dialog) {
    return GetDlgItem(dialog, IDC_PERIOD_PICTURE);
}

PeriodContent ContentOf(const PeriodState& s, bool withCursor) {
    PeriodContent c = {&s.picture, s.channel, s.request->threshold, s.request->budget};
    c.cursorShown = withCursor && s.cursorShown;
    c.cursorDay = s.cursorDay;
    c.cursorMinute = s.cursorMinute;
    return c;
}

ChartFrame PictureFrame(HWND picture) {
    RECT r;
    GetClientRect(picture, &r);
    return {0, 0, r.right, r.bottom, WindowDpi(picture)};
}

void ShowReadout(HWND dialog, const std::u16string& text) {
    SetDlgItemTextW(dialog, IDC_PERIOD_READOUT, Wide(text.c_str()));
}

void ShowCursorReadout(HWND dialog, PeriodState& s) {
    ShowReadout(dialog, PeriodReadout(s.picture, s.channel,
                                      {PeriodSpot::Minute, s.cursorDay, s.cursorMinute}));
}

// A closing of any kind keeps the window's place for the next opening.
void Close(HWND dialog, INT_PTR result) {
    RememberWindowPlacement(dialog, PlacementSetting);
    EndDialog(dialog, result);
}

// The recording that holds the hit, opened in the main window after the
// list has closed.
void OpenAt(HWND dialog, PeriodState& s, const PeriodHit& hit) {
    const int index = RecordingAt(s.picture, hit);
    if (index < 0) return;
    s.toOpen = InFolder(s.request->folder, s.request->files[static_cast<size_t>(index)]);
    Close(dialog, IDOK);
}

// The picture ------------------------------------------------------------

void PaintPicture(HWND picture) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(picture, &ps);
    const ChartFrame frame = PictureFrame(picture);
    // Drawn off the screen first, so a resize never flickers.
    const OwnedDc memory(CreateCompatibleDC(dc));
    const OwnedBitmap bitmap(
        CreateCompatibleBitmap(dc, std::max(1, frame.width), std::max(1, frame.height)));
    if (memory.valid() && bitmap.valid()) {
        const Selection selected(memory.get(), bitmap.get());
        PaintPeriodMap(memory.get(), frame, ContentOf(StateOf(picture), true));
        BitBlt(dc, 0, 0, frame.width, frame.height, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(picture, &ps);
}

PeriodHit HitAt(HWND picture, LPARAM point) {
    return HitInPeriod(StateOf(picture).picture, LayOutPeriod(PictureFrame(picture)),
                       GET_X_LPARAM(point), GET_Y_LPARAM(point));
}

void OnPictureMouseMove(HWND picture, LPARAM point) {
    PeriodState& s = StateOf(picture);
    if (!s.tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, picture, 0};
        s.tracking = TrackMouseEvent(&track) != 0;
    }
    ShowReadout(GetParent(picture), PeriodReadout(s.picture, s.channel, HitAt(picture, point)));
}

void OnPictureMouseLeave(HWND picture) {
    PeriodState& s = StateOf(picture);
    s.tracking = false;
    if (s.cursorShown)
        ShowCursorReadout(GetParent(picture), s);
    else
        ShowReadout(GetParent(picture), u"");
}

void MoveCursor(HWND picture, int day, int minute) {
    PeriodState& s = StateOf(picture);
    const PeriodGrid& g = s.picture.grid;
    if (g.days == 0) return;
    s.cursorDay = std::clamp(day, 0, g.days - 1);
    s.cursorMinute = std::clamp(minute, 0, g.span.minutes() - 1);
    s.cursorShown = true;
    InvalidateRect(picture, nullptr, FALSE);
    ShowCursorReadout(GetParent(picture), s);
}

void OnPictureClick(HWND picture, LPARAM point) {
    SetFocus(picture);
    const PeriodHit hit = HitAt(picture, point);
    if (hit.spot == PeriodSpot::Minute) MoveCursor(picture, hit.day, hit.minute);
}

void OnPictureKey(HWND picture, WPARAM key) {
    PeriodState& s = StateOf(picture);
    const int day = s.cursorDay, minute = s.cursorMinute;
    switch (key) {
    case VK_LEFT: MoveCursor(picture, day, s.cursorShown ? minute - 1 : minute); break;
    case VK_RIGHT: MoveCursor(picture, day, s.cursorShown ? minute + 1 : minute); break;
    case VK_UP: MoveCursor(picture, s.cursorShown ? day - 1 : day, minute); break;
    case VK_DOWN: MoveCursor(picture, s.cursorShown ? day + 1 : day, minute); break;
    case VK_HOME: MoveCursor(picture, day, 0); break;
    case VK_END: MoveCursor(picture, day, s.picture.grid.span.minutes() - 1); break;
    case VK_RETURN:
        if (s.cursorShown)
            OpenAt(GetParent(picture), s, {PeriodSpot::Minute, s.cursorDay, s.cursorMinute});
        break;
    default: break;
    }
}

// The arrows and Enter are the picture's; Tab and Esc stay the dialog's.
LRESULT OnGetDialogCode(const MSG* message) {
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        return DLGC_WANTARROWS | DLGC_WANTMESSAGE;
    return DLGC_WANTARROWS;
}

LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!GetWindowLongPtrW(picture, GWLP_USERDATA))
        return DefWindowProcW(picture, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: PaintPicture(picture); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: InvalidateRect(picture, nullptr, FALSE); return 0;
    case WM_MOUSEMOVE: OnPictureMouseMove(picture, lParam); return 0;
    case WM_MOUSELEAVE: OnPictureMouseLeave(picture); return 0;
    case WM_LBUTTONDOWN: OnPictureClick(picture, lParam); return 0;
    case WM_LBUTTONDBLCLK:
        OpenAt(GetParent(picture), StateOf(picture), HitAt(picture, lParam));
        return 0;
    case WM_KEYDOWN: OnPictureKey(picture, wParam); return 0;
    case WM_GETDLGCODE: return OnGetDialogCode(reinterpret_cast<const MSG*>(lParam));
    default: return DefWindowProcW(picture, message, wParam, lParam);
    }
}

void RegisterPictureClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = PeriodPictureClass;
    RegisterClassExW(&wc); // fails harmlessly when it is registered already
}

// The dialog --------------------------------------------------------------

// The picture's natural size, with the channel and readout above it and the
// buttons below, at the window's DPI.
constexpr int TopBar = 36, BottomBar = 40, Margin = 8;

SIZE NaturalClient(int dpi) {
    return {S(PeriodNaturalWidth + 2 * Margin, dpi),
            S(TopBar + PeriodNaturalHeight + BottomBar, dpi)};
}

void Place(HWND dialog, int id, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(dialog, id), x, y, std::max(0, width), std::max(0, height), TRUE);
}

void LayOutControls(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    const int d = WindowDpi(dialog);
    const int w = client.right, h = client.bottom;
    Place(dialog, IDC_PERIOD_CH1, S(Margin, d), S(8, d), S(60, d), S(20, d));
    Place(dialog, IDC_PERIOD_CH2, S(72, d), S(8, d), S(60, d), S(20, d));
    Place(dialog, IDC_PERIOD_READOUT, S(140, d), S(10, d), w - S(140 + Margin, d), S(20, d));
    Place(dialog, IDC_PERIOD_PICTURE, S(Margin, d), S(TopBar, d), w - S(2 * Margin, d),
          h - S(TopBar + BottomBar, d));
    const int y = h - S(32, d);
    Place(dialog, IDC_PERIOD_PRINT, S(Margin, d), y, S(90, d), S(24, d));
    Place(dialog, IDC_PERIOD_SAVE_IMAGE, S(104, d), y, S(110, d), S(24, d));
    Place(dialog, IDC_PERIOD_COPY, S(220, d), y, S(90, d), S(24, d));
    Place(dialog, IDCANCEL, w - S(98, d), y, S(90, d), S(24, d));
}

void SizeToNatural(HWND dialog) {
    const SIZE client = NaturalClient(WindowDpi(dialog));
    RECT outer = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowChannel(HWND dialog, PeriodState& s, int channel) {
    s.channel = channel;
    s.picture = MakePeriodPicture(s.request->recordings, channel);
    InvalidateRect(Picture(dialog), nullptr, FALSE);
    if (s.cursorShown)
        ShowCursorReadout(dialog, s);
    else
        ShowReadout(dialog, u"");
}

int DaysRecorded(const PeriodGrid& g) {
    int days = 0;
    for (int day = 0; day < g.days; ++day)
        for (int m = 0; m < g.span.minutes(); ++m)
            if (g.held(day, m)) {
                ++days;
                break;
            }
    return days;
}

std::u16string DateText(int64_t dayNumber) {
    return DateLabel(dayNumber, true);
}

void PrintPeriod(HWND dialog, PeriodState& s) {
    const PeriodGrid& g = s.picture.grid;
    const std::vector<std::u16string> heading = {
        u"期間グラフ",
        u"フォルダー: " + s.request->folder,
        u"期間: " + DateText(g.firstDay) + u" ～ " +
            DateText(g.firstDay + std::max(0, g.days - 1)) + u"　" +
            (s.channel == 0 ? u"CH1" : u"CH2") + u"　記録のある日: " +
            AsciiToUtf16(NumberText(DaysRecorded(g))) + u" 日",
    };
    const PeriodContent content = ContentOf(s, false);
    PrintPicture(dialog, u"MARVEK Ⅱ - 期間グラフ", heading, PeriodNaturalWidth, PeriodNaturalHeight,
                 [&](HDC dc, const ChartFrame& frame) { PaintPeriodMap(dc, frame, content); });
}

// What is shown, at the picture's first size and 96 DPI, never the cursor.
PictureSource PeriodPictureSource(const PeriodState& s) {
    const PeriodContent content = ContentOf(s, false);
    return {
        PeriodNaturalWidth, PeriodNaturalHeight, L"MARVEK \x2161\0期間グラフ\0", [content](HDC dc) {
            PaintPeriodMap(dc, {0, 0, PeriodNaturalWidth, PeriodNaturalHeight, BaseDpi}, content);
        }};
}

void SaveImage(HWND dialog, const PeriodState& s) {
    const FileDialogSetup setup = {L"期間グラフを画像で保存", PictureFilter, L"png",
                                   s.request->folder, u"期間グラフ.png"};
    SavePictureAs(dialog, setup, PeriodPictureSource(s));
}

void OnInitDialog(HWND dialog, PeriodState* s) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    SetWindowLongPtrW(Picture(dialog), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    CheckRadioButton(dialog, IDC_PERIOD_CH1, IDC_PERIOD_CH2, IDC_PERIOD_CH1);
    s->picture = MakePeriodPicture(s->request->recordings, 0);
    SizeToNatural(dialog);
    RestoreWindowPlacement(dialog, PlacementSetting);
    LayOutControls(dialog);
}

void OnDpiChanged(HWND dialog, const RECT* suggested) {
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutControls(dialog);
}

INT_PTR CALLBACK PeriodDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog, reinterpret_cast<PeriodState*>(lParam)); return TRUE;
    case WM_SIZE: LayOutControls(dialog); return TRUE;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const int d = WindowDpi(dialog);
        info->ptMinTrackSize = {S(480, d), S(320, d)};
        return TRUE;
    }
    case WM_DPICHANGED: OnDpiChanged(dialog, reinterpret_cast<const RECT*>(lParam)); return TRUE;
    case WM_COMMAND: {
        PeriodState& s = StateOf(dialog);
        switch (LOWORD(wParam)) {
        case IDC_PERIOD_CH1:
            if (s.channel != 0) ShowChannel(dialog, s, 0);
            break;
        case IDC_PERIOD_CH2:
            if (s.channel != 1) ShowChannel(dialog, s, 1);
            break;
        case IDC_PERIOD_PRINT: PrintPeriod(dialog, s); break;
        case IDC_PERIOD_SAVE_IMAGE: SaveImage(dialog, s); break;
        case IDC_PERIOD_COPY: CopyPicture(dialog, PeriodPictureSource(s)); break;
        case IDCANCEL: Close(dialog, IDCANCEL); break;
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

} // namespace

std::u16string ShowPeriodWindow(HWND owner, const PeriodRequest& request) {
    RegisterPictureClass();
    PeriodState state;
    state.request = &request;
    DialogBoxParamW(GetModuleHandleW(nullptr), PeriodTemplate, owner, PeriodDlgProc,
                    reinterpret_cast<LPARAM>(&state));
    return state.toOpen;
}
