// The one path the program takes on its command line, and the same path as a
// second copy hands it to the running one. Window-free.
#pragma once
#include <string>
#include <string_view>

// The rest of a command line after the program's name (quoted or not), with
// surrounding spaces and one pair of outer quotes removed; empty when there
// is nothing after the name.
std::u16string CommandLinePath(std::u16string_view commandLine);

// The tag of the program's own WM_COPYDATA: the data is a full path.
constexpr unsigned long ForwardedPathTag = 0x4D563246; // "MV2F"
// The longest path Windows takes, in UTF-16 units.
constexpr size_t LongestPath = 32767;

// The path in a WM_COPYDATA's data: UTF-16 ending with its one zero, 1 to
// LongestPath units long. False for anything else (an odd size, no zero at
// the end or one before it, an empty or over-long path).
bool ForwardedPath(const void* data, size_t bytes, std::u16string& path);
