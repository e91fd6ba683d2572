// The text dialog: title, channel names and memo of the recording.
#include <cstring>
#include <string>

#include "core/cp932.h"
#include "store/store.h"
#include "core/text.h"
#include "res/resource.h"
#include "view/dialogs.h"
#include "win/wide.h"

namespace {

// Typing stops at 40 bytes, though a field holds 63.
constexpr int TypedTextLimit = 40;

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

void ShowTexts(HWND dialog) {
    TextFields texts = TheRecording.RecordingTexts;
    TextEdit edits[4];
    TextEdits(texts, edits);
    for (const TextEdit& e : edits)
        SendDlgItemMessageW(dialog, e.id, EM_LIMITTEXT, TypedTextLimit, 0);
    // The save placeholder shows, and stays from now on, as an empty text.
    for (const TextEdit& e : edits)
        if (std::strcmp(e.field, EmptyPlaceholder) == 0) e.field[0] = 0;
    SetTexts(texts);
    for (const TextEdit& e : edits)
        SetItemText932(dialog, e.id, e.field);
}

// The edit may hold more than a field (pasted text, or an edit control that
// counts its limit in characters): the field keeps what fits in 63 bytes,
// never half of a double-byte character.
void TakeTexts(HWND dialog) {
    TextFields texts = {};
    TextEdit edits[4];
    TextEdits(texts, edits);
    for (const TextEdit& e : edits) {
        const std::string text = Utf16ToCp932Lossy(ItemText(dialog, e.id));
        CopyText932(e.field, TextFieldSize, text.c_str());
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
            EndDialog(dialog, 1);
            break;
        case IDCANCEL: EndDialog(dialog, 2); break;
        }
        return FALSE;
    default: return FALSE;
    }
}
