// A whole file read into memory, up to a limit: for the files the program
// only compares or parses as one text.
#pragma once
#include <cstddef>
#include <string>

enum class WholeFile { Read, CannotRead, TooLarge };

// Shared with other readers; paths of any length.
WholeFile ReadWholeFile(const std::u16string& path, size_t limit, std::string& bytes);
