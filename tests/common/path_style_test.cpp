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
    struct Case {
        PathStyle style;
        const char* path;
        bool full;
        bool root;
        bool local;
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_EQ(IsFullPath(c.path, c.style), c.full) << c.path;
        EXPECT_EQ(IsDriveRoot(c.path, c.style), c.root) << c.path;
        EXPECT_EQ(IsLocalDiskPath(c.path, c.style), c.local) << c.path;
    }
}

}  // namespace
}  // namespace tarnwick
