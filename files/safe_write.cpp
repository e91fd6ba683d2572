// ReplaceFileW where the target exists, so that it keeps its attributes and
// identity; MoveFileExW with write-through where it does not.
#include "files/safe_write.h"

#include "core/file_name.h"
#include "core/messages.h"
#include "win/wide.h"

namespace {

constexpr DWORD Untouchable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

const wchar_t* CallPath(const std::u16string& path) {
    return Wide(path.c_str());
}

// A name of our own rather than GetTempFileName, which refuses long folders.
std::u16string TemporaryName(std::u16string_view folder, unsigned attempt) {
    static unsigned counter = 0;
    const unsigned seed =
        GetTickCount() ^ (GetCurrentProcessId() << 16) ^ (++counter * 7919u) ^ (attempt * 104729u);
    constexpr char16_t Hex[] = u"0123456789abcdef";
    std::u16string name(folder);
    name += u"~mv2";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += Hex[(seed >> shift) & 0xF];
    name += u".tmp";
    return FileCallPath(name);
}

// Checked: a temporary file must not stay behind.
bool RemoveFile(const std::u16string& path) {
    if (DeleteFileW(CallPath(path))) return true;
    SetFileAttributesW(CallPath(path), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(CallPath(path)) != 0;
}

} // namespace

const char16_t* SaveOutcomeMessage(SaveOutcome outcome) {
    switch (outcome) {
    case SaveOutcome::CannotCreate: return CannotCreateFileText;
    case SaveOutcome::CannotWrite: return CannotWriteFileText;
    case SaveOutcome::CannotClose: return CannotCloseFileText;
    case SaveOutcome::Saved: break;
    }
    return nullptr;
}

SaveOutcome BeginSave(std::u16string_view target, PendingSave& save) {
    save.target = FileCallPath(target);
    // The attribute itself: as root under Wine a read-only file still opens
    // for writing.
    const DWORD attributes = GetFileAttributesW(CallPath(save.target));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & Untouchable) return SaveOutcome::CannotCreate;
        OwnedHandle probe(CreateFileW(CallPath(save.target), GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid()) return SaveOutcome::CannotCreate; // held by another program
    }
    std::u16string folder(SplitPath(target).folder);
    if (folder.empty()) folder = u".\\";
    for (unsigned attempt = 0; attempt < 64; ++attempt) {
        save.temporary = TemporaryName(folder, attempt);
        save.file.reset(CreateFileW(CallPath(save.temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (save.file.valid()) return SaveOutcome::Saved;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    save.temporary.clear();
    return SaveOutcome::CannotCreate;
}

SaveOutcome FinishSave(PendingSave& save) {
    if (!FlushFileBuffers(save.file.get())) {
        AbandonSave(save);
        return SaveOutcome::CannotWrite;
    }
    if (!save.file.close()) {
        AbandonSave(save);
        return SaveOutcome::CannotClose;
    }
    const wchar_t* target = CallPath(save.target);
    const wchar_t* temporary = CallPath(save.temporary);
    if (GetFileAttributesW(target) == INVALID_FILE_ATTRIBUTES) {
        if (MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return SaveOutcome::Saved;
        AbandonSave(save);
        return SaveOutcome::CannotCreate;
    }
    if (ReplaceFileW(target, temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return SaveOutcome::Saved;
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file may be gone already and the new data live only in the
        // temporary file: move it into place, and never delete it.
        if (MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return SaveOutcome::Saved;
        return SaveOutcome::CannotCreate;
    }
    AbandonSave(save); // the original target is still there
    return SaveOutcome::CannotCreate;
}

void AbandonSave(PendingSave& save) {
    save.file.close();
    if (!save.temporary.empty() && RemoveFile(save.temporary)) save.temporary.clear();
}

SaveOutcome SaveFileSafely(std::u16string_view target, const std::function<bool(HANDLE)>& write) {
    PendingSave save;
    const SaveOutcome begun = BeginSave(target, save);
    if (begun != SaveOutcome::Saved) return begun;
    if (!write(save.file.get())) {
        AbandonSave(save);
        return SaveOutcome::CannotWrite;
    }
    return FinishSave(save);
}

bool WriteAll(HANDLE file, const void* bytes, size_t size) {
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
           written == static_cast<DWORD>(size);
}
