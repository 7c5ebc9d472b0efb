#include "common/path_style.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

TEST(PathStyle, FoldsDoubledSeparatorsLeftToRightWithoutOverlap) {
    const std::tuple<PathStyle, const char*, const char*> cases[] = {
        {W, "C:\\\\TarnwickConfig.ini", "C:\\TarnwickConfig.ini"},
        {W, "\\\\srv\\share\\t.ini", "\\srv\\share\\t.ini"},
        {W, "a\\\\\\b", "a\\\\b"},
        {W, "a\\\\\\\\b", "a\\\\b"},
        {W, "C:/x//y", "C:/x//y"},
        {P, "/home//u///t.ini", "/home/u//t.ini"},
        {P, "", ""},
    };
    for (const auto& [style, path, expected] : cases) {
        EXPECT_EQ(FoldDoubledSeparators(path, style), expected) << path;
    }
}

TEST(PathStyle, TellsFullPathsRootsAndLocalDisks) {
    // Each path: whether it is a full path, a drive root, on a local disk.
    const std::tuple<PathStyle, const char*, bool, bool, bool> cases[] = {
        {W, "C:\\abc", true, false, true},
        {W, "c:\\", true, true, true},
        {W, "C:", false, false, false},
        {W, "abc", false, false, false},
        {W, "\\\\srv\\share", true, false, false},
        {W, "\\abc", false, false, false},
        {W, " D:\\back", false, false, false},
        {W, "1:\\x", false, false, true},
        {W, "", false, false, false},
        {P, "/home/u", true, false, true},
        {P, "/", true, true, true},
        {P, "//srv/share", true, false, false},
        {P, "home", false, false, false},
        {P, "", false, false, false},
    };
    for (const auto& [style, path, full, root, local] : cases) {
        EXPECT_EQ(IsFullPath(path, style), full) << path;
        EXPECT_EQ(IsDriveRoot(path, style), root) << path;
        EXPECT_EQ(IsLocalDiskPath(path, style), local) << path;
    }
}

}  // namespace
}  // namespace tarnwick
