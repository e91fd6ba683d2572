// The data view: the sample at DataViewPosition, stepped by the six buttons.
#include "store/store.h"
#include "core/text.h"
#include "res/resource.h"
#include "view/dialogs.h"
#include "core/sample_view.h"

namespace {

int32_t StepOf(WORD id) {
    switch (id) {
    case IDC_STEP_MINUS_1: return -1;
    case IDC_STEP_MINUS_10: return -10;
    case IDC_STEP_MINUS_100: return -100;
    case IDC_STEP_PLUS_1: return 1;
    case IDC_STEP_PLUS_10: return 10;
    case IDC_STEP_PLUS_100: return 100;
    default: return 0;
    }
}

void FillDataDlgDate(HWND dialog) {
    const Stamp& s = TheRecording.StartStamp;
    SetDlgItemNumber(dialog, IDC_YEAR, s.Year);
    SetDlgItemNumber(dialog, IDC_MONTH, s.Month);
    SetDlgItemNumber(dialog, IDC_DAY, s.Day);
    char weekday[WeekdayTextSize];
    WeekdayText(s.Weekday, weekday);
    SetDlgItemAscii(dialog, IDC_WEEKDAY, weekday);
}

void FillDataDlgSample(int32_t n, HWND dialog) {
    const ClockTime t = SampleTime(TheRecording.StartStamp, n);
    SetDlgItemNumber(dialog, IDC_HOUR, t.hour);
    SetDlgItemNumber(dialog, IDC_MINUTE, t.minute);
    SetDlgItemNumber(dialog, IDC_CH1_LUX, LuxOf(TheRecording.Ch1Samples[n - 1]));
    SetDlgItemNumber(dialog, IDC_CH2_LUX, LuxOf(TheRecording.Ch2Samples[n - 1]));
}

void Step(HWND dialog, int32_t step) {
    const int32_t next = StepPosition(DataViewPosition, step);
    if (next == DataViewPosition) return; // refused: nothing is rewritten
    SetDataViewPosition(next);
    SetDlgItemNumber(dialog, IDC_POSITION, next);
    FillDataDlgSample(next, dialog);
}

} // namespace

void SetDlgItemNumber(HWND dialog, int id, int64_t value) {
    char text[NumberTextSize];
    FormatNumber(value, text);
    SetDlgItemAscii(dialog, id, text);
}

void SetDlgItemAscii(HWND dialog, int id, const char* text) {
    wchar_t wide[64];
    int n = 0;
    for (; text[n] != 0 && n < 63; ++n)
        wide[n] = static_cast<unsigned char>(text[n]);
    wide[n] = 0;
    SetDlgItemTextW(dialog, id, wide);
}

INT_PTR CALLBACK DataDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FillDataDlgDate(dialog);
        SetDlgItemNumber(dialog, IDC_POSITION, DataViewPosition);
        FillDataDlgSample(DataViewPosition, dialog);
        return TRUE;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id == IDCANCEL)
            EndDialog(dialog, DialogCancelled);
        else if (StepOf(id) != 0)
            Step(dialog, StepOf(id));
        return FALSE;
    }
    default: return FALSE;
    }
}
