// The printed pages, painted on any DC in its own pixels (a printer's, or a
// memory DC in a test) from the layout of print/report.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "print/report.h"
#include "view/chart.h"

// A DC's page as the layout takes it: printable area, offsets, paper, dpi.
PageGeometry PageOf(HDC dc);

// One recording's page: title, texts, the chart (as the window shows it,
// never the cursor), the figures and the footer.
void PaintRecordingPage(HDC dc, const PageGeometry& page, const RecordingReport& report,
                        const ChartContent& chart);

// A page of one picture under a heading (its first line the title).
using PagePicturePainter = std::function<void(HDC dc, const ChartFrame& frame)>;
// Under the picture, a table of rows of three cells (a name, then two
// figures aligned right), when given.
using PageTable = std::vector<std::vector<std::u16string>>;
void PaintPicturePage(HDC dc, const PageGeometry& page, const std::vector<std::u16string>& heading,
                      int naturalWidth, int naturalHeight, const PagePicturePainter& paint,
                      const PageTable& table = {});

// A table as a list shows it, over as many pages as it takes.
struct PrintedTable {
    std::vector<std::u16string> heading;           // lines above the table on page 1
    std::vector<std::u16string> titles;            // the columns' titles, on every page
    std::vector<bool> rightAligned;                // per column
    std::vector<std::vector<std::u16string>> rows; // every row, as shown
};
// Where its lines go on this DC's pages: each column as wide as its widest
// text, all narrower together if the page is not wide enough. Measured once
// for the whole job.
struct TableLayout {
    int32_t left, right, top, bottom;
    int32_t textSize, lineHeight, padding;
    int firstPage, perPage; // lines below the heading on page 1, and on the others
    std::vector<int32_t> widths;
};
TableLayout LayOutTable(HDC dc, const PageGeometry& page, const PrintedTable& table);
// The pages it takes, and one of them painted (0-based), "n / N" at its foot.
int TablePageTotal(const TableLayout& layout, const PrintedTable& table);
void PaintTablePage(HDC dc, const PageGeometry& page, const PrintedTable& table,
                    const TableLayout& layout, int index);
