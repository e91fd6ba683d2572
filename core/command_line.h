// The one path the program takes on its command line. Window-free.
#pragma once
#include <string>
#include <string_view>

// The rest of a command line after the program's name (quoted or not), with
// surrounding spaces and one pair of outer quotes removed; empty when there
// is nothing after the name.
std::u16string CommandLinePath(std::u16string_view commandLine);
