// File > Save As and File > Open: the common dialogs, the file calls and the
// error messages around the window-free recording file codec.
#pragma once
#include <windows.h>

#include <string>

#include "core/recording.h"

// Writes the recording to a file the user picks. 0 when saved, -1 otherwise.
int SaveRecordingAs(HWND window);
// Replaces the recording by one read from a file the user picks, only if the
// whole file is a valid recording. 0 when read, -1 otherwise.
int OpenRecording(HWND window);
// The same for a file already named: the same checks, the same messages.
int OpenRecordingFile(HWND window, const std::u16string& path);
// Reads and checks a whole recording file into `out`; nullptr when it is
// one, else the message that says why not. The store is not touched.
const char16_t* ReadRecordingFile(const std::u16string& path, Recording& out);

// The recording file's lines, one write each; false when a write failed.
bool WriteRecordingLines(HANDLE file, const Recording& r);
