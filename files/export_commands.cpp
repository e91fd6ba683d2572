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
#include "view/dpi_scale.h"
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

// The chart as the window shows it at its first size, never the cursor.
PictureSource ChartPicture() {
    const ChartContent content = WithoutCursor(ChartAsShown());
    return {ChartImageWidth, ChartImageHeight, L"MARVEK \x2161\0Chart\0",
            [content](HDC dc) { PaintChart(dc, NaturalFrame(BaseDpi), content); }};
}

} // namespace

int ExportCsv(HWND window) {
    return SaveBytes(window,
                     ExportDialog(L"CSV形式で保存", L"CSVファイル (*.csv)\0*.csv\0", L"csv"),
                     RecordingCsv(TheRecording));
}

int ExportChartImage(HWND window) {
    const FileDialogSetup setup = ExportDialog(L"グラフを画像で保存", PictureFilter, L"png");
    return SavePictureAs(window, setup, ChartPicture());
}

int CopyChart(HWND window) {
    return CopyPicture(window, ChartPicture());
}

// The name's extension says which: the dialog gives a name the chosen type's.
int SavePictureAs(HWND owner, const FileDialogSetup& setup, const PictureSource& picture) {
    const std::u16string path = AskSavePath(owner, setup);
    if (path.empty()) return -1;
    std::string bytes;
    bool made = false;
    if (HasExtension(path, u".emf")) {
        const OwnedMetafile metafile(
            PictureMetafile(picture.width, picture.height, picture.description, picture.paint));
        made = metafile.valid() && MetafileBytes(metafile.get(), bytes);
    } else {
        ChartImage image;
        made = RenderPicture(picture.width, picture.height, picture.paint, image) &&
               EncodePng(image, bytes);
    }
    if (!made) {
        ShowError(owner, CannotMakeImageText);
        return -1;
    }
    return SaveBytesOrTell(owner, path, bytes);
}

// A bitmap for programs that paste pixels, and the vectors for those that
// print what they paste.
int CopyPicture(HWND owner, const PictureSource& picture) {
    ChartImage image;
    if (!RenderPicture(picture.width, picture.height, picture.paint, image)) {
        ShowError(owner, CannotMakeImageText);
        return -1;
    }
    // What the clipboard does not take is let go here.
    OwnedGlobal dib(PackedDib(image));
    OwnedMetafile emf(
        PictureMetafile(picture.width, picture.height, picture.description, picture.paint));
    HANDLE dibData = dib.get(), emfData = emf.get();
    ClipboardItem items[] = {{CF_DIB, &dibData}, {CF_ENHMETAFILE, &emfData}};
    const bool copied = PutOnClipboard(owner, items, 2);
    if (!dibData) dib.release();
    if (!emfData) emf.release();
    if (!copied) {
        ShowError(owner, CannotCopyText);
        return -1;
    }
    return 0;
}
