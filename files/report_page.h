// The printed pages, painted on any DC in its own pixels (a printer's, or a
// memory DC in a test) from the layout of files/report.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "files/report.h"
#include "view/chart.h"

// One recording's page: title, texts, the chart (as the window shows it,
// never the cursor), the figures and the footer.
void PaintRecordingPage(HDC dc, const PageGeometry& page, const RecordingReport& report,
                        const ChartContent& chart);

// A table as a list shows it, over as many pages as it takes.
struct PrintedTable {
    std::vector<std::u16string> heading;           // lines above the table on page 1
    std::vector<std::u16string> titles;            // the columns' titles, on every page
    std::vector<bool> rightAligned;                // per column
    std::vector<std::vector<std::u16string>> rows; // every row, as shown
};
// The pages it takes on this DC, and one of them painted (0-based), with
// "n / N" at its foot.
int TablePageTotal(HDC dc, const PageGeometry& page, const PrintedTable& table);
void PaintTablePage(HDC dc, const PageGeometry& page, const PrintedTable& table, int index);
