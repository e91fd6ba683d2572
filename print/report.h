// A printed report, window-free: the texts of one recording's page and where
// each part of a page goes, worked out from the page's size and resolution
// alone (so a test can know where the printer drew the chart), and the pages
// a long table takes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/recording.h"
#include "view/chart_scale.h"
#include "core/statistics.h"

// "MARVEK Ⅱ - <file name>", or "… - 受信データ" for a download not saved: the
// document's name in the spooler.
std::u16string ReportDocumentName(const std::u16string& path);

struct ReportFigureRow {
    std::u16string label, ch1, ch2;
};

// One recording's page, top to bottom.
struct RecordingReport {
    std::u16string title;          // or "(タイトルなし)"
    std::u16string file;           // the name the caption shows, or "受信データ"
    std::u16string period;         // "YYYY/MM/DD hh:mm 〜 …" to sample 840; empty without a date
    std::u16string ch1, ch2, memo; // "CH1: <name>", "CH2: <name>", the memo
    std::vector<ReportFigureRow> figures; // the statistics dialog's, a title row first
    std::u16string printedAt;             // "印刷日時 YYYY/MM/DD hh:mm"
    std::u16string program;               // "MARVEK Ⅱ <version>"
    std::u16string path;                  // the file's full path; empty for a download not saved
};
// `now` is the local time of printing (its weekday is not looked at).
RecordingReport MakeRecordingReport(const Recording& r, const std::u16string& path,
                                    const Stamp& now, const Threshold& threshold,
                                    const char* version);

// A printer's page in its own pixels: the printable area's size, its offset
// from the paper's edge, the paper's size, and the resolution.
struct PageGeometry {
    int32_t width, height;           // HORZRES, VERTRES
    int32_t offsetX, offsetY;        // PHYSICALOFFSETX/Y
    int32_t paperWidth, paperHeight; // PHYSICALWIDTH/HEIGHT
    int dpi;                         // LOGPIXELSY
};

// Device pixels of a size in points at the page's resolution.
int32_t Points(const PageGeometry& page, int32_t points);

// Where the recording's page puts each part, in the printable area's pixels.
struct RecordingPageLayout {
    int32_t left, right, top, bottom; // the content: 15 mm from the paper's edges, or less
    int32_t titleY, titleSize;        // a text's top and its font's height
    int32_t textSize, lineHeight;     // the header's, the table's and the footer's text
    int32_t headerY;                  // three lines: file and period, CH1 and CH2, memo
    ChartFrame chart;                 // the page's width; texts and pens no larger than fit
    int32_t tableY;                   // the figures, one line each
    int32_t columns[3];               // the table's label's left, CH1's and CH2's right edges
    int32_t footerY;                  // two lines: date, program; path
};
RecordingPageLayout LayOutRecordingPage(const PageGeometry& page, int figureRows);

// A page of one picture under a heading: a title, then `lines` lines of
// text, then the picture across the page's width at a resolution whose
// natural frame (at 96 DPI) fits what is left above a table of `rows` rows
// in three columns.
struct PicturePageLayout {
    int32_t left, right, top, bottom;
    int32_t titleSize, textSize, lineHeight;
    int32_t linesY; // the heading's lines below the title
    ChartFrame picture;
    int32_t tableY;     // the table's first row
    int32_t columns[3]; // its first column's left, the others' right edges
};
PicturePageLayout LayOutPicturePage(const PageGeometry& page, int lines, int naturalWidth,
                                    int naturalHeight, int rows = 0);

// A table of `rows` lines over pages that hold `firstPage` lines on the
// first (below its heading) and `perPage` on each after: how many pages, and
// the first line of page p (0-based).
int TablePageCount(int rows, int firstPage, int perPage);
int TablePageStart(int page, int firstPage, int perPage);
