// The safe writer: a new file is written under a temporary name beside its
// target and replaces the target only once it is complete, flushed and
// closed. A failed save leaves the folder exactly as it was: the old file
// untouched and no temporary file. Paths are UTF-16 of any length.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "win/owned_handle.h"

enum class SaveOutcome { Saved, CannotCreate, CannotWrite, CannotClose };

// The message that tells the user of an outcome; nullptr for Saved.
const char16_t* SaveOutcomeMessage(SaveOutcome outcome);

// A save between its two steps: the temporary file is open for writing.
struct PendingSave {
    std::u16string target;
    std::u16string temporary; // as the file calls take it
    OwnedHandle file;
};

// Checks the target (a read-only, hidden or system file, a folder or a file
// another program holds is refused before anything is written) and creates
// the temporary file. On CannotCreate nothing was left behind.
SaveOutcome BeginSave(std::u16string_view target, PendingSave& save);
// Flushes and closes the temporary file and puts it in the target's place.
// On any failure the temporary file is removed, unless it holds the only
// copy of the new data (the platform's replace lost the old file).
SaveOutcome FinishSave(PendingSave& save);
// Removes the temporary file of a save that will not be finished.
void AbandonSave(PendingSave& save);

// Both steps around `write`, which writes the content to the open file and
// returns false when a write fails.
SaveOutcome SaveFileSafely(std::u16string_view target, const std::function<bool(HANDLE)>& write);

// One WriteFile of `size` bytes; false unless all of them were written.
bool WriteAll(HANDLE file, const void* bytes, size_t size);
