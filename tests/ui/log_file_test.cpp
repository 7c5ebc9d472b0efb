// The log kept on disk beside the window's log, and the window's own limit.
#include "app/log_file.h"
#include "support/temp_tree.h"
#include "support/window_fixture.h"

namespace tarnwick {
namespace {

const std::string kEnd = kHostPathStyle == PathStyle::Windows ? "\r\n" : "\n";

class LogFileTest : public test::WindowTest {
  protected:
    void openWindowWithLogFile(const std::string& path) {
        HostDefaults defaults = test::WindowsDefaults();
        defaults.logFile = path;
        window = std::make_unique<FrmMain>(platform, fs, clock, defaults);
    }
    test::TempTree tree;
};

TEST_F(LogFileTest, KeepsDatedLinesAndThreeOldFiles) {
    LogFile log(tree.path("state/tarnwick.log"), 100);
    const LocalTime time{{2026, 3, 4}, {5, 6, 7}};
    // 41 or 42 bytes a line: two lines to a file.
    const auto line = [](int i) {
        return "2026-03-04 05:06:07    第" + std::to_string(i) + "行:a↵b↵c" + kEnd;
    };
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(log.append(time, "第" + std::to_string(i) + "行:a\r\nb\nc").ok());
    }
    EXPECT_EQ(tree.read("state/tarnwick.log"), line(8));
    EXPECT_EQ(tree.read("state/tarnwick.log.1"), line(6) + line(7));
    EXPECT_EQ(tree.read("state/tarnwick.log.3"), line(2) + line(3));
    EXPECT_FALSE(tree.exists("state/tarnwick.log.4"));
}

TEST_F(LogFileTest, FollowsTheWindowAndAnUnwritableOneIsToldOnce) {
    openWindowWithLogFile(tree.path("tarnwick.log"));
    fs.addFile("C:\\src\\a.txt", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    window->UpdateButton_Click();
    // The pass's lines stand newest first in the window, oldest first in the file.
    std::string expected;
    for (int i = window->ListMessage.listCount() - 6; i >= 0; --i) {
        expected += "2026-03-14 " + window->ListMessage.list(i) + kEnd;
    }
    EXPECT_EQ(tree.read("tarnwick.log"), expected);

    tree.write("blocked", "a file where the log's folder should be");
    openWindowWithLogFile(tree.path("blocked/tarnwick.log"));
    window->appendLog("one");
    window->ListFromFolder.addItem("C:\\src");
    fs.addFile("C:\\src\\b.txt", 100, 1);
    window->UpdateButton_Click();
    EXPECT_EQ(window->lastPass().updatedCount, 1);
    const ListBox& log = window->ListMessage;
    const auto notice = [](const std::string& line) {
        return line.find("无法写入日志文件:") != std::string::npos;
    };
    EXPECT_EQ(std::count_if(log.items().begin(), log.items().end(), notice), 1);
    EXPECT_TRUE(notice(log.list(log.listCount() - 1)));
}

TEST_F(LogFileTest, TheWindowKeepsItsNewestLines) {
    window->appendLog("start");
    for (int i = 0; i < 100000; ++i) {
        window->logFirst(std::to_string(i).insert(0, 1, 'p'));
    }
    window->appendLog("late");
    const ListBox& log = window->ListMessage;
    ASSERT_EQ(log.listCount(), 100000);
    EXPECT_EQ(log.list(0), "09:30:05    p99999");
    EXPECT_EQ(log.list(99998), "09:30:05    p1");
    EXPECT_EQ(log.list(99999), "09:30:05    late");
}

}  // namespace
}  // namespace tarnwick
