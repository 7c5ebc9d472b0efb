// tarnwick-cli end to end, on real temporary trees.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>

#include "support/temp_tree.h"

namespace tarnwick {
namespace {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

class Cli : public ::testing::Test {
  protected:
    Cli() { tree.makeFolder("home"); }

    // The shell command that starts the program with ARGUMENTS in the tree's home.
    std::string commandLine(const std::vector<std::string>& arguments) {
        std::string command = "HOME=" + Quoted(tree.path("home")) +
                              " XDG_CONFIG_HOME=" + Quoted(tree.path("home/.config")) + " " +
                              Quoted(TARNWICK_CLI);
        for (const auto& argument : arguments) {
            command += " " + Quoted(argument);
        }
        return command;
    }

    CliResult run(const std::vector<std::string>& arguments) {
        const std::string command = commandLine(arguments) + " 2>" + Quoted(tree.path("stderr"));
        CliResult result;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = tree.read("stderr");
        return result;
    }

    // The value of one NAME=VALUE line of a state report.
    static std::string Value(const std::string& report, const std::string& name) {
        std::istringstream lines(report);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.starts_with(name + "=")) {
                return line.substr(name.size() + 1);
            }
        }
        return "<missing>";
    }

    std::string task() { return tree.path("task.ini"); }

    test::TempTree tree;
};

