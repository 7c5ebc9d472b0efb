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

class WindowsPass : public ::testing::Test {
  protected:
    WindowsPass() : fs(PathStyle::Windows) {
        fs.addRoot("C:\\");
        fs.addRoot("D:\\");
        fs.addRoot("E:\\");
        options.destination = "D:\\back";
        options.style = PathStyle::Windows;
    }

    PassResult run() { return RunBackup(options, host, fs, clock); }

    test::MemoryFileSystem fs;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(WindowsPass, MapsEachSourceBelowTheDestination) {
    struct Case {
        const char* source;
        bool fullPath;
        const char* copiedTo;
    };
    const Case cases[] = {
        {"C:\\abc\\def\\xyz", true, "D:\\back\\abc\\def\\xyz\\f.txt"},
        {"C:\\abc\\def\\xyz", false, "D:\\back\\xyz\\f.txt"},
        {"C:\\", true, "D:\\back\\f.txt"},
        {"C:\\", false, "D:\\back\\C\\f.txt"},
    };
    for (const auto& c : cases) {
        test::MemoryFileSystem fresh(PathStyle::Windows);
        fresh.addRoot("C:\\");
        fresh.addRoot("D:\\");
        const std::string folder =
            std::string(c.source) == "C:\\" ? "C:\\" : c.source + std::string("\\");
        fresh.addFile(folder + "f.txt", 100, 5);
        test::RecordingHost recorder;
        options.sources = {c.source};
        options.fullPath = c.fullPath;
        RunBackup(options, recorder, fresh, clock);
        EXPECT_TRUE(fresh.isFile(c.copiedTo)) << c.source << " full=" << c.fullPath;
        EXPECT_EQ(recorder.destination, "D:\\back\\");
        using Entries = std::vector<std::pair<std::size_t, std::string>>;
        EXPECT_EQ(recorder.sourceEntries, (folder == c.source ? Entries{} : Entries{{0, folder}}));
    }
}

TEST_F(WindowsPass, TrimsTheDestinationAndCreatesItWithItsParents) {
    options.destination = " D:\\back\\x ";
    run();
    EXPECT_EQ(host.destination, "D:\\back\\x\\");
    EXPECT_EQ(fs.createdFolders, (Lines{"D:\\back\\", "D:\\back\\x\\"}));
    EXPECT_EQ(host.log(), (Lines{"目标文件没有更新！", "正在扫描目标文件夹…"}));
    EXPECT_EQ(host.started, 1);
    EXPECT_EQ(host.ended, 1);
}

TEST_F(WindowsPass, CreatesNothingForADriveRootDestination) {
    options.destination = "E:\\";
    fs.addFile("C:\\src\\a.txt", 100, 1);
    options.sources = {"C:\\src"};
    run();
    EXPECT_EQ(fs.createdFolders, (Lines{"E:\\src"}));
    EXPECT_TRUE(fs.isFile("E:\\src\\a.txt"));
}

TEST_F(WindowsPass, MergesSourcesWithTheSameLastName) {
    fs.addFile("C:\\a\\x\\one.txt", 100, 1);
    fs.addFile("C:\\b\\x\\two.txt", 100, 1);
    options.sources = {"C:\\a\\x", "C:\\b\\x"};
    options.fullPath = false;
    run();
    EXPECT_TRUE(fs.isFile("D:\\back\\x\\one.txt"));
    EXPECT_TRUE(fs.isFile("D:\\back\\x\\two.txt"));
}

TEST_F(WindowsPass, LogsNewestFirstAndWalksSubfoldersInReverseListingOrder) {
    fs.addFile("C:\\s\\top1.txt", 100, 3'221'225'472ULL);  // sums past 2 GiB
    fs.addFile("C:\\s\\A\\a.txt", 100, 20);
    fs.addFile("C:\\s\\B\\b.txt", 100, 30);
    fs.addFile("C:\\s\\B\\deep\\d.txt", 100, 40);
    fs.addFile("C:\\s\\C\\c.txt", 100, 50);
    fs.addFile("C:\\s\\top2.txt", 100, 60);
    options.sources = {"C:\\s"};
    run();
    EXPECT_EQ(host.log(), (Lines{
                              "更新了 6 个文件(3221225672)！",
                              "C:\\s\\A\\a.txt",
                              "C:\\s\\B\\deep\\d.txt",
                              "C:\\s\\B\\b.txt",
                              "C:\\s\\C\\c.txt",
                              "C:\\s\\top2.txt",
                              "C:\\s\\top1.txt",
                              "正在扫描目标文件夹…",
                          }));
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
        test::MemoryFileSystem fresh(PathStyle::Windows);
        fresh.addRoot("C:\\");
        fresh.addRoot("D:\\");
        fresh.twoSecondTimes = c.twoSecondTimes;
        fresh.addFile("C:\\s\\f.txt", c.sourceTime, 1, "new");
        if (c.copySize != 0) {
            fresh.addFile("D:\\back\\s\\f.txt", c.copyTime, c.copySize, "old");
        }
        options.sources = {"C:\\s"};
        RunBackup(options, host, fresh, clock);
        EXPECT_EQ(fresh.contentOf("D:\\back\\s\\f.txt") == "new", c.copied) << c.sourceTime;
        EXPECT_EQ(fresh.mtimeOf("D:\\back\\s\\f.txt"), c.copied ? c.sourceTime : c.copyTime);
    }
}

TEST_F(WindowsPass, SizeLimitTakesFilesUpToTheLimitAndIgnoresTheTypeFilter) {
    fs.addFile("C:\\s\\exact.bak", 100, 1536);
    fs.addFile("C:\\s\\over.txt", 100, 1537);
    options.sources = {"C:\\s"};
    options.sizeLimitOn = true;
    options.sizeLimitText = "1.5";
    host.filter = BuildTypeFilter(TypeMode::AllButListed, {}, {".bak"});
    run();
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\s\\exact.bak"}));
}

TEST(SizeLimitBytes, ReadsKilobytesAndFallsBackTo300) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"", 307200},
        {"0", 307200},
        {"-5", 307200},
        {"abc", 307200},
        {"1.5", 1536},
        {"300", 307200},
        {"2097152", 2147483648LL},
        {"0.0004", 307200},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(SizeLimitBytes(text), bytes) << text;
    }
}

