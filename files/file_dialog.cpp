// The structure as the older systems knew it, so that every system shows the
// plain dialog; a buffer of 32,768 units, so that only really bad names fail.
#include "files/file_dialog.h"

#include <vector>

#include "core/messages.h"
#include "win/wide.h"

namespace {

constexpr DWORD FileBufferSize = 32768;

std::u16string Ask(HWND owner, const FileDialogSetup& setup, bool save) {
    std::vector<wchar_t> path(FileBufferSize, L'\0');
    setup.initialName.copy(reinterpret_cast<char16_t*>(path.data()), FileBufferSize - 1);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = setup.filter;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = FileBufferSize;
    ofn.lpstrInitialDir = setup.initialFolder.empty() ? nullptr : Wide(setup.initialFolder.c_str());
    ofn.lpstrTitle = setup.title;
    ofn.Flags = OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = setup.defaultExtension;
    if (save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) return Utf16(path.data());
    if (CommDlgExtendedError() != 0) ShowError(owner, BadFileNameText);
    return u"";
}

} // namespace

std::u16string AskSavePath(HWND owner, const FileDialogSetup& setup) {
    return Ask(owner, setup, true);
}

std::u16string AskOpenPath(HWND owner, const FileDialogSetup& setup) {
    return Ask(owner, setup, false);
}