TEST_F(Cli, ShowsTheStartUpStateWithoutATaskFile) {
    const CliResult r = run({"show", "--task", task()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Value(r.out, "IniPath"), task());
    EXPECT_EQ(Value(r.out, "txtToFolder"), tree.path("home/back"));
    EXPECT_EQ(Value(r.out, "ListFromFolder(0)"), tree.path("home/Desktop"));
    EXPECT_EQ(Value(r.out, "ListFromFolder(1)"), tree.path("home/Documents"));
}

TEST_F(Cli, SavesAndLoadsBackWhatWasSet) {
    const CliResult saved =
        run({"save", "--task", task(), "txtToFolder=" + tree.path("dest"), "Option1=1", "Text4=45",
             "Check2=1", "ListFromFolder+=" + tree.path("src"), "List3+=.doc", "Option2=1",
             "List4+=\x1b[2J\x7f"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(Value(saved.out, "IntervalMinutes"), "45");

    const CliResult shown = run({"show", "--task", task()});
    EXPECT_EQ(Value(shown.out, "txtToFolder"), tree.path("dest"));
    EXPECT_EQ(Value(shown.out, "Text4"), "45");
    EXPECT_EQ(Value(shown.out, "ListFromFolder(2)"), tree.path("src"));
    EXPECT_EQ(Value(shown.out, "OnlyExtList(4)"), ".DOC");
    EXPECT_EQ(Value(shown.out, "List4(3)"), "\\x1b[2J\\x7f");
}

TEST_F(Cli, RunsAPassPrintingEachLineOldestFirst) {
    tree.write("src/a.txt", "aaa", 1'500'000'000);
    tree.write("src/sub/b\n\x1b.txt", "bb", 1'500'000'000);
    ASSERT_EQ(run({"save", "--task", task(), "txtToFolder=" + tree.path("back"),
                   "CheckFullFodler=0", "ListFromFolder+=" + tree.path("src")})
                  .exitCode,
              0);
    // The default source folders do not exist: each is reported, and the run counts as failed.
    const CliResult missing = run({"run", "--task", task()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("    源文件夹不存在:" + tree.path("home/Documents/") + "\n"),
              std::string::npos);
    std::filesystem::remove_all(tree.path("back"));
    tree.makeFolder("home/Desktop");
    tree.makeFolder("home/Documents");
    const CliResult first = run({"run", "--task", task()});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::regex expected(
        "\\d\\d:\\d\\d:\\d\\d    正在扫描目标文件夹…\n"
        "\\d\\d:\\d\\d:\\d\\d    " +
        tree.path("src/a.txt") +
        "\n"
        "\\d\\d:\\d\\d:\\d\\d    " +
        tree.path("src/sub/b") +
        "\\\\x0a\\\\x1b.txt\n"
        "\\d\\d:\\d\\d:\\d\\d    更新了 2 个文件\\(5\\)！\n");
    EXPECT_TRUE(std::regex_match(first.out, expected)) << first.out;
    EXPECT_EQ(tree.read("back/src/sub/b\n\x1b.txt"), "bb");

    const CliResult second = run({"run", "--task", task()});
    EXPECT_TRUE(second.out.ends_with("    目标文件没有更新！\n")) << second.out;
}

TEST_F(Cli, ExitsWithOneWhenACopyFails) {
    tree.write("src/a.txt", "aaa", 1'500'000'000);
    tree.makeFolder("back/src/a.txt");
    tree.write("task.ini", "");
    const CliResult r = run({"run", "--task", task(), "txtToFolder=" + tree.path("back"),
                             "CheckFullFodler=0", "ListFromFolder+=" + tree.path("src")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("有 1 个文件复制失败！"), std::string::npos);
}

TEST_F(Cli, AStopSignalEndsThePassWithItsSummaryAndExits128PlusItsNumber) {
    tree.write("task.ini", "");
    tree.write("src/big.bin", std::string(64 << 20, 'b'), 1'500'000'000);
    const std::string out = Quoted(tree.path("out"));
    const std::string command =
        commandLine({"run", "--task", task(), "txtToFolder=" + tree.path("back"),
                     "ListFromFolder+=" + tree.path("src")}) +
        " >" + out + " & until grep -q . " + out + "; do sleep 0.01; done; kill -TERM $!; wait $!";
    const int status = std::system(("sh -c " + Quoted(command)).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    EXPECT_TRUE(
        std::regex_search(tree.read("out"), std::regex("(没有更新|个文件\\(\\d+\\))！\n$")));
    for (const auto& [name, content] : tree.files("back")) {
        EXPECT_FALSE(name.find(".tarnwick-") != std::string::npos) << name;
    }
}

TEST_F(Cli, RefusalsExitWithThreeAndPrintTheMessageBox) {
    const CliResult run1 = run({"run", "txtToFolder= "});
    EXPECT_EQ(run1.exitCode, 3);
    EXPECT_EQ(run1.err, "无效的文件夹: 需要备份与存放备份的文件夹不能为空!\n");
    const CliResult save = run({"save", "--task", task(), "txtToFolder=relative"});
    EXPECT_EQ(save.exitCode, 3);
    EXPECT_EQ(
        save.err,
        "存放备份的文件夹无效: 出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!\n");
    EXPECT_FALSE(tree.exists("task.ini"));
}

TEST_F(Cli, AnUnreadableTaskFileIsReportedByEveryCommand) {
    // Not even root reads a process's memory from address 0.
    for (const char* command : {"show", "save", "run"}) {
        const CliResult r = run({command, "--task", "/proc/self/mem"});
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_TRUE(r.err.starts_with("读取任务失败: /proc/self/mem (")) << r.err;
        EXPECT_TRUE(r.out.empty()) << command;  // for run: no pass
    }
}

TEST_F(Cli, ASaveThroughALinkWritesItsTargetAndKeepsItsMode) {
    tree.write("real.ini", "; mine\r\n");
    ASSERT_EQ(chmod(tree.path("real.ini").c_str(), 0600), 0);
    ASSERT_EQ(symlink("real.ini", task().c_str()), 0);
    ASSERT_EQ(run({"save", "--task", task(), "Text4=45"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(task()));
    EXPECT_EQ(std::filesystem::status(task()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_TRUE(tree.read("real.ini").starts_with("; mine\r\n[DirList]\r\nCount=0\r\n"));
}

TEST_F(Cli, ATaskFileThatCannotBeWrittenExitsWithOne) {
    const std::string unwritable = tree.path("missing/task.ini");
    const CliResult r = run({"save", "--task", unwritable});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "保存任务失败: " + unwritable + " (No such file or directory)\n");
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"backup"},
        {"show", "--verbose"},
        {"show", "--task"},
        {"show", "Check1=2"},
        {"show", "Option1=3"},
        {"show", "Nothing=1"},
        {"show", "List9+=x"},
        {"show", "noequals"},
    };
    for (const auto& call : calls) {
        const CliResult r = run(call);
        EXPECT_EQ(r.exitCode, 2) << (call.empty() ? "" : call[0]);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    const std::string typo = tree.path("typo.ini");
    const CliResult missing = run({"run", "--task", typo});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "tarnwick-cli: no such task file: " + typo + "\n");
    EXPECT_FALSE(tree.exists("home/back"));
    EXPECT_EQ(run({"--version"}).out, "tarnwick-cli 2.0.0\n");
    EXPECT_NE(run({"--help"}).out.find("usage: tarnwick-cli"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
