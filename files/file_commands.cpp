// Save As goes through the safe writer, so a failed save never costs the user
// the file that was there. Open reads and checks the whole file before it
// touches the recording. Paths are UTF-16 from the dialog to the disk.
#include "files/file_commands.h"

#include "core/file_name.h"
#include "core/messages.h"
#include "files/file_dialog.h"
#include "files/recording_file.h"
#include "files/safe_write.h"
#include "store/store.h"
#include "win/owned_handle.h"
#include "win/wide.h"

namespace {

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

FileDialogSetup RecordingDialog(const wchar_t* title) {
    return {title, L"照度計データ(*.mv2)\0*.mv2\0", L"mv2", u"", u""};
}

} // namespace

bool WriteRecordingLines(HANDLE file, const Recording& r) {
    char line[FileLineSize];
    for (int i = 0; i < RecordingFileLines; ++i) {
        const int length = RecordingFileLine(r, i, line);
        if (!WriteAll(file, line, static_cast<size_t>(length))) return false;
    }
    return true;
}

int SaveRecordingAs(HWND window) {
    const std::u16string path = AskSavePath(window, RecordingDialog(L"照度記録を保存"));
    if (path.empty()) return -1;

    PendingSave save;
    if (BeginSave(path, save) != SaveOutcome::Saved) {
        ShowError(window, CannotCreateFileText);
        return -1;
    }
    TextFields texts = TheRecording.RecordingTexts;
    FillEmptyTexts(texts);
    SetTexts(texts);
    if (!WriteRecordingLines(save.file.get(), TheRecording)) {
        AbandonSave(save);
        ShowError(window, CannotWriteFileText);
        return -1;
    }
    const SaveOutcome outcome = FinishSave(save);
    if (outcome != SaveOutcome::Saved) {
        ShowError(window, SaveOutcomeMessage(outcome));
        return -1;
    }
    SetCurrentFile(path.c_str());
    return 0;
}

int OpenRecording(HWND window) {
    const std::u16string path = AskOpenPath(window, RecordingDialog(L"照度記録を開く"));
    if (path.empty()) return -1;
    return OpenRecordingFile(window, path);
}

const char16_t* ReadRecordingFile(const std::u16string& path, Recording& out) {
    OwnedHandle file(CreateFileW(Wide(FileCallPath(path).c_str()), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return CannotReadFileText;
    if (static_cast<uint64_t>(size.QuadPart) > LargestRecordingFile) return WrongFileText;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    ReadBlock block(bytes + 1); // the zero after the data ends the text
    if (!block.allocated()) return NoMemoryText;
    char* text = block.lock();
    if (!text) return CannotLockMemoryText;
    DWORD read = 0;
    if (!ReadFile(file.get(), text, bytes, &read, nullptr) || read != bytes)
        return CannotReadFileText;
    file.close();
    if (ParseRecordingFile(text, out) != FileVerdict::Read) return WrongFileText;
    return nullptr;
}

int OpenRecordingFile(HWND window, const std::u16string& path) {
    Recording loaded;
    EmptyRecording(loaded);
    if (const char16_t* reason = ReadRecordingFile(path, loaded)) {
        ShowError(window, reason);
        return -1;
    }
    ReplaceRecording(loaded, path.c_str());
    return 0;
}
