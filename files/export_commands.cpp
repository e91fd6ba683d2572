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

int SaveBytes(HWND window, const FileDialogSetup& setup, const std::string& bytes) {
    const std::u16string path = AskSavePath(window, setup);
    if (path.empty()) return -1;
    const SaveOutcome outcome = SaveFileSafely(
        path, [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
    if (outcome == SaveOutcome::Saved) return 0;
    ShowError(window, SaveOutcomeMessage(outcome));
    return -1;
}

} // namespace

int ExportCsv(HWND window) {
    return SaveBytes(window,
                     ExportDialog(L"CSV形式で保存", L"CSVファイル (*.csv)\0*.csv\0", L"csv"),
                     RecordingCsv(TheRecording));
}

int ExportChartImage(HWND window) {
    const FileDialogSetup setup =
        ExportDialog(L"グラフを画像で保存", L"PNG画像 (*.png)\0*.png\0", L"png");
    ChartImage image;
    std::string png;
    if (!RenderChart(TheRecording, DisplayRange, image) || !EncodePng(image, png)) {
        ShowError(window, CannotMakeImageText);
        return -1;
    }
    return SaveBytes(window, setup, png);
}

int CopyChart(HWND window) {
    ChartImage image;
    if (!RenderChart(TheRecording, DisplayRange, image)) {
        ShowError(window, CannotMakeImageText);
        return -1;
    }
    HGLOBAL dib = PackedDib(image);
    bool copied = false;
    if (dib && OpenClipboard(window)) {
        copied = EmptyClipboard() && SetClipboardData(CF_DIB, dib);
        CloseClipboard();
    }
    if (!copied) {
        if (dib) GlobalFree(dib); // the clipboard did not take it
        ShowError(window, CannotCopyText);
        return -1;
    }
    return 0;
}
