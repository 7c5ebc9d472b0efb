// What only Windows has: file attributes, junctions, drive roots.
#include <windows.h>

#include <gtest/gtest.h>

#include "backup/backup_pass.h"
#include "backup/path_helpers.h"
#include "common/win32_text.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/temp_tree.h"
#include "support/windows_link.h"

namespace tarnwick {
namespace {

DWORD Attributes(const std::string& path, DWORD added = 0) {
    const std::wstring name = Widen(path);
    if (added != 0) {
        SetFileAttributesW(name.c_str(), GetFileAttributesW(name.c_str()) | added);
    }
    return GetFileAttributesW(name.c_str());
}

// Backs "src" up into "back" twice: the first pass copies `copied` files, the second none.
void BackUpTwice(const test::TempTree& tree, int copied) {
    const auto fs = MakeHostFileSystem();
    test::FakeClock clock;
    PassOptions options;
    options.destination = tree.path("back");
    options.sources = {tree.path("src")};
    options.fullPath = false;
    for (const int updated : {copied, 0}) {
        test::RecordingHost host;
        const PassResult result = RunBackup(options, host, *fs, clock);
        EXPECT_EQ(result.updatedCount, updated);
        EXPECT_EQ(result.failedCopies, 0) << (host.lines.size() > 2 ? host.lines[2] : "");
    }
}

// Hidden, system and read-only files are copied with their attributes; a read-only or hidden old
// copy is replaced.
TEST(NativeWindowsPass, CopiesFilesWithTheirAttributesOverOldCopies) {
    test::TempTree tree;
    const struct {
        std::string name;
        DWORD attribute;
        DWORD oldCopy;
    } cases[] = {{"hidden.txt", FILE_ATTRIBUTE_HIDDEN, 0},
                 {"system.txt", FILE_ATTRIBUTE_SYSTEM, 0},
                 {"readonly.txt", FILE_ATTRIBUTE_READONLY, 0},
                 {"a.txt", 0, FILE_ATTRIBUTE_READONLY},
                 {"b.txt", 0, FILE_ATTRIBUTE_HIDDEN}};
    for (const auto& c : cases) {
        tree.write("src/" + c.name, c.name, 2'000'000'000);
        Attributes(tree.path("src/" + c.name), c.attribute);
        if (c.oldCopy != 0) {
            tree.write("back/src/" + c.name, "old", 1'000'000'000);
            Attributes(tree.path("back/src/" + c.name), c.oldCopy);
        }
    }
    BackUpTwice(tree, 5);
    for (const auto& c : cases) {
        const std::string copy = "back/src/" + c.name;
        EXPECT_EQ(tree.read(copy), c.name);
        EXPECT_EQ(tree.mtime(copy), 2'000'000'000) << c.name;
        EXPECT_EQ(Attributes(tree.path(copy)) & c.attribute, c.attribute) << c.name;
    }
    // Read-only and system files would stay behind in the temporary folder.
    for (const auto& [name, content] : tree.files()) {
        SetFileAttributesW(Widen(tree.path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A link (as a junction) back to a folder above it is walked once; one into the destination never.
TEST(NativeWindowsPass, WalksAFolderOnceAndNeverIntoTheDestination) {
    test::TempTree tree;
    tree.write("src/a/file.txt", "f", 2'000'000'000);
    tree.makeFolder("back");
    const test::WindowsLink up(tree.path("src/a/up"), tree.path("src"));
    const test::WindowsLink into(tree.path("src/into"), tree.path("back"));
    if (!up.made() || !into.made()) {
        GTEST_SKIP() << "this system cannot make folder links";
    }
    BackUpTwice(tree, 1);
    EXPECT_EQ(tree.files("back"), (std::map<std::string, std::string>{{"src/a/file.txt", "f"}}));
    EXPECT_FALSE(tree.exists("back/src/a/up"));
    EXPECT_FALSE(tree.exists("back/src/into"));
}

TEST(NativeWindowsFileSystem, KnowsDriveRootsAndTheCurrentFolder) {
    test::TempTree tree;
    const auto fs = MakeHostFileSystem();
    const std::string root = tree.root().substr(0, 3);
    ASSERT_TRUE(IsDriveRoot(root, PathStyle::Windows));
    EXPECT_FALSE(MakeFolderWithParents(*fs, root, PathStyle::Windows));
    EXPECT_TRUE(IsFolder(*fs, root));
    const auto roots = fs->roots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front().substr(1), ":\\");
    ASSERT_TRUE(fs->setCurrentFolder(tree.root()).ok());
    EXPECT_EQ(fs->currentFolder(), tree.root());
}

}  // namespace
}  // namespace tarnwick
