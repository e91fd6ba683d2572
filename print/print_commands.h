// Printing: File > 印刷 puts the recording on one landscape page; the list
// of recordings prints its table. Both go through the system's print dialog,
// and tell "印刷できません" when there is no printer or the job fails.
#pragma once
#include <windows.h>

#include "print/report_page.h"

// 0 when printed, -1 when cancelled or an error was shown.
int PrintRecording(HWND window);
int PrintTable(HWND owner, const PrintedTable& table, const std::u16string& documentName);
// One landscape page of a picture under its heading.
int PrintPicture(HWND owner, const std::u16string& documentName,
                 const std::vector<std::u16string>& heading, int naturalWidth, int naturalHeight,
                 const PagePicturePainter& paint, const PageTable& table = {});
