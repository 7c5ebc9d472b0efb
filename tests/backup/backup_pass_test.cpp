// The pass in Windows terms, on a file system in memory: the examples of the path rules, the
// order of the walk and of the log, the stop and every failure the pass reports.
#include "backup/backup_pass.h"

#include <gtest/gtest.h>

#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_host.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<test::MemoryFileSystem> Drives() {
    auto fs = std::make_unique<test::MemoryFileSystem>(PathStyle::Windows);
    for (const char* root : {"C:\\", "D:\\", "E:\\"}) {
        fs->addRoot(root);
    }
    return fs;
}

class WindowsPass : public ::testing::Test {
  protected:
    WindowsPass() {
        options.destination = "D:\\back";
        options.style = PathStyle::Windows;
    }

    PassResult run() { return RunBackup(options, host, fs, clock); }

    std::unique_ptr<test::MemoryFileSystem> drives = Drives();
    test::MemoryFileSystem& fs = *drives;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(WindowsPass, MapsEachSourceBelowTheTrimmedDestination) {
    struct Case {
        const char* destination;
        const char* source;
        bool fullPath;
        const char* copiedTo;
    };
    const Case cases[] = {
        {"D:\\back", "C:\\abc\\def\\xyz", true, "D:\\back\\abc\\def\\xyz\\f.txt"},
        {"D:\\back", "C:\\abc\\def\\xyz", false, "D:\\back\\xyz\\f.txt"},
        {" D:\\back\\x ", "C:\\s\\", false, "D:\\back\\x\\s\\f.txt"},
        {"E:\\", "C:\\s", false, "E:\\s\\f.txt"},  // a drive root is never made
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.destination) + c.source + (c.fullPath ? " full" : ""));
        const auto fresh = Drives();
        const std::string folder =
            std::string(c.source).ends_with("\\") ? c.source : c.source + std::string("\\");
        fresh->addFile(folder + "f.txt", 100, 5);
        test::RecordingHost recorder;
        options.sources = {c.source};
        options.fullPath = c.fullPath;
        options.destination = c.destination;
        EXPECT_FALSE(RunBackup(options, recorder, *fresh, clock).failed());
        EXPECT_TRUE(fresh->isFile(c.copiedTo));
        const std::string trimmed = c.destination[0] == ' ' ? "D:\\back\\x" : c.destination;
        EXPECT_EQ(recorder.destination, trimmed.ends_with("\\") ? trimmed : trimmed + "\\");
        using Entries = std::vector<std::pair<std::size_t, std::string>>;
        EXPECT_EQ(recorder.sourceEntries, (folder == c.source ? Entries{} : Entries{{0, folder}}));
    }
}

