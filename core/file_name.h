// Windows paths as UTF-16, split without the system: a path never passes
// through code page 932, where the second byte of many Japanese characters is
// a backslash. char16_t, since wchar_t is 32 bits on Linux.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct PathParts {
    std::u16string_view folder;    // up to and with the last separator; may be empty
    std::u16string_view name;      // the file's name with its extension
    std::u16string_view stem;      // the name without the extension
    std::u16string_view extension; // from the name's last dot on, or empty
};

// Separators are '\' and '/', and the ':' of a drive ("C:name"). A dot that
// begins the name starts no extension.
PathParts SplitPath(std::u16string_view path);
// The name's extension is `extension` (".emf"), ASCII letters in either case.
bool HasExtension(std::u16string_view path, std::u16string_view extension);

// A folder named with trailing separators ("D:\\archive\\") is the folder
// without them; a root ("C:\\") keeps its own.
std::u16string WithoutTrailingSeparators(std::u16string_view folder);
// `name` in `folder`, with one separator between them.
std::u16string InFolder(std::u16string_view folder, std::u16string_view name);

// The path as the file calls take it: from 260 units on, in its "\\?\" form
// ("\\?\UNC\" for a network path), with '/' turned into '\', since the
// short form is refused there. A shorter path is returned as it is.
std::u16string FileCallPath(std::u16string_view path);

// The main window caption "<title> [ <name> ]", at most `limit` UTF-16 units:
// a long name is cut on a code point boundary (never half of a surrogate
// pair) and " ]" is kept.
std::u16string FileCaption(std::u16string_view title, std::u16string_view name, size_t limit = 259);
