// The structure as the older systems knew it, so that every system shows the
// plain dialog; a buffer of 32,768 units, so that only really bad names fail.
#include "files/file_dialog.h"

#include <vector>

#include "core/messages.h"
#include "win/wide.h"

namespace {

constexpr DWORD FileBufferSize = 32768;

std::u16string Ask(HWND owner, const FileDialogSpec& spec, bool save) {
    std::vector<wchar_t> path(FileBufferSize, L'\0');
    spec.initialName.copy(reinterpret_cast<char16_t*>(path.data()), FileBufferSize - 1);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = spec.filter;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = FileBufferSize;
    ofn.lpstrInitialDir = spec.initialFolder.empty() ? nullptr : Wide(spec.initialFolder.c_str());
    ofn.lpstrTitle = spec.title;
    ofn.Flags = OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = spec.defaultExtension;
    if (save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) return Utf16(path.data());
    if (CommDlgExtendedError() != 0) ShowError(owner, BadFileNameText);
    return u"";
}

} // namespace

std::u16string AskSavePath(HWND owner, const FileDialogSpec& spec) {
    return Ask(owner, spec, true);
}

std::u16string AskOpenPath(HWND owner, const FileDialogSpec& spec) {
    return Ask(owner, spec, false);
}
