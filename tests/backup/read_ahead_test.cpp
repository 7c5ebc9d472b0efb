// The read-ahead of folders, alone and under a pass in memory: the walk's order, the bound on
// what is read ahead, and a stop, a failure or a vanished folder met while workers read ahead.
#include "backup/read_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "backup/backup_pass.h"
#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_host.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

class ReadAheadTest : public ::testing::Test {
  protected:
    ReadAheadTest() : fs(PathStyle::Posix) {
        fs.addRoot("/");
        fs.addFolder("/t");
        fs.onList = [this](const std::string& folder) { noteListed(folder); };
        options = {"/t", {"/s"}, true, true, false, "300", PathStyle::Posix};
        clock.stepPerReading = 1.0;  // a refresh before every entry
    }
    // The folders listed so far (as the file system names them), for a test to wait on.
    void noteListed(const std::string& folder) {
        const std::lock_guard lock(mutex);
        listed.insert(folder);
        changed.notify_all();
    }
    bool waitFor(const std::string& folder) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30),
                                [&] { return listed.count(folder); });
    }
    void files(std::initializer_list<const char*> paths) {
        for (const char* path : paths) {
            fs.addFile(path, 100, 1);
        }
    }

    test::MemoryFileSystem fs;
    std::mutex mutex;
    std::condition_variable changed;
    std::set<std::string> listed;
    test::RecordingHost host;
    test::FakeClock clock;
    PassOptions options;
};

TEST_F(ReadAheadTest, HandsFoldersOverInTheWalksOrderAndDropsWhatTheWalkPassesOver) {
    files({"/s/a/x/1", "/s/f", "/s/b/2", "/s/c/3", "/t/s/f"});
    Status why = Status::Ok();
    const auto source = fs.openFolder("/s", why), target = fs.openFolder("/t/s", why);
    ReadAhead readAhead(*source, *target, "/s/", '/', {4, 2, 100});
    const std::pair<const char*, Lines> walk[] = {
        {"/s/", {"a", "f=", "b", "c"}},
        {"/s/c/", {"3"}},
        {"/s/a/", {"x"}},  // b passed over
        {"/s/b/", {}},
        {"/s/a/x/", {"1"}},
    };
    for (const auto& [folder, entries] : walk) {
        Lines found;  // the names, and "=" where the file is to be copied
        if (auto scan = readAhead.take(folder)) {
            for (const auto& entry : scan->entries) {
                found.push_back(entry.source.name + (entry.copy ? "=" : ""));
            }
        }
        EXPECT_EQ(found, entries) << folder;
    }
}

TEST_F(ReadAheadTest, ReadsNoMoreThanItsBoundAheadOfTheWalk) {
    for (int i = 0; i < 30; ++i) {
        fs.addFile("/s/d" + std::to_string(i) + "/f", 100, 1);
    }
    std::atomic<int> taken = 0, count = 0, lead = 0;
    fs.onList = [&](const std::string&) { lead = std::max<int>(lead, ++count - taken); };
    Status why = Status::Ok();
    const auto source = fs.openFolder("/s", why), target = fs.openFolder("/t", why);
    ReadAhead readAhead(*source, *target, "/s/", '/', {4, 3, 2});
    for (int i = 30; i >= 0; --i) {
        EXPECT_TRUE(readAhead.take(i == 30 ? "/s/" : "/s/d" + std::to_string(i) + "/"));
        ++taken;
    }
    EXPECT_EQ(count, 31);    // each folder listed once
    EXPECT_LE(lead, 3 + 2);  // the bound on entries ahead, and some slack
}

TEST_F(ReadAheadTest, AStopWhileWorkersAreBusyEndsThePass) {
    files({"/s/a.txt", "/s/b.txt", "/s/d1/f", "/s/d2/f", "/s/d3/f", "/u/f"});
    options.sources.push_back("/u");  // never reached
    std::atomic<bool> stopped = false;
    fs.onList = [&](const std::string& folder) {
        noteListed(folder);
        while (folder != "/s" && !stopped) {  // workers hang in their listings till the stop
            std::this_thread::yield();
        }
    };
    host.onRefresh = [&] {
        if (host.refreshedPaths.back() == "/s/b.txt") {
            EXPECT_TRUE(waitFor("/s/d3"));  // a worker waits inside that listing
            host.stop = stopped = true;
        }
    };
    const PassResult result = RunBackup(options, host, fs, clock);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(fs.copiedFiles, (Lines{"/s/a.txt"}));
    EXPECT_EQ(host.log().front(), "更新了 1 个文件(1)！");
    EXPECT_FALSE(fs.isFolder("/t/u"));
}

TEST_F(ReadAheadTest, ReportsFailuresAndFolderChangesWhenTheWalkComesThere) {
    files({"/s/bad/1", "/s/gone/2", "/s/new/3", "/s/z/4"});
    fs.failing["/s/bad"] = "Permission denied";
    host.onRefresh = [&] {
        if (host.refreshedPaths.back() == "/s/z/4") {  // read ahead, not yet walked
            EXPECT_TRUE(waitFor("/s/gone") && waitFor("/s/new"));
            fs.remove("/s/gone");
            fs.remove("/s/new");
            fs.addFile("/s/new/5", 100, 1);
        }
    };
    RunBackup(options, host, fs, clock);
    EXPECT_EQ(host.log(), (Lines{"更新了 2 个文件(2)！", "有 1 个文件夹无法备份！",
                                 "无法读取文件夹:/s/bad/ (Permission denied)", "/s/new/5", "/s/z/4",
                                 "正在扫描目标文件夹…"}));
}

}  // namespace
}  // namespace tarnwick
