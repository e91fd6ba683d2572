// The period window and its picture. The dialog owns the state; the picture
// (a child of its own class) paints it and turns the mouse and keys into a
// cell. Everything it shows is worked out when the window opens or the
// channel changes, never while it paints.
#include "list/period_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/file_name.h"
#include "core/text.h"
#include "files/export_commands.h"
#include "list/period_figures.h"
#include "list/period_paint.h"
#include "print/print_commands.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/dpi_scale.h"
#include "win/dpi.h"
#include "win/scoped_gdi.h"
#include "win/settings.h"
#include "win/wide.h"
#include "win/window_placement.h"

namespace {

constexpr wchar_t PlacementSetting[] = L"PeriodPlacement";

constexpr wchar_t HoursSetting[] = L"OccupiedHours";
constexpr wchar_t ViewSetting[] = L"PeriodView";

struct PeriodState {
    const PeriodRequest* request;
    int channel = 0;
    PeriodPicture pictures[2]; // each channel's, worked out when the window opens
    OverlayData overlays[2];   // and its days laid over one another
    PeriodView view = PeriodView::Map;
    int32_t range = 3; // the overlay's full scale, the main window's at first
    OccupiedHours hours;
    bool hoursValid = true;
    bool filling = false; // the fields are being filled, not typed in
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

const PeriodPicture& Shown(const PeriodState& s) {
    return s.pictures[s.channel];
}

bool Overlaid(const PeriodState& s) {
    return s.view == PeriodView::Overlay;
}

PeriodContent ContentOf(const PeriodState& s, bool withCursor) {
    PeriodContent c = {&Shown(s), s.channel, s.request->threshold, s.request->budget};
    c.cursorShown = withCursor && s.cursorShown;
    c.cursorDay = s.cursorDay;
    c.cursorMinute = s.cursorMinute;
    c.view = s.view;
    c.overlay = &s.overlays[s.channel];
    c.range = s.range;
    c.thresholdLine = ThresholdLineShown();
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
    ShowReadout(dialog, Overlaid(s)
                            ? OverlayReadout(Shown(s), s.overlays[s.channel], s.cursorMinute)
                            : PeriodReadout(Shown(s), s.channel,
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
    const int index = RecordingAt(Shown(s), hit);
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
        PaintPeriod(memory.get(), frame, ContentOf(StateOf(picture), true));
        BitBlt(dc, 0, 0, frame.width, frame.height, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(picture, &ps);
}

// The minute a point's column shows in the overlay; -1 outside the plot.
int OverlayMinuteAt(HWND picture, int x) {
    const OverlayLayout l = LayOutOverlay(PictureFrame(picture));
    return CellAt(x, Shown(StateOf(picture)).grid.span.minutes(), l.plot.left, l.plot.width);
}

// What a point shows: in the map its cell or bar; in the overlay the minute
// under it, on the day whose trace is nearest when `nearestDay` (a double
// click) is asked for.
PeriodHit HitAt(HWND picture, LPARAM point, bool nearestDay = false) {
    const PeriodState& s = StateOf(picture);
    const int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    if (!Overlaid(s)) return HitInPeriod(Shown(s), LayOutPeriod(PictureFrame(picture)), x, y);
    const int minute = OverlayMinuteAt(picture, x);
    if (minute < 0 || !nearestDay) return {};
    const ChartFrame frame = PictureFrame(picture);
    const int day = NearestDay(Shown(s), s.overlays[s.channel], LayOutOverlay(frame), s.range, x, y,
                               S(5, frame.dpi));
    if (day < 0) return {};
    const PeriodGrid& g = Shown(s).grid;
    return g.held(day, minute) ? PeriodHit{PeriodSpot::Minute, day, minute}
                               : PeriodHit{PeriodSpot::Bar, day, 0};
}

void OnPictureMouseMove(HWND picture, LPARAM point) {
    PeriodState& s = StateOf(picture);
    if (!s.tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, picture, 0};
        s.tracking = TrackMouseEvent(&track) != 0;
    }
    if (Overlaid(s))
        ShowReadout(GetParent(picture),
                    OverlayReadout(Shown(s), s.overlays[s.channel],
                                   OverlayMinuteAt(picture, GET_X_LPARAM(point))));
    else
        ShowReadout(GetParent(picture), PeriodReadout(Shown(s), s.channel, HitAt(picture, point)));
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
    const PeriodGrid& g = Shown(s).grid;
    if (g.days == 0) return;
    s.cursorDay = std::clamp(day, 0, g.days - 1);
    s.cursorMinute = std::clamp(minute, 0, g.span.minutes() - 1);
    s.cursorShown = true;
    InvalidateRect(picture, nullptr, FALSE);
    ShowCursorReadout(GetParent(picture), s);
}

void OnPictureClick(HWND picture, LPARAM point) {
    SetFocus(picture);
    PeriodState& s = StateOf(picture);
    if (Overlaid(s)) {
        const int minute = OverlayMinuteAt(picture, GET_X_LPARAM(point));
        if (minute >= 0) MoveCursor(picture, s.cursorDay, minute);
        return;
    }
    const PeriodHit hit = HitAt(picture, point);
    if (hit.spot == PeriodSpot::Minute) MoveCursor(picture, hit.day, hit.minute);
}

void OnPictureKey(HWND picture, WPARAM key) {
    PeriodState& s = StateOf(picture);
    const int day = s.cursorDay, minute = s.cursorMinute;
    switch (key) {
    case VK_LEFT: MoveCursor(picture, day, s.cursorShown ? minute - 1 : minute); break;
    case VK_RIGHT: MoveCursor(picture, day, s.cursorShown ? minute + 1 : minute); break;
    case VK_UP:
        if (!Overlaid(s)) MoveCursor(picture, s.cursorShown ? day - 1 : day, minute);
        break;
    case VK_DOWN:
        if (!Overlaid(s)) MoveCursor(picture, s.cursorShown ? day + 1 : day, minute);
        break;
    case VK_HOME: MoveCursor(picture, day, 0); break;
    case VK_END: MoveCursor(picture, day, Shown(s).grid.span.minutes() - 1); break;
    case VK_RETURN:
        if (s.cursorShown && !Overlaid(s))
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
        OpenAt(GetParent(picture), StateOf(picture), HitAt(picture, lParam, true));
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

// The picture's natural size, with the channel and readout above it, the
// occupied hours and the figures below it, then the buttons, at the window's
// DPI. The picture takes what the window grows.
constexpr int TopBar = 60, HoursRow = 30, FiguresHeight = 236, BottomBar = 40, Margin = 8;
constexpr int BelowPicture = HoursRow + FiguresHeight + BottomBar;

SIZE NaturalClient(int dpi) {
    return {S(PeriodNaturalWidth + 2 * Margin, dpi),
            S(TopBar + PeriodNaturalHeight + BelowPicture, dpi)};
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
    Place(dialog, IDC_PERIOD_MAP_VIEW, S(150, d), S(8, d), S(110, d), S(20, d));
    Place(dialog, IDC_PERIOD_OVERLAY_VIEW, S(266, d), S(8, d), S(140, d), S(20, d));
    Place(dialog, IDC_PERIOD_RANGE_LABEL, S(420, d), S(11, d), S(70, d), S(20, d));
    Place(dialog, IDC_PERIOD_RANGE, S(494, d), S(6, d), S(110, d), S(200, d));
    Place(dialog, IDC_PERIOD_READOUT, S(Margin, d), S(36, d), w - S(2 * Margin, d), S(20, d));
    Place(dialog, IDC_PERIOD_PICTURE, S(Margin, d), S(TopBar, d), w - S(2 * Margin, d),
          h - S(TopBar + BelowPicture, d));
    const int hours = h - S(BelowPicture, d) + S(6, d);
    Place(dialog, IDC_PERIOD_HOURS_LABEL, S(Margin, d), hours + S(3, d), S(60, d), S(20, d));
    Place(dialog, IDC_PERIOD_HOURS_FROM, S(72, d), hours, S(56, d), S(22, d));
    Place(dialog, IDC_PERIOD_HOURS_TILDE, S(132, d), hours + S(3, d), S(20, d), S(20, d));
    Place(dialog, IDC_PERIOD_HOURS_TO, S(154, d), hours, S(56, d), S(22, d));
    Place(dialog, IDC_PERIOD_HOURS_REASON, S(220, d), hours + S(3, d), w - S(220 + Margin, d),
          S(20, d));
    Place(dialog, IDC_PERIOD_FIGURES, S(Margin, d), h - S(FiguresHeight + BottomBar, d),
          w - S(2 * Margin, d), S(FiguresHeight, d));
    const int y = h - S(32, d);
    Place(dialog, IDC_PERIOD_PRINT, S(Margin, d), y, S(90, d), S(24, d));
    Place(dialog, IDC_PERIOD_SAVE_IMAGE, S(104, d), y, S(110, d), S(24, d));
    Place(dialog, IDC_PERIOD_COPY, S(220, d), y, S(90, d), S(24, d));
    Place(dialog, IDCANCEL, w - S(98, d), y, S(90, d), S(24, d));
}

// The natural size, within the screen's work area: on a small screen the
// picture starts smaller, and the window is moved to show it whole.
void SizeToNatural(HWND dialog) {
    const SIZE client = NaturalClient(WindowDpi(dialog));
    RECT outer = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = std::min<int>(outer.right - outer.left, work.right - work.left);
    const int height = std::min<int>(outer.bottom - outer.top, work.bottom - work.top);
    RECT now;
    GetWindowRect(dialog, &now);
    const int left = std::clamp(static_cast<int>(now.left), static_cast<int>(work.left),
                                static_cast<int>(work.right) - width);
    const int top = std::clamp(static_cast<int>(now.top), static_cast<int>(work.top),
                               static_cast<int>(work.bottom) - height);
    SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Figures(HWND dialog) {
    return GetDlgItem(dialog, IDC_PERIOD_FIGURES);
}

// The table's columns and one row a figure, its name in the first column.
void AddFigureRows(HWND dialog, const PeriodState& s) {
    HWND table = Figures(dialog);
    ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const int d = WindowDpi(dialog);
    const struct {
        const wchar_t* title;
        int width, format;
    } columns[] = {
        {L"項目", 220, LVCFMT_LEFT}, {L"CH1", 160, LVCFMT_RIGHT}, {L"CH2", 160, LVCFMT_RIGHT}};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = columns[c].format;
        column.cx = S(columns[c].width, d);
        column.pszText = const_cast<wchar_t*>(columns[c].title);
        SendMessageW(table, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    int row = 0;
    for (const PeriodFigureRow& figure : PeriodFigureRows(nullptr, s.hours, false, {}, 0)) {
        if (!figure.inTable) continue;
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row++;
        item.pszText = const_cast<wchar_t*>(Wide(figure.name));
        SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<PeriodFigureRow> FiguresOf(const PeriodState& s) {
    const PeriodGrid grids[2] = {s.pictures[0].grid, s.pictures[1].grid};
    return PeriodFigureRows(grids, s.hours, s.hoursValid, s.request->threshold, s.request->budget);
}

void ShowFigures(HWND dialog, const PeriodState& s) {
    int row = 0;
    for (const PeriodFigureRow& figure : FiguresOf(s)) {
        if (!figure.inTable) continue;
        for (int ch = 0; ch < 2; ++ch) {
            LVITEMW item = {};
            item.iSubItem = ch + 1;
            item.pszText = const_cast<wchar_t*>(Wide(figure.cell[ch].c_str()));
            SendMessageW(Figures(dialog), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
        ++row;
    }
}

// The hours as typed, the figures at once: with hours that cannot be read
// the cells are empty and the line beside the fields says why.
void ReadHours(HWND dialog, PeriodState& s) {
    OccupiedHours hours;
    const char16_t* reason = ParseOccupiedHours(ItemText(dialog, IDC_PERIOD_HOURS_FROM),
                                                ItemText(dialog, IDC_PERIOD_HOURS_TO), hours);
    s.hoursValid = reason == nullptr;
    if (s.hoursValid && (hours.from != s.hours.from || hours.to != s.hours.to)) {
        s.hours = hours;
        WriteSettingText(HoursSetting, OccupiedHoursText(hours));
    }
    SetDlgItemTextW(dialog, IDC_PERIOD_HOURS_REASON, Wide(reason ? reason : u""));
    ShowFigures(dialog, s);
}

// The stored hours, unless they cannot be read: 8:00-18:00.
void ShowHours(HWND dialog, PeriodState& s) {
    std::u16string stored;
    OccupiedHours hours;
    if (ReadSettingText(HoursSetting, stored) && ParseOccupiedHoursText(stored, hours))
        s.hours = hours;
    const std::u16string text = OccupiedHoursText(s.hours);
    const size_t dash = text.find(u'-');
    s.filling = true;
    SetDlgItemTextW(dialog, IDC_PERIOD_HOURS_FROM, Wide(text.substr(0, dash).c_str()));
    SetDlgItemTextW(dialog, IDC_PERIOD_HOURS_TO, Wide(text.substr(dash + 1).c_str()));
    s.filling = false;
    for (int id : {IDC_PERIOD_HOURS_FROM, IDC_PERIOD_HOURS_TO})
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 5, 0);
}

void ShowChannel(HWND dialog, PeriodState& s, int channel) {
    s.channel = channel;
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
    const PeriodGrid& g = Shown(s).grid;
    const std::vector<std::u16string> heading = {
        Overlaid(s) ? u"期間グラフ（日ごとの重ね描き）" : u"期間グラフ（時間帯マップ）",
        u"フォルダー: " + s.request->folder,
        u"期間: " + DateText(g.firstDay) + u" ～ " +
            DateText(g.firstDay + std::max(0, g.days - 1)) + u"　" +
            (s.channel == 0 ? u"CH1" : u"CH2") + u"　記録のある日: " +
            AsciiToUtf16(NumberText(DaysRecorded(g))) + u" 日　在室時間 " +
            OccupiedHoursText(s.hours),
    };
    const PeriodContent content = ContentOf(s, false);
    PageTable table = {{u"項目", u"CH1", u"CH2"}};
    for (const PeriodFigureRow& figure : FiguresOf(s))
        if (figure.inTable) table.push_back({figure.name, figure.cell[0], figure.cell[1]});
    PrintPicture(
        dialog, u"MARVEK Ⅱ - 期間グラフ", heading, PeriodNaturalWidth, PeriodNaturalHeight,
        [&](HDC dc, const ChartFrame& frame) { PaintPeriod(dc, frame, content); }, table);
}

// What is shown, at the picture's first size and 96 DPI, never the cursor.
PictureSource PeriodPictureSource(const PeriodState& s) {
    const PeriodContent content = ContentOf(s, false);
    return {PeriodNaturalWidth, PeriodNaturalHeight, L"MARVEK \x2161\0期間グラフ\0",
            [content](HDC dc) {
                PaintPeriod(dc, {0, 0, PeriodNaturalWidth, PeriodNaturalHeight, BaseDpi}, content);
            }};
}

void SaveImage(HWND dialog, const PeriodState& s) {
    const FileDialogSetup setup = {L"期間グラフを画像で保存", PictureFilter, L"png",
                                   s.request->folder, u"期間グラフ.png"};
    SavePictureAs(dialog, setup, PeriodPictureSource(s));
}

// The range drop-down only in the overlay, which it is for.
void ShowRangeChoice(HWND dialog, const PeriodState& s) {
    for (int id : {IDC_PERIOD_RANGE_LABEL, IDC_PERIOD_RANGE})
        ShowWindow(GetDlgItem(dialog, id), Overlaid(s) ? SW_SHOW : SW_HIDE);
}

// The view remembered, the range the main window's.
void ShowViewChoice(HWND dialog, PeriodState& s) {
    uint32_t view = 0;
    if (ReadSettingNumber(ViewSetting, view) && view <= 1) s.view = static_cast<PeriodView>(view);
    CheckRadioButton(dialog, IDC_PERIOD_MAP_VIEW, IDC_PERIOD_OVERLAY_VIEW,
                     Overlaid(s) ? IDC_PERIOD_OVERLAY_VIEW : IDC_PERIOD_MAP_VIEW);
    s.range = DisplayRange;
    for (int r = 0; r < RangeCount; ++r)
        SendDlgItemMessageW(dialog, IDC_PERIOD_RANGE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Wide(
                                (AsciiToUtf16(NumberText(FullScaleLux(r))) + u" lx").c_str())));
    SendDlgItemMessageW(dialog, IDC_PERIOD_RANGE, CB_SETCURSEL, s.range, 0);
    ShowRangeChoice(dialog, s);
}

void ShowView(HWND dialog, PeriodState& s, PeriodView view) {
    s.view = view;
    WriteSettingNumber(ViewSetting, static_cast<uint32_t>(view));
    ShowRangeChoice(dialog, s);
    s.cursorShown = false;
    ShowReadout(dialog, u"");
    InvalidateRect(Picture(dialog), nullptr, FALSE);
}

void TakeRange(HWND dialog, PeriodState& s) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_PERIOD_RANGE, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= RangeCount) return;
    s.range = static_cast<int32_t>(chosen);
    InvalidateRect(Picture(dialog), nullptr, FALSE);
}

void OnInitDialog(HWND dialog, PeriodState* s) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    SetWindowLongPtrW(Picture(dialog), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    CheckRadioButton(dialog, IDC_PERIOD_CH1, IDC_PERIOD_CH2, IDC_PERIOD_CH1);
    for (int ch = 0; ch < 2; ++ch) {
        s->pictures[ch] = MakePeriodPicture(s->request->recordings, ch);
        s->overlays[ch] = MakeOverlay(s->pictures[ch].grid);
    }
    ShowViewChoice(dialog, *s);
    AddFigureRows(dialog, *s);
    ShowHours(dialog, *s);
    ShowFigures(dialog, *s);
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
        case IDC_PERIOD_HOURS_FROM:
        case IDC_PERIOD_HOURS_TO:
            if (HIWORD(wParam) == EN_CHANGE && !s.filling) ReadHours(dialog, s);
            break;
        case IDC_PERIOD_CH1:
            if (s.channel != 0) ShowChannel(dialog, s, 0);
            break;
        case IDC_PERIOD_CH2:
            if (s.channel != 1) ShowChannel(dialog, s, 1);
            break;
        case IDC_PERIOD_MAP_VIEW:
            if (Overlaid(s)) ShowView(dialog, s, PeriodView::Map);
            break;
        case IDC_PERIOD_OVERLAY_VIEW:
            if (!Overlaid(s)) ShowView(dialog, s, PeriodView::Overlay);
            break;
        case IDC_PERIOD_RANGE:
            if (HIWORD(wParam) == CBN_SELCHANGE) TakeRange(dialog, s);
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