TEST_F(WindowsPass, SkipsFoldersNamedInTheSkipListAtAnyDepth) {
    fs.addFile("C:\\s\\Bak\\a.txt", 100, 1);
    fs.addFile("C:\\s\\x\\bak\\b.txt", 100, 1);
    fs.addFile("C:\\s\\x\\c.txt", 100, 1);
    options.sources = {"C:\\s"};
    host.filter = BuildTypeFilter(TypeMode::AllButListed, {}, {"\\bak"});
    run();
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\s\\x\\c.txt"}));
    EXPECT_FALSE(fs.isFolder("D:\\back\\s\\Bak"));
    EXPECT_FALSE(fs.isFolder("D:\\back\\s\\x\\bak"));
}

TEST_F(WindowsPass, WithoutSubfoldersTakesOnlyTheTopFiles) {
    fs.addFile("C:\\s\\top.txt", 100, 1);
    fs.addFile("C:\\s\\sub\\below.txt", 100, 1);
    options.sources = {"C:\\s"};
    options.includeSubDirs = false;
    run();
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\s\\top.txt"}));
    EXPECT_FALSE(fs.isFolder("D:\\back\\s\\sub"));
}

TEST_F(WindowsPass, NoCopyBoxCreatesFoldersLogsAndCountsButCopiesNothing) {
    fs.addFile("C:\\s\\sub\\a.txt", 100, 7);
    options.sources = {"C:\\s"};
    host.noCopyBox = true;
    const PassResult result = run();
    EXPECT_TRUE(fs.copiedFiles.empty());
    EXPECT_TRUE(fs.isFolder("D:\\back\\s\\sub"));
    EXPECT_EQ(result.updatedCount, 1);
    EXPECT_EQ(host.log().front(), "更新了 1 个文件(7)！");
}

TEST_F(WindowsPass, AFailedCopyIsLoggedAndNotCounted) {
    fs.addFile("C:\\s\\locked.doc", 100, 10);
    fs.addFile("C:\\s\\fine.doc", 100, 5);
    fs.refuseCopy.insert("C:\\s\\locked.doc");
    options.sources = {"C:\\s"};
    const PassResult result = run();
    EXPECT_EQ(host.log(), (Lines{
                              "更新了 1 个文件(5)！",
                              "有 1 个文件复制失败！",
                              "C:\\s\\fine.doc",
                              "复制失败:C:\\s\\locked.doc (Access is denied.)",
                              "C:\\s\\locked.doc",
                              "正在扫描目标文件夹…",
                          }));
    EXPECT_EQ(result.failedCopies, 1);
}

TEST_F(WindowsPass, ATargetFolderThatCannotBeMadeEndsOnlyItsSource) {
    fs.addFile("C:\\one\\a.txt", 100, 1);
    fs.addFile("C:\\two\\b.txt", 100, 1);
    fs.addFile("C:\\two\\sub\\c.txt", 100, 1);
    fs.addFolder("D:\\back");
    fs.refuseCreate = {"D:\\back\\one", "D:\\back\\two\\sub"};
    options.sources = {"C:\\one", "C:\\two"};
    const PassResult result = run();
    EXPECT_EQ(host.log(), (Lines{
                              "更新了 1 个文件(1)！",
                              "有 2 个文件夹无法备份！",
                              "无法创建文件夹:D:\\back\\two\\sub (Access is denied.)",
                              "C:\\two\\b.txt",
                              "无法创建文件夹:D:\\back\\one\\ (Access is denied.)",
                              "正在扫描目标文件夹…",
                          }));
    EXPECT_EQ(result.failedFolders, 2);
}

TEST_F(WindowsPass, ADestinationThatCannotBeMadeEndsThePassWithItsSummary) {
    fs.addFile("C:\\s\\a.txt", 100, 1);
    fs.refuseCreate.insert("D:\\back");
    options.sources = {"C:\\s"};
    const PassResult result = run();
    EXPECT_EQ(host.log(),
              (Lines{"目标文件没有更新！", "有 1 个文件夹无法备份！",
                     "无法创建文件夹:D:\\back\\ (Access is denied.)", "正在扫描目标文件夹…"}));
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(host.ended, 1);
}

