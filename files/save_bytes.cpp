#include "files/save_bytes.h"

#include "files/safe_write.h"
#include "win/wide.h"

int SaveBytesOrTell(HWND owner, const std::u16string& path, const std::string& bytes) {
    const SaveOutcome outcome = SaveFileSafely(
        path, [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
    if (outcome == SaveOutcome::Saved) return 0;
    ShowError(owner, SaveOutcomeMessage(outcome));
    return -1;
}
