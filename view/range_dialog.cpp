// The display-range dialog: one auto radio button per full scale.
#include "store/store.h"
#include "res/resource.h"
#include "view/chart_scale.h"
#include "view/dialogs.h"

namespace {

constexpr int RangeButtons[RangeCount] = {IDC_RANGE_12500, IDC_RANGE_25000, IDC_RANGE_50000,
                                          IDC_RANGE_100000, IDC_RANGE_200000};

void ShowRange(HWND dialog) {
    for (int i = 0; i < RangeCount; ++i)
        SendDlgItemMessageW(dialog, RangeButtons[i], BM_SETCHECK, i == DisplayRange ? 1 : 0, 0);
}

// The highest checked button wins; with none checked the range stays.
void TakeRange(HWND dialog) {
    int32_t range = DisplayRange;
    for (int i = 0; i < RangeCount; ++i)
        if (IsDlgButtonChecked(dialog, RangeButtons[i]) == BST_CHECKED) range = i;
    SetDisplayRange(range);
}

} // namespace

INT_PTR CALLBACK RangeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: ShowRange(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            TakeRange(dialog);
            EndDialog(dialog, DialogDone);
            break;
        case IDCANCEL: EndDialog(dialog, DialogCancelled); break;
        }
        return FALSE;
    default: return FALSE;
    }
}
