#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// The program's path rules are written in Windows terms ("\" separators, drive roots ending
// in ":\"). Each rule that works on path text takes a style, so the same rule reads either way:
// Windows on Windows, POSIX on Linux, and both in the unit tests.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kHostPathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kHostPathStyle = PathStyle::Posix;
#endif

char Separator(PathStyle style);
bool EndsWithSeparator(std::string_view path, PathStyle style);
std::string WithTrailingSeparator(std::string path, PathStyle style);

// A root that has no parent: "C:\" (anything ending in ":\") on Windows, "/" on POSIX.
bool IsDriveRoot(std::string_view path, PathStyle style);

// How many leading characters name the drive: "C:\" on Windows, "/" on POSIX.
std::size_t DrivePartLength(PathStyle style);

// A full path: "X:\..." or a network path "\\..." on Windows; "/..." on POSIX.
bool IsFullPath(std::string_view path, PathStyle style);

// The save command's test for a folder on a local disk: the 2nd and 3rd characters are ":\" on
// Windows; on POSIX the path begins with "/" but not with "//".
bool IsLocalDiskPath(std::string_view path, PathStyle style);

// Replaces every pair of separators by one, left to right without overlap ("\\\" -> "\\").
std::string FoldDoubledSeparators(std::string_view path, PathStyle style);

}  // namespace tarnwick
