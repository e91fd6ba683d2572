// Path splitting and the file caption.
#include "core/file_name.h"

namespace {

bool IsPathSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

PathParts SplitPath(std::u16string_view path) {
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); ++i)
        if (IsPathSeparator(path[i]) || (i == 1 && path[i] == u':')) nameStart = i + 1;
    PathParts parts;
    parts.folder = path.substr(0, nameStart);
    parts.name = path.substr(nameStart);
    const size_t dot = parts.name.rfind(u'.');
    const size_t stemLength =
        dot == std::u16string_view::npos || dot == 0 ? parts.name.size() : dot;
    parts.stem = parts.name.substr(0, stemLength);
    parts.extension = parts.name.substr(stemLength);
    return parts;
}

std::u16string WithoutTrailingSeparators(std::u16string_view folder) {
    while (folder.size() > 3 && IsPathSeparator(folder.back()))
        folder.remove_suffix(1);
    return std::u16string(folder);
}

std::u16string InFolder(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (!path.empty() && !IsPathSeparator(path.back())) path += u'\\';
    return path += name;
}

std::u16string FileCallPath(std::u16string_view path) {
    constexpr size_t ShortPathLimit = 260; // MAX_PATH, its terminating zero included
    constexpr std::u16string_view Extended = u"\\\\?\\";
    if (path.size() < ShortPathLimit || path.substr(0, 4) == Extended) return std::u16string(path);
    std::u16string p(path);
    for (char16_t& c : p)
        if (c == u'/') c = u'\\';
    if (p.substr(0, 2) == u"\\\\") return u"\\\\?\\UNC\\" + p.substr(2);
    return std::u16string(Extended) + p;
}

std::u16string FileCaption(std::u16string_view title, std::u16string_view name, size_t limit) {
    constexpr std::u16string_view open = u" [ ", close = u" ]";
    std::u16string caption(title.substr(0, limit));
    if (caption.size() + open.size() + close.size() > limit) return caption;
    size_t room = limit - caption.size() - open.size() - close.size();
    if (room < name.size()) {
        if (room > 0 && IsHighSurrogate(name[room - 1])) --room;
        name = name.substr(0, room);
    }
    caption += open;
    caption += name;
    caption += close;
    return caption;
}

bool HasExtension(std::u16string_view path, std::u16string_view extension) {
    const std::u16string_view own = SplitPath(path).extension;
    if (own.size() != extension.size()) return false;
    for (size_t i = 0; i < own.size(); ++i) {
        const auto lower = [](char16_t c) -> char16_t {
            return c >= u'A' && c <= u'Z' ? c + 32 : c;
        };
        if (lower(own[i]) != lower(extension[i])) return false;
    }
    return true;
}
