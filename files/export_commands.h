// The Tools menu: the recording as CSV, the chart as a PNG file or on the
// clipboard. Exporting changes nothing else: the recording, the caption and
// the current file stay as they were.
#pragma once
#include <windows.h>

#include "files/file_dialog.h"
#include "view/chart_image.h"

// Each returns 0 when done, -1 when cancelled or an error was shown.
int ExportCsv(HWND window);
int ExportChartImage(HWND window);
int CopyChart(HWND window);

// A picture to save or copy: its size in pixels at 96 DPI, the metafile's
// description, and the painter that draws it on white.
struct PictureSource {
    int width, height;
    const wchar_t* description;
    PicturePainter paint;
};
// The image dialogs' two types.
constexpr wchar_t PictureFilter[] = L"PNG画像 (*.png)\0*.png\0EMF 図 (*.emf)\0*.emf\0";
// Saved as PNG or as EMF, as the name's extension says; copied as both a
// bitmap and a metafile. 0 when done, -1 when cancelled or an error was shown.
int SavePictureAs(HWND owner, const FileDialogSetup& setup, const PictureSource& picture);
int CopyPicture(HWND owner, const PictureSource& picture);