TEST_F(WindowsPass, LogsNewestFirstAndWalksSubfoldersInReverseListingOrder) {
    fs.addFile("C:\\s\\top1.txt", 100, 3'221'225'472ULL);  // sums past 2 GiB
    for (const char* file : {"C:\\s\\A\\a.txt", "C:\\s\\B\\b.txt", "C:\\s\\B\\deep\\d.txt",
                             "C:\\s\\C\\c.txt", "C:\\s\\top2.txt"}) {
        fs.addFile(file, 100, 40);
    }
    options.sources = {"C:\\s"};
    run();
    EXPECT_TRUE(host.refreshedPaths.empty());  // the clock stood still
    EXPECT_EQ(host.log(), (Lines{"更新了 6 个文件(3221225672)！", "C:\\s\\A\\a.txt",
                                 "C:\\s\\B\\deep\\d.txt", "C:\\s\\B\\b.txt", "C:\\s\\C\\c.txt",
                                 "C:\\s\\top2.txt", "C:\\s\\top1.txt", "正在扫描目标文件夹…"}));
}

TEST_F(WindowsPass, TakesACopyWhoseTimeOrSizeDiffersAndAlwaysAMissingOne) {
    struct Case {
        std::int64_t sourceTime;
        std::uint64_t copySize;  // the source has 1 byte; 0: no copy
        std::int64_t copyTime;
        bool twoSecondTimes;
        bool copied;
    };
    const Case cases[] = {
        {100, 1, 100, false, false},       // same time to the second, even with other bytes
        {100, 1, 200, false, true},        // a newer copy is overwritten too
        {100, 2, 100, false, true},        // a torn copy
        {101, 1, 100, false, true},        //
        {101, 1, 100, true, false},        // FAT keeps times to 2 seconds
        {102, 1, 100, true, true},         //
        {315'561'600, 0, 0, false, true},  // as old as the 1980 sentinel
    };
    for (const auto& c : cases) {
        const auto fresh = Drives();
        fresh->twoSecondTimes = c.twoSecondTimes;
        fresh->addFile("C:\\s\\f.txt", c.sourceTime, 1, "new");
        if (c.copySize != 0) {
            fresh->addFile("D:\\back\\s\\f.txt", c.copyTime, c.copySize, "old");
        }
        options.sources = {"C:\\s"};
        RunBackup(options, host, *fresh, clock);
        EXPECT_EQ(fresh->contentOf("D:\\back\\s\\f.txt") == "new", c.copied) << c.sourceTime;
        EXPECT_EQ(fresh->attributes("D:\\back\\s\\f.txt")->modified.seconds,
                  c.copied ? c.sourceTime : c.copyTime);
    }
}

// The type filter skips folders at any depth; the size limit takes files up to the limit in its
// place; without subfolders only the top files go; the "no copy" box makes folders and counts
// files but copies nothing.
TEST_F(WindowsPass, SelectsFilesByTypeOrSizeAndFoldersByNameAndDepth) {
    struct Case {
        bool sizeLimitOn, includeSubDirs, noCopy;
        Lines copied;
    };
    const Case cases[] = {
        {false, true, false, {"C:\\s\\over.txt", "C:\\s\\x\\c.txt"}},
        {true, true, false, {"C:\\s\\exact.bak", "C:\\s\\x\\c.txt"}},
        {false, false, false, {"C:\\s\\over.txt"}},
        {false, true, true, {}},
    };
    for (const auto& c : cases) {
        const auto fresh = Drives();
        fresh->addFile("C:\\s\\exact.bak", 100, 1536);
        fresh->addFile("C:\\s\\over.txt", 100, 1537);
        fresh->addFile("C:\\s\\Bak\\a.txt", 100, 1);
        fresh->addFile("C:\\s\\x\\bak\\b.txt", 100, 1);
        fresh->addFile("C:\\s\\x\\c.txt", 100, 1);
        options.sources = {"C:\\s"};
        options.sizeLimitOn = c.sizeLimitOn;
        options.sizeLimitText = "1.5";
        options.includeSubDirs = c.includeSubDirs;
        host.filter = BuildTypeFilter(TypeMode::AllButListed, {}, {".bak", "\\bak"});
        host.noCopyBox = c.noCopy;
        const PassResult result = RunBackup(options, host, *fresh, clock);
        EXPECT_FALSE(result.failed());
        EXPECT_EQ(result.updatedCount, c.includeSubDirs ? 2 : 1);
        EXPECT_EQ(fresh->copiedFiles, c.copied);
        EXPECT_FALSE(fresh->isFolder("D:\\back\\s\\Bak") || fresh->isFolder("D:\\back\\s\\x\\bak"));
        EXPECT_EQ(fresh->isFolder("D:\\back\\s\\x"), c.includeSubDirs);
    }
}

TEST(SizeLimitBytes, ReadsKilobytesAndFallsBackTo300) {
    EXPECT_EQ(SizeLimitBytes("0.0004"), 307200);
    EXPECT_EQ(SizeLimitBytes("2097152"), 2147483648LL);
}

TEST_F(WindowsPass, ADestinationThatIsRefusedOrCannotBeMadeEndsThePassWithItsSummary) {
    const std::pair<const char*, const char*> cases[] = {
        {"  ", "存放备份的文件夹无效:  "},
        {"back", "存放备份的文件夹无效:back"},
        {"D:\\back", "无法创建文件夹:D:\\back\\ (Access is denied.)"},
    };
    for (const auto& [destination, reason] : cases) {
        SCOPED_TRACE(reason);
        const auto fresh = Drives();
        fresh->addFile("C:\\s\\a.txt", 100, 1);
        fresh->refuseCreate.insert("D:\\back");
        test::RecordingHost refused;
        options.sources = {"C:\\s"};
        options.destination = destination;
        EXPECT_TRUE(RunBackup(options, refused, *fresh, clock).failed());
        EXPECT_EQ(refused.log(), (Lines{"目标文件没有更新！", "有 1 个文件夹无法备份！", reason,
                                        "正在扫描目标文件夹…"}));
        EXPECT_TRUE(fresh->createdFolders.empty());
        EXPECT_EQ(refused.ended, 1);
    }
}

// Each failure is logged after its file or in its folder's place, counted, and ends no more
// than its own file or folder.
TEST_F(WindowsPass, ReportsEveryFailureAndBacksUpTheRest) {
    for (const char* file : {"C:\\file", "C:\\one\\a.txt", "C:\\two\\locked.doc",
                             "C:\\two\\fine.doc", "C:\\two\\gone.txt", "C:\\two\\unread.txt",
                             "C:\\two\\private\\p.txt", "C:\\two\\sub\\c.txt"}) {
        fs.addFile(file, 100, 5);
    }
    fs.refuseCreate = {"D:\\back\\one", "D:\\back\\two\\sub"};
    fs.refuseCopy.insert("C:\\two\\locked.doc");
    fs.vanishing.insert("C:\\two\\gone.txt");
    fs.failing = {{"C:\\two\\unread.txt", "Access is denied."},
                  {"C:\\two\\private", "Access is denied."}};
    options.sources = {"", "C:", "abc", "C:\\missing", "C:\\file", "C:\\one", "C:\\two"};
    const PassResult result = run();
    EXPECT_EQ(result.failedFolders, 8);
    EXPECT_EQ(result.failedCopies, 2);
    EXPECT_EQ(
        host.log(),
        (Lines{"更新了 1 个文件(5)！", "有 8 个文件夹无法备份！", "有 2 个文件复制失败！",
               "无法读取文件夹:C:\\two\\private\\ (Access is denied.)",
               "无法创建文件夹:D:\\back\\two\\sub (Access is denied.)",
               "无法读取:C:\\two\\unread.txt (Access is denied.)", "C:\\two\\fine.doc",
               "复制失败:C:\\two\\locked.doc (Access is denied.)", "C:\\two\\locked.doc",
               "无法创建文件夹:D:\\back\\one\\ (Access is denied.)", "源文件夹不存在:C:\\file\\",
               "源文件夹不存在:C:\\missing\\", "跳过无效的源文件夹:abc",
               "跳过无效的源文件夹:C:", "跳过无效的源文件夹:", "正在扫描目标文件夹…"}));
    EXPECT_EQ(fs.createdFolders, (Lines{"D:\\back\\", "D:\\back\\two", "D:\\back\\two\\private"}));
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\two\\fine.doc"}));
    EXPECT_FALSE(fs.isFolder("D:\\back\\two\\gone.txt"));
}

TEST_F(WindowsPass, RefreshesOnlyWhenTheMonotonicClockHasMovedOnEnough) {
    for (const char* file : {"C:\\s\\a.txt", "C:\\s\\b.txt", "C:\\s\\c.txt", "D:\\back\\s\\a.txt",
                             "D:\\back\\s\\b.txt"}) {
        fs.addFile(file, 100, 1);  // a and b backed up before
    }
    options.sources = {"C:\\s"};
    clock.stepPerReading = 0.5;
    run();
    // Before each entry, and again inside the copy.
    EXPECT_EQ(host.refreshedPaths,
              (Lines{"C:\\s\\a.txt", "C:\\s\\b.txt", "C:\\s\\c.txt", "C:\\s\\c.txt"}));
}

}  // namespace
}  // namespace tarnwick
