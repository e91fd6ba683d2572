// The statistics dialog: computed from the store when it opens, and the time
// at or above the threshold again whenever the threshold changes.
#include <string>

#include "core/text.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/dialogs.h"
#include "core/statistics.h"
#include "win/wide.h"

namespace {

struct ChannelFields {
    const int32_t* samples;
    int highest, highestTime, lowest, lowestTime, mean, dose, above;
};

void Fields(ChannelFields out[2]) {
    const Recording& r = TheRecording;
    out[0] = {r.Ch1Samples,        IDC_CH1_HIGHEST, IDC_CH1_HIGHEST_TIME, IDC_CH1_LOWEST,
              IDC_CH1_LOWEST_TIME, IDC_CH1_MEAN,    IDC_CH1_DOSE,         IDC_CH1_ABOVE};
    out[1] = {r.Ch2Samples,        IDC_CH2_HIGHEST, IDC_CH2_HIGHEST_TIME, IDC_CH2_LOWEST,
              IDC_CH2_LOWEST_TIME, IDC_CH2_MEAN,    IDC_CH2_DOSE,         IDC_CH2_ABOVE};
}

// ES_NUMBER lets only digits be typed, the limit keeps them to eight.
std::string TypedThreshold(HWND dialog) {
    return AsciiItemText(dialog, IDC_THRESHOLD);
}

void FillFigures(HWND dialog, bool all) {
    int64_t lux = 0;
    const bool hasThreshold = ParseThreshold(TypedThreshold(dialog), lux);
    ChannelFields channels[2];
    Fields(channels);
    for (const ChannelFields& c : channels) {
        const ChannelTexts t = TextsOf(c.samples, TheRecording.StartStamp, hasThreshold, lux);
        SetDlgItemAscii(dialog, c.above, t.aboveThreshold.c_str());
        if (!all) continue;
        SetDlgItemAscii(dialog, c.highest, t.highest.c_str());
        SetDlgItemAscii(dialog, c.highestTime, t.highestTime.c_str());
        SetDlgItemAscii(dialog, c.lowest, t.lowest.c_str());
        SetDlgItemAscii(dialog, c.lowestTime, t.lowestTime.c_str());
        SetDlgItemAscii(dialog, c.mean, t.mean.c_str());
        SetDlgItemAscii(dialog, c.dose, t.dose.c_str());
    }
}

// The program's one threshold follows what is typed, the chart's line too.
void OnThresholdTyped(HWND dialog) {
    SetThresholdText(TypedThreshold(dialog));
    FillFigures(dialog, false);
}

} // namespace

INT_PTR CALLBACK StatDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, IDC_THRESHOLD, EM_LIMITTEXT, ThresholdDigitLimit, 0);
        SetDlgItemAscii(dialog, IDC_THRESHOLD, ThresholdText().c_str());
        FillFigures(dialog, true);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, DialogCancelled);
        else if (LOWORD(wParam) == IDC_THRESHOLD && HIWORD(wParam) == EN_CHANGE)
            OnThresholdTyped(dialog);
        return FALSE;
    default: return FALSE;
    }
}
