// The pass and the task save on real folders, with the faults a disk gives on a bad day injected
// into the system calls underneath: a read that fails halfway through a file, a disk that fills
// up, a rename or a folder the system refuses, a file that vanishes before it is copied.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "backup/backup_pass.h"
#include "support/fake_clock.h"
#include "support/injected_faults.h"
#include "support/recording_host.h"
#include "support/recording_platform.h"
#include "support/temp_tree.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
constexpr std::int64_t kOldTime = 1'400'000'000;
constexpr std::int64_t kNewTime = 1'500'000'000;

// Real folders under a file system whose system calls obey `faults`.
struct FaultyDisk {
    test::TempTree tree;
    std::shared_ptr<test::InjectedFaults> faults = std::make_shared<test::InjectedFaults>();
    std::unique_ptr<FileSystem> fs = MakePosixFileSystem(test::CallsWithFaults(faults));
};

// Three changed files, each with an older copy in the backup: one at the top, one alone in the
// folder "victim" (where the faults strike) and one in the folder "z". The parameter: whether
// copies go through the kernel's copy or through read and write.
class InjectedFault : public ::testing::TestWithParam<bool>, public FaultyDisk {
  protected:
    InjectedFault() {
        writeTrees();
        inject({});
        options.destination = tree.path("back");
        options.sources = {tree.path("src")};
        options.fullPath = false;
    }

    // Each source newer than its copy, as before every pass that must copy all three.
    void writeTrees() {
        tree.write("src/a.txt", "alpha, new", kNewTime);
        tree.write("src/victim/big.bin", big, kNewTime);
        tree.write("src/z/zeta.txt", "zeta, new", kNewTime);
        tree.write("back/src/a.txt", "alpha, old", kOldTime);
        tree.write("back/src/victim/big.bin", "the previous copy", kOldTime);
        tree.write("back/src/z/zeta.txt", "zeta, old", kOldTime);
    }

    void inject(const test::InjectedFaults& chosen) {
        *faults = chosen;
        faults->kernelCopy = GetParam();
    }

    PassResult run() {
        host = test::RecordingHost();
        return RunBackup(options, host, *fs, clock);
    }

    // Where a line stands in the log (newest first), or -1.
    int position(const std::string& line) const {
        const Lines log = host.log();
        const auto found = std::find(log.begin(), log.end(), line);
        return found == log.end() ? -1 : static_cast<int>(found - log.begin());
    }