TEST_F(WindowsPass, ReportsSourcesThatAreMissingOrNotFullPathsAndCreatesNoTargetForThem) {
    fs.addFile("C:\\s\\a.txt", 100, 1);
    fs.addFile("C:\\file", 100, 1);
    options.sources = {"", "C:", "abc", "C:\\missing", "C:\\file", "C:\\s"};
    EXPECT_EQ(run().failedFolders, 5);
    EXPECT_EQ(host.log(), (Lines{"更新了 1 个文件(1)！", "有 5 个文件夹无法备份！", "C:\\s\\a.txt",
                                 "源文件夹不存在:C:\\file\\", "源文件夹不存在:C:\\missing\\",
                                 "跳过无效的源文件夹:abc", "跳过无效的源文件夹:C:",
                                 "跳过无效的源文件夹:", "正在扫描目标文件夹…"}));
    EXPECT_EQ(fs.createdFolders, (Lines{"D:\\back\\", "D:\\back\\s"}));
}

TEST_F(WindowsPass, RefusesABlankOrRelativeDestinationOnEverySystem) {
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        for (const char* destination : {"  ", "back"}) {
            test::MemoryFileSystem fresh(style);
            fresh.addRoot(style == PathStyle::Windows ? "C:\\" : "/");
            fresh.addFile(style == PathStyle::Windows ? "C:\\s\\a.txt" : "/s/a.txt", 100, 1);
            test::RecordingHost refused;
            options.style = style;
            options.sources = {style == PathStyle::Windows ? "C:\\s" : "/s"};
            options.destination = destination;
            EXPECT_TRUE(RunBackup(options, refused, fresh, clock).failed());
            EXPECT_EQ(refused.log(), (Lines{"目标文件没有更新！", "有 1 个文件夹无法备份！",
                                            "存放备份的文件夹无效:" + options.destination,
                                            "正在扫描目标文件夹…"}));
            EXPECT_TRUE(fresh.createdFolders.empty());
        }
    }
}

TEST_F(WindowsPass, AStopDuringTheFirstSourceEndsThePassWithWhatWasSelected) {
    for (const char* source : {"C:\\one", "C:\\two", "C:\\three"}) {
        fs.addFile(std::string(source) + "\\a.txt", 100, 1);
        fs.addFile(std::string(source) + "\\b.txt", 100, 2);
    }
    options.sources = {"C:\\one", "C:\\two", "C:\\three"};
    clock.stepPerReading = 1.0;  // every entry finds a refresh due
    host.onRefresh = [&] { host.stop = host.refreshedPaths.back() == "C:\\one\\b.txt"; };
    const PassResult result = run();
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\one\\a.txt"}));
    EXPECT_EQ(host.log().front(), "更新了 1 个文件(1)！");
    EXPECT_FALSE(fs.isFolder("D:\\back\\two"));
}

TEST_F(WindowsPass, RefreshesOnlyWhenTheMonotonicClockHasMovedOnEnough) {
    fs.addFile("C:\\s\\a.txt", 100, 1);
    fs.addFile("C:\\s\\b.txt", 100, 1);
    options.sources = {"C:\\s"};
    run();
    EXPECT_TRUE(host.refreshedPaths.empty());

    test::RecordingHost busy;
    fs.addFile("C:\\s\\c.txt", 100, 1);
    clock.stepPerReading = 0.5;
    RunBackup(options, busy, fs, clock);
    // Before each entry, and again inside the copy.
    EXPECT_EQ(busy.refreshedPaths,
              (Lines{"C:\\s\\a.txt", "C:\\s\\b.txt", "C:\\s\\c.txt", "C:\\s\\c.txt"}));
}

TEST_F(WindowsPass, ReportsWhatCannotBeReadAndPassesOverWhatVanished) {
    fs.addFile("C:\\s\\gone.txt", 100, 1);
    fs.addFile("C:\\s\\locked.txt", 100, 1);
    fs.addFile("C:\\s\\private\\p.txt", 100, 1);
    fs.addFile("C:\\s\\kept.txt", 100, 1);
    fs.vanishing.insert("C:\\s\\gone.txt");
    fs.failing = {{"C:\\s\\locked.txt", "Access is denied."},
                  {"C:\\s\\private", "Access is denied."}};
    options.sources = {"C:\\s"};
    run();
    EXPECT_EQ(host.log(),
              (Lines{"更新了 1 个文件(1)！", "有 1 个文件夹无法备份！", "有 1 个文件复制失败！",
                     "无法读取文件夹:C:\\s\\private\\ (Access is denied.)", "C:\\s\\kept.txt",
                     "无法读取:C:\\s\\locked.txt (Access is denied.)", "正在扫描目标文件夹…"}));
    EXPECT_FALSE(fs.isFolder("D:\\back\\s\\gone.txt"));
}

}  // namespace
}  // namespace tarnwick
