#include "backup/path_helpers.h"

#include "common/texts.h"

namespace tarnwick {
namespace {

// The separator that stands last before the path's final character, or npos.
std::size_t LastInnerSeparator(std::string_view path, PathStyle style) {
    if (path.size() < 2) {
        return std::string_view::npos;
    }
    return path.find_last_of(Separator(style), path.size() - 2);
}

std::string_view WithoutDrivePart(std::string_view folder, PathStyle style) {
    const std::size_t drive = DrivePartLength(style);
    return folder.size() < drive ? std::string_view() : folder.substr(drive);
}

}  // namespace

bool IsFolder(FileSystem& fs, const std::string& path) {
    const auto info = fs.attributes(path);
    return info && info->kind == EntryKind::Folder;
}

std::optional<unsigned long> TemporaryFileOwner(std::string_view name) {
    constexpr std::string_view kPrefix = ".tarnwick-";
    constexpr std::string_view kSuffix = ".tmp";
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    unsigned long owner = 0;
    std::size_t position = kPrefix.size();
    for (; position < name.size() && name[position] >= '0' && name[position] <= '9'; ++position) {
        owner = owner * 10 + static_cast<unsigned long>(name[position] - '0');
    }
    if (position == kPrefix.size() || position >= name.size() || name[position] != '-') {
        return std::nullopt;
    }
    return owner;
}

Status CreateFolder(FileSystem& fs, const std::string& path) {
    Status created = fs.createFolder(path);
    if (!created.ok() && IsFolder(fs, path)) {
        return Status::Ok();
    }
    return created;
}

std::string_view GetExtension(std::string_view path) {
    const auto dot = path.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : path.substr(dot);
}

std::optional<FolderFailure> MakeFolderPath(FileSystem& fs, const std::string& path,
                                            PathStyle style) {
    if (IsDriveRoot(path, style) || IsFolder(fs, path)) {
        return std::nullopt;
    }
    const std::size_t separator = LastInnerSeparator(path, style);
    if (separator == std::string::npos) {
        return std::nullopt;  // a relative name or an empty path has no parent to make
    }
    const std::string parent = path.substr(0, separator + 1);
    if (auto failure = MakeFolderPath(fs, parent, style)) {
        return failure;
    }
    if (!IsDriveRoot(parent, style) && !IsFolder(fs, parent)) {
        const Status created = CreateFolder(fs, parent);
        if (!created.ok()) {
            return FolderFailure{parent, created.reason()};
        }
    }
    return std::nullopt;
}

std::optional<FolderFailure> MakeFolderWithParents(FileSystem& fs, const std::string& path,
                                                   PathStyle style) {
    if (IsDriveRoot(path, style) || IsFolder(fs, path)) {
        return std::nullopt;
    }
    if (auto failure = MakeFolderPath(fs, path, style)) {
        return failure;
    }
    const Status created = CreateFolder(fs, path);
    if (!created.ok()) {
        return FolderFailure{path, created.reason()};
    }
    return std::nullopt;
}

std::string MapTargetPath(std::string_view folder, bool fullPath, PathStyle style) {
    std::string_view part = fullPath ? WithoutDrivePart(folder, style) : folder;
    if (EndsWithSeparator(part, style)) {
        part.remove_suffix(1);
    }
    if (fullPath) {
        return std::string(part);
    }
    const auto separator = part.find_last_of(Separator(style));
    if (separator != std::string_view::npos) {
        return std::string(part.substr(separator + 1));
    }
    return std::string(part.substr(0, 1));
}

std::string FolderTargetText(std::string_view destination, std::string_view folder, bool fullPath,
                             PathStyle style) {
    std::string text(texts::kFolderTargetText);
    text += destination;
    if (!EndsWithSeparator(destination, style)) {
        text += Separator(style);
    }
    if (fullPath) {
        text += WithoutDrivePart(folder, style);
    } else {
        const std::size_t separator = LastInnerSeparator(folder, style);
        text += separator == std::string_view::npos ? folder : folder.substr(separator + 1);
    }
    return text;
}

}  // namespace tarnwick
