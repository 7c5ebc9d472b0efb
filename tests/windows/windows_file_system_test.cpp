// What only Windows has: file attributes, drive roots, the program's own folders.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/host_defaults.h"
#include "backup/backup_pass.h"
#include "backup/path_helpers.h"
#include "common/win32_text.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/temp_tree.h"

namespace tarnwick {
namespace {

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

void AddAttributes(const std::string& path, DWORD added) {
    SetFileAttributesW(Widen(path).c_str(), Attributes(path) | added);
}

class NativeWindowsPass : public ::testing::Test {
  protected:
    NativeWindowsPass() : fs(MakeHostFileSystem()) {
        options.destination = tree.path("back");
        options.sources = {tree.path("src")};
        options.fullPath = false;
    }
    ~NativeWindowsPass() override {
        // Read-only and system files would stay behind in the temporary folder.
        for (const auto& [name, content] : tree.files()) {
            SetFileAttributesW(Widen(tree.path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }

    PassResult run() {
        host = test::RecordingHost();
        return RunBackup(options, host, *fs, clock);
    }

    test::TempTree tree;
    std::unique_ptr<FileSystem> fs;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(NativeWindowsPass, CopiesHiddenSystemAndReadOnlyFilesWithTheirAttributes) {
    const struct {
        const char* name;
        DWORD attribute;
    } cases[] = {{"src/hidden.txt", FILE_ATTRIBUTE_HIDDEN},
                 {"src/system.txt", FILE_ATTRIBUTE_SYSTEM},
                 {"src/readonly.txt", FILE_ATTRIBUTE_READONLY}};
    for (const auto& c : cases) {
        tree.write(c.name, c.name, 1'500'000'000);
        AddAttributes(tree.path(c.name), c.attribute);
    }
    EXPECT_EQ(run().updatedCount, 3);
    for (const auto& c : cases) {
        const std::string copy = tree.path(std::string("back/") + c.name);
        EXPECT_EQ(tree.read(std::string("back/") + c.name), c.name);
        EXPECT_NE(Attributes(copy) & c.attribute, 0u) << c.name;
    }
    EXPECT_EQ(run().updatedCount, 0);
}

TEST_F(NativeWindowsPass, ReplacesAReadOnlyOrHiddenOldCopy) {
    tree.write("src/a.txt", "new", 2'000'000'000);
    tree.write("src/b.txt", "new", 2'000'000'000);
    tree.write("back/src/a.txt", "old", 1'000'000'000);
    tree.write("back/src/b.txt", "old", 1'000'000'000);
    AddAttributes(tree.path("back/src/a.txt"), FILE_ATTRIBUTE_READONLY);
    AddAttributes(tree.path("back/src/b.txt"), FILE_ATTRIBUTE_HIDDEN);
    const PassResult result = run();
    EXPECT_EQ(result.failedCopies, 0) << (host.lines.size() > 2 ? host.lines[2] : "");
    EXPECT_EQ(tree.read("back/src/a.txt"), "new");
    EXPECT_EQ(tree.read("back/src/b.txt"), "new");
    EXPECT_EQ(tree.mtime("back/src/a.txt"), 2'000'000'000);
}

TEST_F(NativeWindowsPass, ADriveRootDestinationCreatesNothingForItself) {
    const std::string root = tree.root().substr(0, 3);
    ASSERT_TRUE(IsDriveRoot(root, PathStyle::Windows));
    EXPECT_FALSE(MakeFolderWithParents(*fs, root, PathStyle::Windows));
    EXPECT_TRUE(IsFolder(*fs, root));
}

TEST_F(NativeWindowsPass, ListsTheDrivesAndKnowsTheCurrentFolder) {
    const auto roots = fs->roots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front().substr(1), ":\\");
    ASSERT_TRUE(fs->setCurrentFolder(tree.root()).ok());
    EXPECT_EQ(fs->currentFolder(), tree.root());
}

TEST(WindowsDefaults, AreThoseOfTheProgramsFolderAndTheShell) {
    const HostDefaults defaults = MakeHostDefaults();
    EXPECT_EQ(defaults.style, PathStyle::Windows);
    EXPECT_TRUE(defaults.taskFile.ends_with("\\TarnwickConfig.ini")) << defaults.taskFile;
    EXPECT_EQ(defaults.taskFile.substr(1, 2), ":\\");
    EXPECT_EQ(defaults.backFolder, "D:\\back");
    EXPECT_EQ(defaults.blankDestinationReplacement, "C:\\windows\\desktop");
    EXPECT_EQ(defaults.documentsFolder, "C:\\My Documents");
    EXPECT_TRUE(defaults.desktopFolder.ends_with("Desktop")) << defaults.desktopFolder;
}

}  // namespace
}  // namespace tarnwick
