// Help > 利用ガイド and Help > バージョン情報.
#include "app/help_commands.h"
#include "app/window_handles.h"

#include <shellapi.h>

#include <string>

#include "core/file_name.h"
#include "core/messages.h"
#include "files/archive.h"
#include "res/resource.h"
#include "store/store.h"
#include "version.h"
#include "win/wide.h"

namespace {

constexpr char16_t GuideName[] = u"guide-ja.html";

std::u16string ProgramFolder() {
    std::u16string path(32768, u'\0');
    const DWORD n = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(&path[0]),
                                       static_cast<DWORD>(path.size()));
    path.resize(n < path.size() ? n : 0);
    return std::u16string(SplitPath(path).folder);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, L"バージョン " MARVEK_VERSION_TEXT);
        const std::u16string archive = WithoutTrailingSeparators(ArchiveFolder());
        SetDlgItemTextW(dialog, IDC_ABOUT_ARCHIVE, Wide(archive.c_str()));
        // On OK, so that the folder shows from its start, unselected.
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 1);
        return FALSE;
    default: return FALSE;
    }
}

} // namespace

// The full path: a bare name would be looked up in the current folder first
// and could open another file.
void OpenGuide(HWND window) {
    const std::u16string folder = ProgramFolder();
    const std::u16string guide = InFolder(folder, GuideName);
    const DWORD attributes = GetFileAttributesW(Wide(guide.c_str()));
    const bool present = !folder.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
                         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (present &&
        reinterpret_cast<INT_PTR>(ShellExecuteW(window, L"open", Wide(guide.c_str()), nullptr,
                                                Wide(folder.c_str()), SW_SHOWNORMAL)) > 32)
        return;
    ShowError(window, GuideMissingText);
}

void ShowAbout(HWND window) {
    DialogBoxParamW(Instance, AboutTemplate, window, AboutDlgProc, 0);
}
