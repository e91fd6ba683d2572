// 期間グラフ: the chosen recordings as a map of days and hours, modal to the
// list. It shows one channel at a time, reads the cell under the mouse or
// the keyboard's cursor, prints, saves and copies what it shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/threshold.h"
#include "list/period_map.h"

struct PeriodRequest {
    std::u16string folder;
    std::vector<std::u16string> files;       // the chosen rows' files, in the list's order
    std::vector<PeriodRecording> recordings; // and their samples, the same order
    Threshold threshold;
    int64_t budget = 0; // lx·h a year; 0: none
};

// The file of the recording a double click or Enter chose, to open in the
// main window once the list has closed too; empty when the window was
// just closed.
std::u16string ShowPeriodWindow(HWND owner, const PeriodRequest& request);
