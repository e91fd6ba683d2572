// The maximum dialog: computed once, when it opens.
#include "store/store.h"
#include "res/resource.h"
#include "view/dialogs.h"
#include "core/sample_view.h"
#include "core/statistics.h"

namespace {

void FillMaxima(HWND dialog) {
    const int best1 = MaximumIndex(TheRecording.Ch1Samples);
    const int best2 = MaximumIndex(TheRecording.Ch2Samples);
    SetDlgItemNumber(dialog, IDC_CH1_MAX_NUMBER, best1 + 1);
    SetDlgItemNumber(dialog, IDC_CH2_MAX_NUMBER, best2 + 1);
    SetDlgItemNumber(dialog, IDC_CH1_MAX_LUX, LuxOf(TheRecording.Ch1Samples[best1]));
    SetDlgItemNumber(dialog, IDC_CH2_MAX_LUX, LuxOf(TheRecording.Ch2Samples[best2]));
    const ClockTime t1 = SampleTime(TheRecording.StartStamp, best1 + 1);
    SetDlgItemNumber(dialog, IDC_CH1_MAX_HOUR, t1.hour);
    SetDlgItemNumber(dialog, IDC_CH1_MAX_MINUTE, t1.minute);
    const ClockTime t2 = SampleTime(TheRecording.StartStamp, best2 + 1);
    SetDlgItemNumber(dialog, IDC_CH2_MAX_HOUR, t2.hour);
    SetDlgItemNumber(dialog, IDC_CH2_MAX_MINUTE, t2.minute);
}

} // namespace

INT_PTR CALLBACK MaxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: FillMaxima(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, DialogCancelled);
        return FALSE;
    default: return FALSE;
    }
}
