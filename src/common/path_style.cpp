#include "common/path_style.h"

namespace tarnwick {

char Separator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

bool EndsWithSeparator(std::string_view path, PathStyle style) {
    return !path.empty() && path.back() == Separator(style);
}

std::string WithTrailingSeparator(std::string path, PathStyle style) {
    if (!EndsWithSeparator(path, style)) {
        path.push_back(Separator(style));
    }
    return path;
}

bool IsDriveRoot(std::string_view path, PathStyle style) {
    if (style == PathStyle::Windows) {
        return path.ends_with(":\\");
    }
    return path == "/";
}

std::size_t DrivePartLength(PathStyle style) {
    return style == PathStyle::Windows ? 3 : 1;
}

bool IsFullPath(std::string_view path, PathStyle style) {
    if (style == PathStyle::Posix) {
        return path.starts_with('/');
    }
    const bool driveLetter =
        path.size() >= 3 && path.substr(1, 2) == ":\\" &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return driveLetter || (path.size() > 2 && path.starts_with("\\\\"));
}

bool IsLocalDiskPath(std::string_view path, PathStyle style) {
    if (style == PathStyle::Windows) {
        return path.size() >= 3 && path.substr(1, 2) == ":\\";
    }
    return path.starts_with('/') && !path.starts_with("//");
}

std::string FoldDoubledSeparators(std::string_view path, PathStyle style) {
    const char separator = Separator(style);
    std::string folded;
    folded.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        folded.push_back(path[i]);
        if (path[i] == separator && i + 1 < path.size() && path[i + 1] == separator) {
            ++i;
        }
    }
    return folded;
}

}  // namespace tarnwick
