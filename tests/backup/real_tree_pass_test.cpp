// The pass on real folder trees through the machine's own file system.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "backup/backup_pass.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/temp_tree.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
using Files = std::map<std::string, std::string>;

class RealTreePass : public ::testing::Test {
  protected:
    RealTreePass() : fs(MakeHostFileSystem()) {
        options.destination = tree.path("back");
        options.sources = {tree.path("src")};
        options.fullPath = false;
    }

    PassResult run() {
        host = test::RecordingHost();
        return RunBackup(options, host, *fs, clock);
    }

    bool temporaryFilesLeft() const {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.path("back"))) {
            if (entry.path().filename().string().starts_with(".tarnwick-")) {
                return true;
            }
        }
        return false;
    }

    test::TempTree tree;
    std::unique_ptr<FileSystem> fs;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(RealTreePass, MirrorsNewAndChangedFilesWithTheirTimes) {
    tree.write("src/a.txt", "alpha", 1'500'000'000);
    tree.write("src/.hidden", "h", 1'500'000'001);
    tree.write("src/sub/deep/b.bin", std::string(100'000, 'b'), 1'500'000'002);
    tree.write("src/empty", "", 1'500'000'003);
    tree.makeFolder("src/emptyfolder");
    const PassResult first = run();
    EXPECT_EQ(first.updatedCount, 4);
    EXPECT_EQ(first.updatedBytes, 100'006);
    EXPECT_EQ(tree.files("back/src"), tree.files("src"));
    EXPECT_EQ(tree.mtime("back/src/sub/deep/b.bin"), 1'500'000'002);
    EXPECT_TRUE(tree.exists("back/src/emptyfolder"));

    const PassResult second = run();
    EXPECT_EQ(second.updatedCount, 0);
    EXPECT_EQ(host.log().front(), "目标文件没有更新！");

    tree.write("src/a.txt", "ALPHA", 1'500'000'000);  // new bytes, same time: not a change
    tree.write("src/sub/deep/b.bin", "changed", 1'600'000'000);
    run();
    EXPECT_EQ(host.log(), (Lines{"更新了 1 个文件(7)！", tree.path("src/sub/deep/b.bin"),
                                 "正在扫描目标文件夹…"}));
    EXPECT_EQ(tree.read("back/src/a.txt"), "alpha");
    EXPECT_EQ(tree.read("back/src/sub/deep/b.bin"), "changed");
    EXPECT_FALSE(temporaryFilesLeft());
}

TEST_F(RealTreePass, ReplacesAReadOnlyOldCopy) {
    tree.write("src/a.txt", "new", 2'000'000'000);
    tree.write("back/src/a.txt", "old", 1'000'000'000);
    std::filesystem::permissions(tree.path("back/src/a.txt"),
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read);
    const PassResult result = run();
    EXPECT_EQ(result.failedCopies, 0);
    EXPECT_EQ(tree.read("back/src/a.txt"), "new");
}

TEST_F(RealTreePass, AFailedCopyLeavesNoTemporaryFileBehind) {
    tree.write("src/a.txt", "new", 2'000'000'000);
    tree.makeFolder("back/src/a.txt");  // a folder where the copy should go
    const PassResult result = run();
    EXPECT_EQ(result.failedCopies, 1);
    EXPECT_EQ(result.updatedCount, 0);
    EXPECT_TRUE(host.log()[2].starts_with("复制失败:" + tree.path("src/a.txt") + " ("));
    EXPECT_FALSE(temporaryFilesLeft());
}

TEST_F(RealTreePass, AStopInsideALongCopyKeepsThePreviousCopy) {
    tree.write("src/big.bin", std::string(20 * 1024 * 1024, 'n'), 2'000'000'000);
    tree.write("back/src/big.bin", "previous", 1'000'000'000);
    clock.stepPerReading = 1.0;
    host.onRefresh = [] {};
    int refreshes = 0;
    options.sources = {tree.path("src")};
    test::RecordingHost stopper;
    stopper.onRefresh = [&] { stopper.stop = ++refreshes == 2; };  // the second comes mid-copy
    const PassResult result = RunBackup(options, stopper, *fs, clock);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.updatedCount, 0);
    EXPECT_EQ(tree.read("back/src/big.bin"), "previous");
    EXPECT_EQ(tree.mtime("back/src/big.bin"), 1'000'000'000);
    EXPECT_FALSE(temporaryFilesLeft());

    const PassResult next = run();
    EXPECT_EQ(next.updatedCount, 1);
    EXPECT_EQ(tree.read("back/src/big.bin").size(), 20u * 1024 * 1024);
}

#ifndef _WIN32
TEST_F(RealTreePass, DoesNotFollowALinkBackIntoAFolderItIsInside) {
    tree.write("src/a/file.txt", "x", 1'000);
    tree.write("other/o.txt", "o", 1'000);
    ASSERT_EQ(symlink(tree.path("src").c_str(), tree.path("src/a/loop").c_str()), 0);
    ASSERT_EQ(symlink(tree.path("other").c_str(), tree.path("src/a/elsewhere").c_str()), 0);
    ASSERT_EQ(symlink(tree.path("nowhere").c_str(), tree.path("src/dangling").c_str()), 0);
    const PassResult result = run();
    EXPECT_EQ(result.updatedCount, 2);
    EXPECT_EQ(tree.files("back/src"), (Files{{"a/file.txt", "x"}, {"a/elsewhere/o.txt", "o"}}));
    EXPECT_FALSE(tree.exists("back/src/a/loop"));
    EXPECT_FALSE(tree.exists("back/src/dangling"));
}

TEST_F(RealTreePass, PassesOverPipesInsteadOfBlockingOnThem) {
    tree.write("src/a.txt", "a", 1'000);
    ASSERT_EQ(mkfifo(tree.path("src/pipe").c_str(), 0600), 0);
    EXPECT_EQ(run().updatedCount, 1);
    EXPECT_FALSE(tree.exists("back/src/pipe"));
}

#endif

TEST_F(RealTreePass, NeverWalksIntoTheDestinationInsideASource) {
    tree.write("src/a.txt", "a", 1'000);
    options.destination = tree.path("src/back");
    options.fullPath = false;
    EXPECT_EQ(run().updatedCount, 1);
    EXPECT_EQ(run().updatedCount, 0);
    EXPECT_EQ(tree.files("src/back"), (Files{{"src/a.txt", "a"}}));
}

TEST_F(RealTreePass, KeepsWholePathsBelowTheDestination) {
    tree.write("src/x/a.txt", "a", 1'000);
    options.fullPath = true;
    options.sources = {tree.path("src/x/")};
    run();
    const std::string source = tree.path("src/x/a.txt");
    EXPECT_EQ(tree.read("back/" + source.substr(DrivePartLength(kHostPathStyle))), "a");
    EXPECT_EQ(host.destination, tree.path("back/"));
    EXPECT_TRUE(host.sourceEntries.empty());
}

}  // namespace
}  // namespace tarnwick
