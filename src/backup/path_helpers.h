#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "backup/file_system.h"
#include "common/path_style.h"

namespace tarnwick {

// True when the path names an existing folder; false for files, missing paths and bad names.
bool IsFolder(FileSystem& fs, const std::string& path);

// The modification time of a file; empty when it cannot be read (a missing copy, above all).
std::optional<FileTime> FileStamp(FileSystem& fs, const std::string& path);

// From the last "." of the whole string to its end, case kept; empty without a ".".
// A dot in a folder name counts when the file name itself has none.
std::string_view GetExtension(std::string_view path);

struct FolderFailure {
    std::string path;    // the folder that could not be created
    std::string reason;  // the system's text
};

// Creates the missing parent folders of a path (not the path itself), top down.
std::optional<FolderFailure> MakeFolderPath(FileSystem& fs, const std::string& path,
                                            PathStyle style);

// Creates a folder together with its missing parents; nothing to do at a drive root.
std::optional<FolderFailure> MakeFolderWithParents(FileSystem& fs, const std::string& path,
                                                   PathStyle style);

// Where a source folder goes below the destination, without a leading or trailing separator:
// its whole path without the drive part, or only its last name (at a root: the drive letter).
std::string MapTargetPath(std::string_view folder, bool fullPath, PathStyle style);

// The text of the log line that tells where a source folder will be backed up:
// "备份到:" + destination (with a separator) + the folder's part below it.
std::string FolderTargetText(std::string_view destination, std::string_view folder, bool fullPath,
                             PathStyle style);

}  // namespace tarnwick
