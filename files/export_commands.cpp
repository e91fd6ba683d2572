// Export through the same file dialogs and safe writer as Save As.
#include "files/export_commands.h"

#include <string>

#include "core/file_name.h"
#include "core/messages.h"
#include "files/archive_name.h"
#include "files/csv.h"
#include "files/file_dialog.h"
#include "files/safe_write.h"
#include "store/store.h"
#include "view/chart_image.h"
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

int WriteBytes(HWND window, const std::u16string& path, const std::string& bytes) {
    const SaveOutcome outcome = SaveFileSafely(
        path, [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
    if (outcome == SaveOutcome::Saved) return 0;
    ShowError(window, SaveOutcomeMessage(outcome));
    return -1;
}

int SaveBytes(HWND window, const FileDialogSetup& setup, const std::string& bytes) {
    const std::u16string path = AskSavePath(window, setup);
    return path.empty() ? -1 : WriteBytes(window, path, bytes);
}

// The PNG as the window shows the chart, pixel for pixel.
bool ChartPng(std::string& png) {
    ChartImage image;
    return RenderChart(ChartAsShown(), image) && EncodePng(image, png);
}

// The same chart as vectors.
bool ChartEmf(std::string& emf) {
    HENHMETAFILE metafile = ChartMetafile(ChartAsShown());
    const bool made = metafile && MetafileBytes(metafile, emf);
    if (metafile) DeleteEnhMetaFile(metafile);
    return made;
}

} // namespace

ChartContent ChartAsShown(int32_t cursor) {
    return {&TheRecording, DisplayRange, cursor, ThresholdLineShown(), CurrentThreshold()};
}

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
    return WriteBytes(window, path, bytes);
}

// A bitmap for programs that paste pixels, and the vectors for those that
// print what they paste.
int CopyChart(HWND window) {
    ChartImage image;
    if (!RenderChart(ChartAsShown(), image)) {
        ShowError(window, CannotMakeImageText);
        return -1;
    }
    HGLOBAL dib = PackedDib(image);
    HENHMETAFILE emf = ChartMetafile(ChartAsShown());
    bool copied = false;
    if (dib && emf && OpenClipboard(window)) {
        copied = EmptyClipboard() && SetClipboardData(CF_DIB, dib);
        if (copied) dib = nullptr; // the clipboard's now
        copied = copied && SetClipboardData(CF_ENHMETAFILE, emf);
        if (copied) emf = nullptr;
        CloseClipboard();
    }
    // What the clipboard did not take.
    if (dib) GlobalFree(dib);
    if (emf) DeleteEnhMetaFile(emf);
    if (!copied) {
        ShowError(window, CannotCopyText);
        return -1;
    }
    return 0;
}
