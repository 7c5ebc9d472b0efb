// The pass on real folder trees through the machine's own file system.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <span>

#include "backup/backup_pass.h"
#include "support/fake_clock.h"
#include "support/recording_host.h"
#include "support/temp_tree.h"

namespace tarnwick {
namespace {

using Files = std::map<std::string, std::string>;

class RealTreePass : public ::testing::Test {
  protected:
    RealTreePass() : fs(MakeHostFileSystem()) {
        options.destination = tree.path("back");
        options.sources = {tree.path("src")};
        options.fullPath = false;
    }

    PassResult run() { return RunBackup(options, host, *fs, clock); }

    test::TempTree tree;
    std::unique_ptr<FileSystem> fs;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(RealTreePass, AStopInsideALongCopyKeepsThePreviousCopy) {
    tree.write("src/big.bin", std::string(20 * 1024 * 1024, 'n'), 2'000'000'000);
    tree.write("back/src/big.bin", "previous", 1'000'000'000);
    clock.stepPerReading = 1.0;
    host.onRefresh = [&] { host.stop = host.refreshedPaths.size() == 2; };  // the second: mid-copy
    const PassResult result = run();
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.updatedCount, 0);
    EXPECT_EQ(tree.read("back/src/big.bin"), "previous");
    EXPECT_EQ(tree.mtime("back/src/big.bin"), 1'000'000'000);
}

#ifndef _WIN32
TEST_F(RealTreePass, BacksLinksUpAsLinksAndNeverWritesThroughOne) {
    tree.write("src/a/file.txt", "x", 1'000);
    tree.write("other/o.txt", "o", 1'000);
    tree.makeFolder("back/src");
    const std::pair<const char*, std::string> links[] = {{"src/a/loop", tree.path("src")},
                                                         {"src/a/elsewhere", tree.path("other")},
                                                         {"src/dangling", "nowhere"},
                                                         {"src/a/to-file", "file.txt"},
                                                         {"src/a/into-backup", tree.path("back")},
                                                         {"back/src/a", tree.path("other")}};
    for (const auto& [link, text] : links) {
        ASSERT_EQ(symlink(text.c_str(), tree.path(link).c_str()), 0);
    }
    EXPECT_EQ(run().failedFolders, 1);  // the link planted in the destination
    EXPECT_EQ(tree.files("other"), (Files{{"o.txt", "o"}}));
    std::filesystem::remove(tree.path("back/src/a"));
    EXPECT_EQ(run().updatedCount, 5);  // the dangling link came with the first pass
    for (const auto& [link, text] : std::span(links, 5)) {
        EXPECT_EQ(std::filesystem::read_symlink(tree.path("back/" + std::string(link))), text);
    }
    EXPECT_EQ(tree.files("back/src"), (Files{{"a/file.txt", "x"}}));
    EXPECT_EQ(run().updatedCount, 0);
}

TEST_F(RealTreePass, RemovesTheTemporaryFilesOfKilledPassesOnly) {
    const std::string live = ".tarnwick-" + std::to_string(getppid()) + "-7.tmp";
    tree.write("back/src/" + live, "a running pass's");
    tree.write("back/src/.tarnwick-4194999-7.tmp", "a killed pass's");
    tree.makeFolder("src");
    run();
    EXPECT_EQ(tree.files("back/src"), (Files{{live, "a running pass's"}}));
}

TEST_F(RealTreePass, ACopyNeverGrantsMoreAccessThanItsSource) {
    tree.write("src/private/secret.txt", "s", 1'000);
    tree.write("src/tool", "t", 1'000);
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || chown(tree.path("src/tool").c_str(), 1234, 5678) == 0);
    const auto mode = [&](const char* path, mode_t bits = 0) {
        struct stat st;
        EXPECT_TRUE(bits == 0 || chmod(tree.path(path).c_str(), bits) == 0);
        return stat(tree.path(path).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    };
    mode("src/private", 0700);
    mode("src/private/secret.txt", 0644);
    mode("src/tool", 06755);
    run();
    EXPECT_EQ(mode("back/src/private"), 0700u);
    EXPECT_EQ(mode("back/src/tool"), 0755u);
    mode("src/private/secret.txt", 0600);
    EXPECT_EQ(run().updatedCount, 0);
    EXPECT_EQ(mode("back/src/private/secret.txt"), 0600u);
    struct stat copy;
    ASSERT_EQ(stat(tree.path("back/src/tool").c_str(), &copy), 0);
    EXPECT_TRUE(!root || (copy.st_uid == 1234 && copy.st_gid == 5678));
}

TEST_F(RealTreePass, BacksUpTreesDeeperThanAPathCanName) {
    // No single path names the file: the tree is made and read one folder at a time.
    const auto enter = [](const std::string& root, bool make) {
        ASSERT_EQ(chdir(root.c_str()), 0);
        for (int level = 0; level < 30; ++level) {
            const std::string name(200, static_cast<char>('a' + level % 26));
            ASSERT_TRUE(!make || mkdir(name.c_str(), 0755) == 0);
            ASSERT_EQ(chdir(name.c_str()), 0);
        }
    };
    tree.makeFolder("src");
    enter(tree.path("src"), true);
    std::ofstream("f.txt") << "deep";
    EXPECT_EQ(run().updatedCount, 1);
    EXPECT_EQ(host.log()[0], "更新了 1 个文件(4)！");
    enter(tree.path("back/src"), false);
    std::ifstream copy("f.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "deep");
    ASSERT_EQ(chdir(tree.root().c_str()), 0);
    ASSERT_EQ(std::system("rm -rf src back"), 0);
}

#endif

TEST_F(RealTreePass, NeverWalksIntoTheDestinationInsideASource) {
    tree.write("src/a.txt", "a", 1'000);
    options.destination = tree.path("src/back");
    EXPECT_EQ(run().updatedCount, 1);
    EXPECT_EQ(run().updatedCount, 0);
    EXPECT_EQ(tree.files("src/back"), (Files{{"src/a.txt", "a"}}));
}

}  // namespace
}  // namespace tarnwick
