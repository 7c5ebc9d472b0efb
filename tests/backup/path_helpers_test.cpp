#include "backup/path_helpers.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace tarnwick {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

TEST(GetExtension, TakesFromTheLastDotOfTheWholePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"archive.tar.gz", ".gz"},
        {"README", ""},
        {"C:\\data.old\\README", ".old\\README"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(GetExtension(path), expected) << path;
    }
}

TEST(MapTargetPath, KeepsTheWholePathOrTheLastName) {
    struct Case {
        PathStyle style;
        const char* folder;
        const char* whole;
        const char* lastName;
    };
    const Case cases[] = {
        {W, "C:\\abc\\def\\xyz\\", "abc\\def\\xyz", "xyz"},
        {W, "C:\\abc\\def\\xyz", "abc\\def\\xyz", "xyz"},
        {W, "C:\\", "", "C"},
        {P, "/home/u/docs/", "home/u/docs", "docs"},
        {P, "/", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapTargetPath(c.folder, true, c.style), c.whole) << c.folder;
        EXPECT_EQ(MapTargetPath(c.folder, false, c.style), c.lastName) << c.folder;
    }
}

TEST(FolderTargetText, NamesWhereASourceFolderGoes) {
    struct Case {
        PathStyle style;
        const char* destination;
        const char* folder;
        bool whole;
        const char* expected;
    };
    const Case cases[] = {
        {W, "D:\\back", "C:\\abc\\def\\xyz", false, "备份到:D:\\back\\xyz"},
        {W, "D:\\back\\", "C:\\abc\\def\\xyz\\", false, "备份到:D:\\back\\xyz\\"},
        {W, "D:\\back", "C:\\", false, "备份到:D:\\back\\C:\\"},
        {W, "D:\\back", "C:\\", true, "备份到:D:\\back\\"},
        {W, "", "C:\\x", false, "备份到:\\x"},
        {P, "/srv/back", "/home/u/docs", true, "备份到:/srv/back/home/u/docs"},
        {P, "/srv/back", "x", false, "备份到:/srv/back/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderTargetText(c.destination, c.folder, c.whole, c.style), c.expected)
            << c.folder;
    }
}

TEST(MakeFolderPath, CreatesTheMissingParentsTopDownAndNamesTheOneThatFails) {
    test::MemoryFileSystem fs(W);
    fs.addRoot("D:\\");
    EXPECT_FALSE(MakeFolderPath(fs, "D:\\a\\b\\c\\", W));
    EXPECT_EQ(fs.createdFolders, (std::vector<std::string>{"D:\\a\\", "D:\\a\\b\\"}));
    EXPECT_FALSE(fs.isFolder("D:\\a\\b\\c"));

    fs.createdFolders.clear();
    EXPECT_FALSE(MakeFolderPath(fs, "D:\\a\\b\\c", W));  // the parent exists: nothing to make
    EXPECT_FALSE(MakeFolderPath(fs, "D:\\", W));
    EXPECT_FALSE(MakeFolderPath(fs, "relative", W));  // no parent: ends at once
    EXPECT_FALSE(MakeFolderPath(fs, "", W));
    EXPECT_TRUE(fs.createdFolders.empty());

    fs.refuseCreate.insert("D:\\x");
    const auto failure = MakeFolderWithParents(fs, "D:\\x\\y\\z\\", W);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, "D:\\x\\");
    EXPECT_EQ(failure->reason, "Access is denied.");
    EXPECT_FALSE(fs.isFolder("D:\\x\\y"));
    fs.addFile("D:\\a\\f", 100, 1);
    const auto blocked = MakeFolderWithParents(fs, "D:\\a\\f\\sub", W);
    EXPECT_EQ(blocked ? blocked->path : "", "D:\\a\\f\\");  // its parent is a file
}

}  // namespace
}  // namespace tarnwick
