// Export through the same file dialogs and safe writer as Save As.
#include "files/export_commands.h"

#include <string>

#include "core/file_name.h"
#include "core/messages.h"
#include "files/archive_name.h"
#include "files/csv.h"
#include "files/file_dialog.h"
#include "files/safe_write.h"
#include "files/save_bytes.h"
#include "store/store.h"
#include "view/chart_as_shown.h"
#include "view/chart_image.h"
#include "win/clipboard.h"
#include "win/scoped_gdi.h"
#include "win/wide.h"

namespace {

// Starts in the current file's folder with its name and the new extension,
// or with the start stamp's name when there is no current file.
FileDialogSetup ExportDialog(const wchar_t* title, const wchar_t* filter,
                             const wchar_t* extension) {
    FileDialogSetup setup = {title, filter, extension, u"", u""};
    const std::u16string dotted = u"." + std::u16string(Utf16(extension));
    const std::u16string& current = CurrentFile();
    if (current.empty()) {
        setup.initialName = StampFileName(TheRecording.StartStamp, dotted);
    } else {
        const PathParts parts = SplitPath(current);
        setup.initialFolder = std::u16string(parts.folder);
        setup.initialName = std::u16string(parts.stem) + dotted;
    }
    return setup;
}

int SaveBytes(HWND window, const FileDialogSetup& setup, const std::string& bytes) {
    const std::u16string path = AskSavePath(window, setup);
    return path.empty() ? -1 : SaveBytesOrTell(window, path, bytes);
}

// The PNG as the window shows the chart, pixel for pixel.
bool ChartPng(std::string& png) {
    ChartImage image;
    return RenderChart(ChartAsShown(), image) && EncodePng(image, png);
}

// The same chart as vectors.
bool ChartEmf(std::string& emf) {
    const OwnedMetafile metafile(ChartMetafile(ChartAsShown()));
    return metafile.valid() && MetafileBytes(metafile.get(), emf);
}

} // namespace

int ExportCsv(HWND window) {
    return SaveBytes(window,
                     ExportDialog(L"CSV形式で保存", L"CSVファイル (*.csv)\0*.csv\0", L"csv"),
                     RecordingCsv(TheRecording));
}

// The name's extension says which: the dialog gives a name the chosen type's.
int ExportChartImage(HWND window) {
    const std::u16string path = AskSavePath(
        window, ExportDialog(L"グラフを画像で保存",
                             L"PNG画像 (*.png)\0*.png\0EMF 図 (*.emf)\0*.emf\0", L"png"));
    if (path.empty()) return -1;
    std::string bytes;
    if (!(HasExtension(path, u".emf") ? ChartEmf(bytes) : ChartPng(bytes))) {
        ShowError(window, CannotMakeImageText);
        return -1;
    }
    return SaveBytesOrTell(window, path, bytes);
}

// A bitmap for programs that paste pixels, and the vectors for those that
// print what they paste.
int CopyChart(HWND window) {
    ChartImage image;
    if (!RenderChart(ChartAsShown(), image)) {
        ShowError(window, CannotMakeImageText);
        return -1;
    }
    // What the clipboard does not take is let go here.
    OwnedGlobal dib(PackedDib(image));
    OwnedMetafile emf(ChartMetafile(ChartAsShown()));
    HANDLE dibData = dib.get(), emfData = emf.get();
    ClipboardItem items[] = {{CF_DIB, &dibData}, {CF_ENHMETAFILE, &emfData}};
    const bool copied = PutOnClipboard(window, items, 2);
    if (!dibData) dib.release();
    if (!emfData) emf.release();
    if (!copied) {
        ShowError(window, CannotCopyText);
        return -1;
    }
    return 0;
}
