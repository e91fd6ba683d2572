// The archive of downloads: a safety copy, not the user's file, so the
// caption and the current file stay as they are.
#include "files/archive.h"

#include <windows.h>

#include <shlobj.h>

#include "core/file_name.h"
#include "files/archive_name.h"
#include "files/file_commands.h"
#include "files/recording_file.h"
#include "files/safe_write.h"
#include "win/com.h"
#include "win/owned_handle.h"
#include "win/whole_file.h"
#include "win/wide.h"

namespace {

// FOLDERID_Documents, written here rather than linked from the GUID library,
// which would bring every GUID of the platform into the program.
constexpr GUID DocumentsFolderId = {
    0xFDD39AD0, 0x238F, 0x46AF, {0xAD, 0xB4, 0x6C, 0x85, 0x48, 0x03, 0x69, 0xC7}};

// The folder and any missing parents.
bool MakeFolder(const std::u16string& folder) {
    if (folder.empty()) return false;
    if (IsFolder(folder)) return true;
    const std::u16string_view parent = SplitPath(folder).folder;
    if (parent.size() > 1 && parent.size() < folder.size() && !IsFolder(std::u16string(parent)))
        MakeFolder(std::u16string(parent.substr(0, parent.size() - 1)));
    CreateDirectoryW(Wide(FileCallPath(folder).c_str()), nullptr);
    return IsFolder(folder);
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(Wide(FileCallPath(path).c_str())) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

std::u16string DocumentsFolder() {
    std::u16string folder;
    ComMemory<PWSTR> path;
    if (SUCCEEDED(SHGetKnownFolderPath(DocumentsFolderId, 0, nullptr, path.put())))
        folder = Utf16(path.get());
    return folder;
}

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(FileCallPath(path).c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string ArchiveFolder() {
    const DWORD length = GetEnvironmentVariableW(L"MARVEK_ARCHIVE_DIR", nullptr, 0);
    if (length > 1) {
        std::u16string folder(length, u'\0');
        const DWORD n = GetEnvironmentVariableW(L"MARVEK_ARCHIVE_DIR",
                                                reinterpret_cast<wchar_t*>(&folder[0]), length);
        folder.resize(n);
        if (!folder.empty()) return folder;
    }
    const std::u16string documents = DocumentsFolder();
    return documents.empty() ? documents : documents + u"\\MARVEK2";
}

bool ArchiveDownload(const Recording& r) {
    const std::u16string folder = WithoutTrailingSeparators(ArchiveFolder());
    if (!MakeFolder(folder)) return false;

    Recording saved = r;
    FillEmptyTexts(saved.RecordingTexts);
    const std::string bytes = RecordingFileBytes(saved);
    for (int attempt = 1; attempt <= ArchiveAttempts; ++attempt) {
        const std::u16string path = InFolder(folder, ArchiveFileName(saved.StartStamp, attempt));
        std::string existing;
        if (ReadWholeFile(path, LargestRecordingFile, existing) == WholeFile::Read &&
            existing == bytes)
            return true; // kept already
        if (Exists(path)) continue;
        return SaveFileSafely(path, [&](HANDLE file) {
                   return WriteRecordingLines(file, saved);
               }) == SaveOutcome::Saved;
    }
    return false;
}
