// Recording files for the end-to-end tests, written here independently of the
// program's own writer, and a few file helpers.
#pragma once
#include <windows.h>

#include <string>

#include "core/recording.h"

// The bytes a recording file of r must hold, built with plain string code.
std::string ReferenceFile(const Recording& r);

// A recording with a texts, a stamp and counts that move every minute.
Recording KnownRecording();

struct Program;
// Writes r as a file under folder and opens it in the program; true when the
// caption then names the file.
bool LoadRecording(const Program& p, const std::string& folder, const std::string& name,
                   const Recording& r);

// Tools > 記録の一覧, and from it 期間グラフ over the rows it counts, once
// its picture is drawn; nullptr where a window did not come.
struct PeriodWindows {
    HWND list = nullptr;
    HWND period = nullptr;
};
PeriodWindows OpenPeriodWindow(const Program& p);

// An empty folder of its own under the build folder, with a trailing backslash.
std::string FreshFolder(const std::string& name);
// FreshFolder named after the running test.
std::string FolderForThisTest();
bool WriteBytes(const std::string& path, const std::string& bytes);
