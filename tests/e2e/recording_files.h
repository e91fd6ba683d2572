// Recording files for the end-to-end tests, written here independently of the
// program's own writer, and a few file helpers.
#pragma once
#include <string>

#include "app/recording.h"

// The bytes a recording file of r must hold, built with plain string code.
std::string ReferenceFile(const Recording& r);

// A recording with a texts, a stamp and counts that move every minute.
Recording KnownRecording();

// An empty folder of its own under the build folder, with a trailing backslash.
std::string FreshFolder(const std::string& name);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
