#include "win/whole_file.h"

#include <windows.h>

#include "core/file_name.h"
#include "win/owned_handle.h"
#include "win/wide.h"

WholeFile ReadWholeFile(const std::u16string& path, size_t limit, std::string& bytes) {
    OwnedHandle file(CreateFileW(Wide(FileCallPath(path).c_str()), GENERIC_READ, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return WholeFile::CannotRead;
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return WholeFile::TooLarge;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return WholeFile::CannotRead;
    return WholeFile::Read;
}
