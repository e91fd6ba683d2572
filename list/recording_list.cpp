// The list dialog. Each file is read once, when the folder is listed; a new
// threshold or a new selection is worked out from the counts kept in the
// rows. The list view asks for each cell's text as it draws it.
#include "list/recording_list.h"

#include <commctrl.h>
#include <shlobj.h>

#include <iterator>
#include <string>
#include <vector>

#include "core/file_name.h"
#include "core/messages.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/file_commands.h"
#include "files/file_dialog.h"
#include "print/print_commands.h"
#include "files/safe_write.h"
#include "files/save_bytes.h"
#include "list/period_window.h"
#include "list/summary_table.h"
#include "res/resource.h"
#include "store/store.h"
#include "win/com.h"
#include "win/owned_handle.h"
#include "win/settings.h"
#include "win/wide.h"

namespace {

// Around a column's title, as the header draws it.
constexpr int TitleMargin = 12;

struct ListState {
    std::u16string folder;
    std::vector<SummaryRow> rows;
    Threshold threshold;
    int64_t budget = 0; // lx·h a year; 0: none
    SummaryTotal total;
    std::u16string toOpen; // the file to open once the list has closed
    std::u16string cell;   // the text last handed to the list view
};

// The folder picked with 参照... stays until the program ends; it is never stored.
std::u16string PickedFolder;

// The yearly light budget, as typed: kept in the settings.
constexpr wchar_t BudgetValue[] = L"AnnualBudget";

std::u16string StartingFolder() {
    if (!PickedFolder.empty()) return PickedFolder;
    const std::u16string archive = WithoutTrailingSeparators(ArchiveFolder());
    if (!archive.empty() && IsFolder(archive)) return archive;
    if (!CurrentFile().empty())
        return WithoutTrailingSeparators(std::u16string(SplitPath(CurrentFile()).folder));
    return DocumentsFolder();
}

// Every *.mv2 directly in the folder, read as File > Open reads it.
std::vector<SummaryRow> ReadFolder(const std::u16string& folder) {
    std::vector<SummaryRow> rows;
    WIN32_FIND_DATAW found;
    OwnedSearch search(
        FindFirstFileW(Wide(FileCallPath(InFolder(folder, u"*.mv2")).c_str()), &found));
    if (!search.valid()) return rows;
    Recording r;
    do {
        const std::u16string name = Utf16(found.cFileName);
        // The pattern also matches longer extensions through short names.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !HasExtension(name, u".mv2"))
            continue;
        EmptyRecording(r);
        if (const char16_t* reason = ReadRecordingFile(InFolder(folder, name), r))
            rows.push_back(UnreadableRow(name, name, reason));
        else
            rows.push_back(ReadableRow(name, name, r));
    } while (FindNextFileW(search.get(), &found));
    SortRows(rows);
    return rows;
}

ListState& State(HWND dialog) {
    return *reinterpret_cast<ListState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND TableControl(HWND dialog) {
    return GetDlgItem(dialog, IDC_LIST_TABLE);
}

int TotalIndex(const ListState& s) {
    return static_cast<int>(s.rows.size());
}

void AddColumns(HWND dialog) {
    HWND table = TableControl(dialog);
    ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < SummaryColumnCount; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = c < FirstFigureColumn ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.pszText = const_cast<wchar_t*>(Wide(SummaryTitles[c]));
        SendMessageW(table, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
}

// The rows chosen for the total: the selected ones, or all when none is.
std::vector<int> Chosen(HWND dialog) {
    std::vector<int> chosen;
    for (int i = ListView_GetNextItem(TableControl(dialog), -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(TableControl(dialog), i, LVNI_SELECTED))
        chosen.push_back(i);
    return chosen;
}

// The readable rows the total counts, in the list's order.
std::vector<int> Counted(HWND dialog) {
    const ListState& s = State(dialog);
    std::vector<int> chosen = Chosen(dialog);
    if (chosen.empty())
        for (int i = 0; i < TotalIndex(s); ++i)
            chosen.push_back(i);
    std::vector<int> counted;
    for (int i : chosen)
        if (i < TotalIndex(s) && !s.rows[static_cast<size_t>(i)].reason) counted.push_back(i);
    return counted;
}

// The two lines under the table follow the rows the total counts, and so
// does the period's button.
void UpdateTotal(HWND dialog) {
    ListState& s = State(dialog);
    s.total = TotalOf(s.rows, Chosen(dialog), s.threshold);
    EnableWindow(GetDlgItem(dialog, IDC_LIST_PERIOD), s.total.rows > 0);
    ListView_RedrawItems(TableControl(dialog), TotalIndex(s), TotalIndex(s));
    SetDlgItemTextW(dialog, IDC_LIST_BUDGET_CH1, Wide(BudgetLine(0, s.total, s.budget).c_str()));
    SetDlgItemTextW(dialog, IDC_LIST_BUDGET_CH2, Wide(BudgetLine(1, s.total, s.budget).c_str()));
}

int FocusedRow(HWND dialog) {
    return ListView_GetNextItem(TableControl(dialog), -1, LVNI_FOCUSED);
}

bool CanOpen(HWND dialog) {
    const ListState& s = State(dialog);
    const int row = FocusedRow(dialog);
    return row >= 0 && row < TotalIndex(s) && !s.rows[static_cast<size_t>(row)].reason;
}

void UpdateOpenButton(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDC_LIST_OPEN), CanOpen(dialog));
}

// One item per row and the total last; the texts come when drawn. No row
// is selected and the first has the focus.
void FillList(HWND dialog) {
    ListState& s = State(dialog);
    s.rows = ReadFolder(s.folder);
    SetDlgItemTextW(dialog, IDC_LIST_FOLDER, Wide(s.folder.c_str()));
    HWND table = TableControl(dialog);
    SendMessageW(table, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(table);
    ListView_SetItemCount(table, TotalIndex(s) + 1);
    for (int i = 0; i <= TotalIndex(s); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetItemState(table, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    // Wide enough for each column's title and every text in it.
    for (int c = 0; c < SummaryColumnCount; ++c) {
        ListView_SetColumnWidth(table, c, LVSCW_AUTOSIZE);
        const int title = ListView_GetStringWidth(table, Wide(SummaryTitles[c])) + 2 * TitleMargin;
        if (ListView_GetColumnWidth(table, c) < title) ListView_SetColumnWidth(table, c, title);
    }
    SendMessageW(table, WM_SETREDRAW, TRUE, 0);
    UpdateTotal(dialog);
    UpdateOpenButton(dialog);
}

// The program's one threshold follows what is typed, the chart's line too.
void ReadThreshold(HWND dialog) {
    ListState& s = State(dialog);
    const std::string typed = AsciiItemText(dialog, IDC_LIST_THRESHOLD);
    SetThresholdText(typed);
    s.threshold.given = ParseThreshold(typed, s.threshold.lux);
    UpdateTotal(dialog);
    InvalidateRect(TableControl(dialog), nullptr, FALSE);
}

// Kept as typed, empty or digits; 0 draws no lines.
void ReadBudget(HWND dialog) {
    ListState& s = State(dialog);
    const std::string typed = AsciiItemText(dialog, IDC_LIST_BUDGET);
    int64_t budget = 0;
    const bool number = ParseBudget(typed, budget);
    if (number || typed.empty()) WriteSettingText(BudgetValue, AsciiToUtf16(typed));
    s.budget = number ? budget : 0;
    UpdateTotal(dialog);
}

// The stored budget, unless it is not one.
std::string StoredBudget() {
    std::u16string stored;
    std::string text;
    int64_t ignored = 0;
    if (!ReadSettingText(BudgetValue, stored) || !Utf16ToAscii(stored, text)) return "";
    return text.empty() || ParseBudget(text, ignored) ? text : "";
}

void GiveCellText(HWND dialog, NMLVDISPINFOW* info) {
    if (!(info->item.mask & LVIF_TEXT)) return;
    ListState& s = State(dialog);
    const int row = info->item.iItem;
    if (row < 0 || row > TotalIndex(s)) return;
    s.cell = row == TotalIndex(s)
                 ? TotalCell(s.total, info->item.iSubItem, s.threshold)
                 : RowCell(s.rows[static_cast<size_t>(row)], info->item.iSubItem, s.threshold);
    info->item.pszText = const_cast<wchar_t*>(Wide(s.cell.c_str()));
}

void Open(HWND dialog) {
    if (!CanOpen(dialog)) return;
    ListState& s = State(dialog);
    s.toOpen = InFolder(s.folder, s.rows[static_cast<size_t>(FocusedRow(dialog))].name);
    EndDialog(dialog, IDOK);
}

// The counted rows over the period they cover; the list closes behind a
// recording the period window chose to open.
void ShowPeriod(HWND dialog) {
    ListState& s = State(dialog);
    PeriodRequest request;
    request.folder = s.folder;
    request.threshold = s.threshold;
    request.budget = s.budget;
    for (int i : Counted(dialog)) {
        const SummaryRow& row = s.rows[static_cast<size_t>(i)];
        request.files.push_back(row.name);
        request.recordings.push_back({row.start, {row.samples[0].data(), row.samples[1].data()}});
    }
    if (request.recordings.empty()) return;
    if (PeriodDayCount(request.recordings) > MaxPeriodDays) {
        ShowError(dialog, PeriodTooLongText);
        return;
    }
    s.toOpen = ShowPeriodWindow(dialog, request);
    if (s.toOpen.empty()) return;
    EndDialog(dialog, IDOK);
}

void SaveCsv(HWND dialog) {
    const ListState& s = State(dialog);
    const FileDialogSetup setup = {L"CSV形式で保存", L"CSVファイル (*.csv)\0*.csv\0", L"csv",
                                   s.folder, u"記録の一覧.csv"};
    const std::u16string path = AskSavePath(dialog, setup);
    if (path.empty()) return;
    const std::string bytes = SummaryCsv(s.rows, s.total, s.threshold);
    SaveBytesOrTell(dialog, path, bytes);
}

// The table as shown: the folder and the threshold above it, every row, the
// total last.
void PrintList(HWND dialog) {
    const ListState& s = State(dialog);
    PrintedTable table;
    table.heading = {u"フォルダー: " + s.folder,
                     s.threshold.given
                         ? u"しきい値: " + AsciiToUtf16(NumberText(s.threshold.lux)) + u" lx"
                         : u"しきい値: なし"};
    for (int c = 0; c < SummaryColumnCount; ++c) {
        table.titles.push_back(SummaryTitles[c]);
        table.rightAligned.push_back(c >= FirstFigureColumn);
    }
    for (const SummaryRow& row : s.rows) {
        std::vector<std::u16string> cells;
        for (int c = 0; c < SummaryColumnCount; ++c)
            cells.push_back(RowCell(row, c, s.threshold));
        table.rows.push_back(std::move(cells));
    }
    std::vector<std::u16string> total;
    for (int c = 0; c < SummaryColumnCount; ++c)
        total.push_back(TotalCell(s.total, c, s.threshold));
    table.rows.push_back(std::move(total));
    PrintTable(dialog, table, u"MARVEK Ⅱ - 記録の一覧");
}

int CALLBACK StartBrowsingAt(HWND browser, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

// The shell's folder picker; COM for the length of the pick.
void Browse(HWND dialog) {
    ListState& s = State(dialog);
    const ComScope com;
    BROWSEINFOW info = {};
    info.hwndOwner = dialog;
    info.lpszTitle = L"記録のあるフォルダーを選んでください";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = StartBrowsingAt;
    info.lParam = reinterpret_cast<LPARAM>(s.folder.c_str());
    const ComMemory<PIDLIST_ABSOLUTE> picked(SHBrowseForFolderW(&info));
    std::u16string folder(32768, u'\0');
    if (!picked.get() ||
        !SHGetPathFromIDListEx(picked.get(), reinterpret_cast<wchar_t*>(&folder[0]), 32768,
                               GPFIDL_DEFAULT))
        return;
    folder.resize(folder.find(u'\0'));
    PickedFolder = s.folder = folder;
    FillList(dialog);
}

// The total row is never selected.
LRESULT OnItemChanging(HWND dialog, const NMLISTVIEW* change) {
    return change->iItem == TotalIndex(State(dialog)) && (change->uChanged & LVIF_STATE) &&
           (change->uNewState & LVIS_SELECTED);
}

void OnItemChanged(HWND dialog, const NMLISTVIEW* change) {
    if (!(change->uChanged & LVIF_STATE)) return;
    if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) UpdateTotal(dialog);
    if ((change->uNewState ^ change->uOldState) & LVIS_FOCUSED) UpdateOpenButton(dialog);
}

LRESULT OnNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != IDC_LIST_TABLE) return 0;
    switch (header->code) {
    case LVN_GETDISPINFOW:
        GiveCellText(dialog, reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
        return 0;
    case LVN_ITEMCHANGING:
        return OnItemChanging(dialog, reinterpret_cast<const NMLISTVIEW*>(header));
    case LVN_ITEMCHANGED:
        OnItemChanged(dialog, reinterpret_cast<const NMLISTVIEW*>(header));
        return 0;
    case NM_DBLCLK: Open(dialog); return 0;
    default: return 0;
    }
}

// 基準: both fields from one choice, which is not kept; (選択しない) again
// whenever the list opens.
void FillStandards(HWND dialog) {
    for (const StandardLevel& level : StandardLevels)
        SendDlgItemMessageW(dialog, IDC_LIST_STANDARD, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Wide(level.name)));
    SendDlgItemMessageW(dialog, IDC_LIST_STANDARD, CB_SETCURSEL, 0, 0);
}

void TakeStandard(HWND dialog) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_LIST_STANDARD, CB_GETCURSEL, 0, 0);
    if (chosen <= 0 || chosen >= static_cast<LRESULT>(std::size(StandardLevels))) return;
    const StandardLevel& level = StandardLevels[chosen];
    SetDlgItemTextA(dialog, IDC_LIST_THRESHOLD, level.threshold);
    SetDlgItemTextA(dialog, IDC_LIST_BUDGET, level.budget);
}

void OnInitDialog(HWND dialog, ListState* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    AddColumns(dialog);
    SendDlgItemMessageW(dialog, IDC_LIST_THRESHOLD, EM_LIMITTEXT, ThresholdDigitLimit, 0);
    SendDlgItemMessageW(dialog, IDC_LIST_BUDGET, EM_LIMITTEXT, BudgetDigitLimit, 0);
    state->threshold = CurrentThreshold();
    SetDlgItemTextA(dialog, IDC_LIST_THRESHOLD, ThresholdText().c_str());
    const std::string budget = StoredBudget();
    if (!ParseBudget(budget, state->budget)) state->budget = 0;
    SetDlgItemTextA(dialog, IDC_LIST_BUDGET, budget.c_str());
    FillStandards(dialog);
    FillList(dialog);
}

INT_PTR CALLBACK ListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<ListState*>(lParam));
        SetFocus(TableControl(dialog)); // the table, not the folder's text
        return FALSE;
    case WM_NOTIFY:
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT,
                          OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam)));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LIST_THRESHOLD:
            if (HIWORD(wParam) == EN_CHANGE) ReadThreshold(dialog);
            break;
        case IDC_LIST_BUDGET:
            if (HIWORD(wParam) == EN_CHANGE) ReadBudget(dialog);
            break;
        case IDC_LIST_BROWSE: Browse(dialog); break;
        case IDC_LIST_SAVE_CSV: SaveCsv(dialog); break;
        case IDC_LIST_PRINT: PrintList(dialog); break;
        case IDC_LIST_PERIOD: ShowPeriod(dialog); break;
        case IDC_LIST_STANDARD:
            if (HIWORD(wParam) == CBN_SELCHANGE) TakeStandard(dialog);
            break;
        case IDC_LIST_OPEN: Open(dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        }
        return FALSE;
    default: return FALSE;
    }
}

} // namespace

int ShowRecordingList(HWND window) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ListState state;
    state.folder = StartingFolder();
    DialogBoxParamW(GetModuleHandleW(nullptr), ListTemplate, window, ListDlgProc,
                    reinterpret_cast<LPARAM>(&state));
    if (!state.toOpen.empty()) OpenRecordingFile(window, state.toOpen);
    return 0;
}
