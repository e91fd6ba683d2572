// The text dialog: title, channel names and memo of the recording. Each edit
// takes only what code page 932 can hold, and at most 40 bytes of it, counted
// here in bytes whatever the platform's edit control counts; what is shown is
// what OK keeps.
#include <cstring>
#include <string>

#include "core/cp932.h"
#include "core/text.h"
#include "core/text_entry.h"
#include "res/resource.h"
#include "store/store.h"
#include "view/dialogs.h"
#include "win/clipboard.h"
#include "win/wide.h"

namespace {

// The edit control's own limit stays above any field (63 bytes are at most
// 63 characters), so that only the byte rule below decides.
constexpr int EditCharacterLimit = TextFieldSize - 1;

constexpr wchar_t OriginalProcedure[] = L"MarvekEditProcedure";

struct TextEdit {
    int id;
    char* field;
};

void TextEdits(TextFields& t, TextEdit edits[4]) {
    edits[0] = {IDC_TITLE, t.Title};
    edits[1] = {IDC_CH1_NAME, t.Ch1Name};
    edits[2] = {IDC_CH2_NAME, t.Ch2Name};
    edits[3] = {IDC_MEMO, t.Memo};
}

std::u16string EditText(HWND edit) {
    return ItemText(GetParent(edit), GetDlgCtrlID(edit));
}

// Puts what fits of `typed` in place of the selection; a beep for what was
// left out.
void Insert(HWND edit, std::u16string_view typed) {
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const Insertion fit = FitInsertion(EditText(edit), from, to, typed);
    if (fit.refused || fit.cut) MessageBeep(MB_OK);
    if (!fit.text.empty())
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(fit.text.c_str())));
}

LRESULT CALLBACK TextEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(edit, OriginalProcedure));
    switch (message) {
    case WM_CHAR: {
        const auto c = static_cast<char16_t>(wParam);
        if (c < 0x20 || c == 0x7F) break; // editing keys: backspace, Ctrl+C, Ctrl+V, ...
        if (c >= 0xD800 && c <= 0xDFFF) {
            // Outside the BMP, so never in code page 932: one beep for the pair.
            if (c <= 0xDBFF) MessageBeep(MB_OK);
            return 0;
        }
        Insert(edit, std::u16string_view(&c, 1));
        return 0;
    }
    case WM_PASTE: Insert(edit, ClipboardText(edit)); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(edit, OriginalProcedure);
        break;
    }
    return CallWindowProcW(original, edit, message, wParam, lParam);
}

void GuardTyping(HWND edit) {
    SendMessageW(edit, EM_LIMITTEXT, EditCharacterLimit, 0);
    const LONG_PTR original =
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextEditProc));
    SetPropW(edit, OriginalProcedure, reinterpret_cast<HANDLE>(original));
}

void ShowTexts(HWND dialog) {
    TextFields texts = TheRecording.RecordingTexts;
    TextEdit edits[4];
    TextEdits(texts, edits);
    for (const TextEdit& e : edits)
        GuardTyping(GetDlgItem(dialog, e.id));
    // The save placeholder shows, and stays from now on, as an empty text.
    for (const TextEdit& e : edits)
        if (IsPlaceholder(e.field)) e.field[0] = 0;
    SetTexts(texts);
    for (const TextEdit& e : edits)
        SetItemText932(dialog, e.id, e.field);
}

// An edit left as it was shown keeps its bytes exactly, even those that are
// not valid code page 932; an edited one is converted, its line breaks become
// spaces, and it is cut to the field on a character boundary.
void TakeTexts(HWND dialog) {
    const TextFields shown = TheRecording.RecordingTexts;
    TextFields texts = shown;
    TextEdit edits[4];
    TextEdits(texts, edits);
    for (const TextEdit& e : edits) {
        const std::u16string text = ItemText(dialog, e.id);
        if (text == Cp932ToUtf16(e.field)) continue;
        std::string bytes = Utf16ToCp932Lossy(text);
        FlattenLineBreaks(&bytes[0]);
        CopyText932(e.field, TextFieldSize, bytes.c_str());
    }
    SetTexts(texts);
}

} // namespace

INT_PTR CALLBACK TextDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: ShowTexts(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            TakeTexts(dialog);
            EndDialog(dialog, DialogDone);
            break;
        case IDCANCEL: EndDialog(dialog, DialogCancelled); break;
        }
        return FALSE;
    default: return FALSE;
    }
}
