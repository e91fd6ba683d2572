// Save As writes a temporary file beside the target and moves it over the
// target only once every line is written and the file closed, so a failed
// save never costs the user the file that was there. Open reads and checks
// the whole file before it touches the recording.
#include "files/file_commands.h"

#include <cstring>

#include "win/owned_handle.h"
#include "store/store.h"
#include "files/recording_file.h"

namespace {

constexpr int PathSize = 260;

void ShowError(HWND window, const char* message) {
    MessageBoxA(window, message, "エラー", MB_OK);
}

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
    char path[PathSize] = {};
    char name[PathSize] = {}; // without the folder, for the caption
};

// The dialog structure as the older systems knew it, so that every system
// shows the plain dialog.
OPENFILENAMEA FileDialogFields(HWND window, FileChoice& choice, const char* title) {
    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = "照度計データ(*.mv2)\0*.mv2\0";
    ofn.lpstrFile = choice.path;
    ofn.nMaxFile = PathSize;
    ofn.lpstrFileTitle = choice.name;
    ofn.nMaxFileTitle = PathSize;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_OVERWRITEPROMPT;
    ofn.lpstrDefExt = "mv2";
    return ofn;
}

// The folder of a full path, with its trailing backslash.
void FolderOf(const char* path, char folder[PathSize]) {
    std::strcpy(folder, path);
    char* slash = std::strrchr(folder, '\\');
    if (slash)
        slash[1] = 0;
    else
        std::strcpy(folder, ".\\");
}

// An existing target that another program holds open, or that is read-only,
// cannot be replaced: tell the user before anything is written.
bool TargetCanBeReplaced(const char* path) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
    OwnedHandle probe(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
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
    OPENFILENAMEA ofn = FileDialogFields(window, choice, "照度記録を保存");
    if (!GetSaveFileNameA(&ofn)) return -1;

    char folder[PathSize];
    char temporary[MAX_PATH];
    FolderOf(choice.path, folder);
    if (!TargetCanBeReplaced(choice.path) || !GetTempFileNameA(folder, "mv2", 0, temporary)) {
        ShowError(window, "ファイルが作れません");
        return -1;
    }
    OwnedHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DeleteFileA(temporary);
        ShowError(window, "ファイルが作れません");
        return -1;
    }

    TextFields texts = TheRecording.RecordingTexts;
    FillEmptyTexts(texts);
    SetTexts(texts);
    switch (WriteRecordingFile(file, TheRecording)) {
    case WriteOutcome::WriteFailed:
        file.close();
        DeleteFileA(temporary);
        ShowError(window, "ファイルに書き込めません");
        return -1;
    case WriteOutcome::CloseFailed:
        DeleteFileA(temporary);
        ShowError(window, "ファイルを閉じる事が出来ません");
        return -1;
    case WriteOutcome::Written: break;
    }
    if (!MoveFileExA(temporary, choice.path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        ShowError(window, "ファイルが作れません");
        return -1;
    }
    ShowSavedFile(choice.name);
    return 0;
}

int OpenRecording(HWND window) {
    FileChoice choice;
    OPENFILENAMEA ofn = FileDialogFields(window, choice, "照度記録を開く");
    if (!GetOpenFileNameA(&ofn)) return -1;

    OwnedHandle file(CreateFileA(choice.path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) {
        ShowError(window, "ファイルが読めません");
        return -1;
    }
    if (static_cast<uint64_t>(size.QuadPart) > LargestRecordingFile) {
        ShowError(window, "ファイルが違います");
        return -1;
    }
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    ReadBlock block(bytes + 1); // the zero after the data ends the text
    if (!block.allocated()) {
        ShowError(window, "メモリが確保出来ません");
        return -1;
    }
    char* text = block.lock();
    if (!text) {
        ShowError(window, "メモリがロック出来ません");
        return -1;
    }
    DWORD read = 0;
    if (!ReadFile(file.get(), text, bytes, &read, nullptr) || read != bytes) {
        ShowError(window, "ファイルが読めません");
        return -1;
    }
    file.close();

    static Recording loaded; // a full recording, kept off the stack
    loaded = TheRecording;
    if (ParseRecordingFile(text, loaded) != FileVerdict::Read) {
        ShowError(window, "ファイルが違います");
        return -1;
    }
    ReplaceRecording(loaded, choice.name);
    return 0;
}