    // Bytes that differ from offset to offset, so a copy that lost or repeated a block shows.
    const std::string big = [] {
        std::string bytes(3 * 1024 * 1024 + 123, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>((i * 7919 + i / 4096) & 0xFF);
        }
        return bytes;
    }();
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_P(InjectedFault, AFailedCopyKeepsThePreviousCopyAndThePassGoesOn) {
    const std::string victim = tree.path("src/victim/big.bin");
    const auto remove = [](const std::string& source) {
        if (source.ends_with("/big.bin")) {
            std::filesystem::remove(source);
        }
    };
    const std::string copies = tree.path("back/src/victim");
    struct Case {
        test::InjectedFaults faults;
        const char* reason;
        int strikes;  // none when the source is gone
    };
    const Case cases[] = {
        {{.readFailsIn = victim, .readFailsAfter = 1'500'000}, "Input/output error", 1},
        {{.diskFullIn = copies, .spaceLeft = 1'000'000}, "No space left on device", 1},
        {{.renameFailsTo = copies + "/big.bin", .renameError = EBUSY},
         "Device or resource busy",
         1},
        {{.changesWhileRead = victim, .changes = 3}, "文件在复制时被修改", 3},  // every attempt
        {{.beforeOpen = remove}, "No such file or directory", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        writeTrees();
        inject(c.faults);

        const PassResult result = run();
        EXPECT_EQ(faults->struck, c.strikes);
        EXPECT_EQ(result.failedCopies, 1);
        const Lines log = host.log();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[0], "更新了 2 个文件(19)！");
        EXPECT_EQ(log[1], "有 1 个文件复制失败！");
        const int failure = position("复制失败:" + victim + " (" + c.reason + ")");
        EXPECT_GE(failure, 2);
        EXPECT_EQ(position(victim), failure + 1) << "the failure follows its file";
        EXPECT_EQ(tree.read("back/src/victim/big.bin"), "the previous copy");
        EXPECT_EQ(tree.mtime("back/src/victim/big.bin"), kOldTime);
        EXPECT_FALSE(test::HoldsTemporaryFiles(tree, "back"));
    }
}

TEST_P(InjectedFault, AFolderThatCannotBeCreatedIsLoggedAndTheRestIsBackedUp) {
    const std::string folder = tree.path("back/src/victim");
    std::filesystem::remove_all(folder);
    inject({.mkdirFails = folder});
    const PassResult result = run();
    EXPECT_EQ(faults->struck, 1);
    EXPECT_EQ(result.failedFolders, 1);
    EXPECT_EQ(result.failedCopies, 0);
    EXPECT_EQ(host.log()[0], "更新了 2 个文件(19)！");
    EXPECT_NE(position("无法创建文件夹:" + folder + " (Permission denied)"), -1);
    EXPECT_EQ(position(tree.path("src/victim/big.bin")), -1) << "nothing below it is tried";
    EXPECT_FALSE(tree.exists("back/src/victim"));

    // One that another pass made first is as good as made.
    inject({.mkdirFails = folder, .mkdirError = EEXIST, .mkdirMadeAnyway = true});
    EXPECT_FALSE(run().failed());
    EXPECT_EQ(faults->struck, 1);
    EXPECT_EQ(tree.read("back/src/victim/big.bin"), big);
}

TEST_P(InjectedFault, SparseFilesStaySparse) {
    const int file = open(tree.path("src/sparse.img").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(ftruncate(file, 64 << 20), 0);
    ASSERT_EQ(pwrite(file, "data", 4, 32 << 20), 4);
    close(file);
    EXPECT_FALSE(run().failed());
    struct stat source, copy;
    ASSERT_EQ(stat(tree.path("src/sparse.img").c_str(), &source), 0);
    ASSERT_EQ(stat(tree.path("back/src/sparse.img").c_str(), &copy), 0);
    EXPECT_LE(copy.st_blocks, source.st_blocks);
    EXPECT_EQ(tree.read("back/src/sparse.img"), tree.read("src/sparse.img"));
}

// What a pass takes in its stride: a pipe (listed, or swapped in for a file) never waited on, a
// folder gone before its walk.
TEST_P(InjectedFault, PassesOverWhatChangesUnderIt) {
    ASSERT_EQ(mkfifo(tree.path("src/pipe").c_str(), 0600), 0);
    EXPECT_FALSE(run().failed());
    EXPECT_FALSE(tree.exists("back/src/pipe"));

    for (const char* file : {"src/a.txt", "src/victim/big.bin", "src/z/zeta.txt"}) {
        tree.write(file, "newer", kNewTime + 1);
    }
    inject({.beforeOpen = [this](const std::string& source) {
        if (source.ends_with("/a.txt")) {
            std::filesystem::remove_all(tree.path("src/z"));
        } else if (source.ends_with("/big.bin")) {
            std::filesystem::remove(source);
            mkfifo(source.c_str(), 0600);
        }
    }});
    const PassResult result = run();
    EXPECT_FALSE(result.failed());
    EXPECT_EQ(result.updatedCount, 1);
    EXPECT_EQ(tree.read("back/src/a.txt"), "newer");
    EXPECT_EQ(tree.read("back/src/victim/big.bin"), big);
    EXPECT_EQ(tree.read("back/src/z/zeta.txt"), "zeta, new");
}

TEST_P(InjectedFault, FatTimesAreReadFromTheFileSystemType) {
    EXPECT_FALSE(fs->hasTwoSecondTimes(tree.path("back")));
    faults->fileSystemType = 0x4d44;
    EXPECT_TRUE(fs->hasTwoSecondTimes(tree.path("back")));
}

INSTANTIATE_TEST_SUITE_P(Copies, InjectedFault, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ThroughTheKernel" : "ThroughReadAndWrite";
                         });

// Saving the task file when the disk is full or the rename is refused.
TEST(TaskSaveFault, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    FaultyDisk disk;
    test::TempTree& tree = disk.tree;
    test::RecordingPlatform platform;
    test::FakeClock clock;
    FrmMain window(platform, *disk.fs, clock,
                   {PathStyle::Posix, tree.path("default/TarnwickConfig.ini"), tree.path("back"),
                    tree.path("Desktop"), tree.path("Desktop"), tree.path("Documents"), ""});
    const std::string previous = "; hand-written\r\n[Comm]\r\nDDir=/old\r\n";
    tree.write("task/t.ini", previous);
    window.TextTask.setText(tree.path("task/t.ini"));
    window.txtToFolder.setText(tree.path("back"));
    const std::pair<test::InjectedFaults, const char*> cases[] = {
        {{.diskFullIn = tree.path("task"), .spaceLeft = 100}, "No space left on device"},
        {{.renameFailsTo = tree.path("task/t.ini")}, "Permission denied"},
    };
    for (const auto& [faults, reason] : cases) {
        SCOPED_TRACE(reason);
        *disk.faults = faults;
        platform.messages.clear();
        EXPECT_EQ(window.SaveConfig_Click(), FrmMain::CommandOutcome::WriteFailed);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, tree.path("task/t.ini") + " (" + reason + ")");
        EXPECT_EQ(tree.read("task/t.ini"), previous);
        EXPECT_FALSE(test::HoldsTemporaryFiles(tree, "task"));
    }
}

}  // namespace
}  // namespace tarnwick
