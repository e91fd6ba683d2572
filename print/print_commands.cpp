// The print dialog, the printer's DC and the job around the page painters.
#include "print/print_commands.h"

#include <commdlg.h>

#include <functional>

#include "core/messages.h"
#include "store/store.h"
#include "version.h"
#include "view/chart_as_shown.h"
#include "win/scoped_gdi.h"
#include "win/wide.h"

namespace {

// The system's dialog cannot tell "no printer" from a cancel: Windows and
// Wine show their own box and report a cancel. So the default printer is
// asked for first, and with none the program says so itself.
bool DefaultPrinter(OwnedGlobal& mode, OwnedGlobal& names) {
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgW(&pd)) return false;
    mode.reset(pd.hDevMode);
    names.reset(pd.hDevNames);
    return mode.valid() && names.valid();
}

void Landscape(HGLOBAL mode) {
    if (auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode))) {
        dm->dmOrientation = DMORIENT_LANDSCAPE;
        dm->dmFields |= DM_ORIENTATION;
        GlobalUnlock(mode);
    }
}

enum class Choice { Print, Cancel, Failed };

// The printer the user picks in the system's dialog, set to landscape.
Choice AskPrinter(HWND owner, OwnedDc& dc) {
    OwnedGlobal mode, names;
    if (!DefaultPrinter(mode, names)) return Choice::Failed;
    Landscape(mode.get());
    PRINTDLGEXW pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = mode.release();
    pd.hDevNames = names.release();
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE |
               PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nCopies = 1;
    pd.nStartPage = START_PAGE_GENERAL;
    const HRESULT shown = PrintDlgExW(&pd);
    // The dialog may have given back other handles.
    mode.reset(pd.hDevMode);
    names.reset(pd.hDevNames);
    dc.reset(pd.hDC);
    if (FAILED(shown)) return Choice::Failed;
    if (pd.dwResultAction != PD_RESULT_PRINT) return Choice::Cancel;
    return dc.valid() ? Choice::Print : Choice::Failed;
}

// A job of `pages` pages; false when any step of it failed.
bool PrintJob(HDC dc, const std::u16string& name, int pages,
              const std::function<void(int)>& paint) {
    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = Wide(name.c_str());
    if (StartDocW(dc, &doc) <= 0) return false;
    for (int i = 0; i < pages; ++i) {
        if (StartPage(dc) <= 0) {
            AbortDoc(dc);
            return false;
        }
        paint(i);
        if (EndPage(dc) <= 0) {
            AbortDoc(dc);
            return false;
        }
    }
    return EndDoc(dc) > 0;
}

Stamp Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute};
}

// Asks for the printer and prints; the error box for any failure.
int AskAndPrint(HWND owner, const std::u16string& name,
                const std::function<int(HDC, const PageGeometry&)>& pages,
                const std::function<void(HDC, const PageGeometry&, int)>& paint) {
    OwnedDc dc;
    const Choice choice = AskPrinter(owner, dc);
    if (choice == Choice::Cancel) return -1;
    if (choice == Choice::Print) {
        const PageGeometry page = PageOf(dc.get());
        if (PrintJob(dc.get(), name, pages(dc.get(), page),
                     [&](int i) { paint(dc.get(), page, i); }))
            return 0;
    }
    ShowError(owner, CannotPrintText);
    return -1;
}

} // namespace

int PrintRecording(HWND window) {
    const RecordingReport report = MakeRecordingReport(TheRecording, CurrentFile(), Now(),
                                                       CurrentThreshold(), MARVEK_VERSION_TEXT);
    return AskAndPrint(
        window, ReportDocumentName(CurrentFile()), [](HDC, const PageGeometry&) { return 1; },
        [&](HDC dc, const PageGeometry& page, int) {
            PaintRecordingPage(dc, page, report, ChartAsShown());
        });
}

int PrintTable(HWND owner, const PrintedTable& table, const std::u16string& documentName) {
    TableLayout layout; // measured once, when the printer's page is known
    return AskAndPrint(
        owner, documentName,
        [&](HDC dc, const PageGeometry& page) {
            layout = LayOutTable(dc, page, table);
            return TablePageTotal(layout, table);
        },
        [&](HDC dc, const PageGeometry& page, int i) {
            PaintTablePage(dc, page, table, layout, i);
        });
}

int PrintPicture(HWND owner, const std::u16string& documentName,
                 const std::vector<std::u16string>& heading, int naturalWidth, int naturalHeight,
                 const PagePicturePainter& paint, const PageTable& table) {
    return AskAndPrint(
        owner, documentName, [](HDC, const PageGeometry&) { return 1; },
        [&](HDC dc, const PageGeometry& page, int) {
            PaintPicturePage(dc, page, heading, naturalWidth, naturalHeight, paint, table);
        });
}
