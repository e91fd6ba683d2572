// Save As writes a temporary file beside the target and moves it over the
// target only once every line is written and the file closed, so a failed
// save never costs the user the file that was there. Open reads and checks
// the whole file before it touches the recording. Paths are UTF-16 from the
// dialog to the disk.
#include "files/file_commands.h"

#include <string>

#include "core/file_name.h"
#include "core/messages.h"
#include "files/recording_file.h"
#include "store/store.h"
#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

constexpr int PathSize = 260;

// The movable block the whole file is read into, unlocked and freed on exit.
class ReadBlock {
  public:
    explicit ReadBlock(SIZE_T size) : memory_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    ~ReadBlock() {
        if (data_) GlobalUnlock(memory_);
        if (memory_) GlobalFree(memory_);
    }
    ReadBlock(const ReadBlock&) = delete;
    ReadBlock& operator=(const ReadBlock&) = delete;
    bool allocated() const { return memory_ != nullptr; }
    char* lock() { return data_ = static_cast<char*>(GlobalLock(memory_)); }

  private:
    HGLOBAL memory_;
    char* data_ = nullptr;
};

struct FileChoice {
    wchar_t path[PathSize] = {};
};

// The dialog structure as the older systems knew it, so that every system
// shows the plain dialog.
OPENFILENAMEW FileDialogFields(HWND window, FileChoice& choice, const wchar_t* title) {
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = L"照度計データ(*.mv2)\0*.mv2\0";
    ofn.lpstrFile = choice.path;
    ofn.nMaxFile = PathSize;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = L"mv2";
    return ofn;
}

// The folder of a full path, with its trailing backslash.
std::u16string FolderOf(const wchar_t* path) {
    const std::u16string_view folder = SplitPath(Utf16(path)).folder;
    return folder.empty() ? u".\\" : std::u16string(folder);
}

// An existing target that another program holds open, or that is read-only,
// cannot be replaced: tell the user before anything is written.
bool TargetCanBeReplaced(const wchar_t* path) {
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return true;
    OwnedHandle probe(CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.valid();
}

enum class WriteOutcome { Written, WriteFailed, CloseFailed };

WriteOutcome WriteRecordingFile(OwnedHandle& file, const Recording& r) {
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i) {
        const int length = RecordingFileLine(r, i, line);
        DWORD written = 0;
        if (!WriteFile(file.get(), line, static_cast<DWORD>(length), &written, nullptr) ||
            written != static_cast<DWORD>(length))
            return WriteOutcome::WriteFailed;
    }
    if (!FlushFileBuffers(file.get())) return WriteOutcome::WriteFailed;
    return file.close() ? WriteOutcome::Written : WriteOutcome::CloseFailed;
}

} // namespace

int SaveRecordingAs(HWND window) {
    FileChoice choice;
    OPENFILENAMEW ofn = FileDialogFields(window, choice, L"照度記録を保存");
    if (!GetSaveFileNameW(&ofn)) return -1;

    wchar_t temporary[MAX_PATH];
    if (!TargetCanBeReplaced(choice.path) ||
        !GetTempFileNameW(Wide(FolderOf(choice.path).c_str()), L"mv2", 0, temporary)) {
        ShowError(window, CannotCreateFileText);
        return -1;
    }
    OwnedHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DeleteFileW(temporary);
        ShowError(window, CannotCreateFileText);
        return -1;
    }

    TextFields texts = TheRecording.RecordingTexts;
    FillEmptyTexts(texts);
    SetTexts(texts);
    switch (WriteRecordingFile(file, TheRecording)) {
    case WriteOutcome::WriteFailed:
        file.close();
        DeleteFileW(temporary);
        ShowError(window, CannotWriteFileText);
        return -1;
    case WriteOutcome::CloseFailed:
        DeleteFileW(temporary);
        ShowError(window, CannotCloseFileText);
        return -1;
    case WriteOutcome::Written: break;
    }
    if (!MoveFileExW(temporary, choice.path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary);
        ShowError(window, CannotCreateFileText);
        return -1;
    }
    SetCurrentFile(Utf16(choice.path));
    return 0;
}

int OpenRecording(HWND window) {
    FileChoice choice;
    OPENFILENAMEW ofn = FileDialogFields(window, choice, L"照度記録を開く");
    if (!GetOpenFileNameW(&ofn)) return -1;

    OwnedHandle file(CreateFileW(choice.path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
        ShowError(window, CannotReadFileText);
        return -1;
    }
    if (static_cast<uint64_t>(size.QuadPart) > LargestRecordingFile) {
        ShowError(window, WrongFileText);
        return -1;
    }
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    ReadBlock block(bytes + 1); // the zero after the data ends the text
    if (!block.allocated()) {
        ShowError(window, NoMemoryText);
        return -1;
    }
    char* text = block.lock();
    if (!text) {
        ShowError(window, CannotLockMemoryText);
        return -1;
    }
    DWORD read = 0;
    if (!ReadFile(file.get(), text, bytes, &read, nullptr) || read != bytes) {
        ShowError(window, CannotReadFileText);
        return -1;
    }
    file.close();

    static Recording loaded; // a full recording, kept off the stack
    loaded = TheRecording;
    if (ParseRecordingFile(text, loaded) != FileVerdict::Read) {
        ShowError(window, WrongFileText);
        return -1;
    }
    ReplaceRecording(loaded, Utf16(choice.path));
    return 0;
}
