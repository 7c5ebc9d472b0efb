// tarnwick-cli end to end, on real temporary trees.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>

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
        const int status = std::system((commandLine(arguments) + " >" + Quoted(tree.path("out")) +
                                        " 2>" + Quoted(tree.path("err")))
                                           .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, tree.read("out"), tree.read("err")};
    }

    // The value of one NAME=VALUE line of a state report.
    static std::string Value(const std::string& report, const std::string& name) {
        const auto at = ("\n" + report).find("\n" + name + "=");
        const auto start = at + name.size() + 1;
        return at == std::string::npos ? "<missing>"
                                       : report.substr(start, report.find('\n', start) - start);
    }

    std::string task() { return tree.path("task.ini"); }

    test::TempTree tree;
};

TEST_F(Cli, ShowsTheStartUpStateAndLoadsBackWhatWasSaved) {
    const CliResult start = run({"show", "--task", task()});
    ASSERT_EQ(start.exitCode, 0) << start.err;
    EXPECT_EQ(Value(start.out, "IniPath"), task());
    EXPECT_EQ(Value(start.out, "txtToFolder"), tree.path("home/back"));
    EXPECT_EQ(Value(start.out, "ListFromFolder(0)"), tree.path("home/Desktop"));
    EXPECT_EQ(Value(start.out, "ListFromFolder(1)"), tree.path("home/Documents"));

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
    tree.makeFolder("home/Desktop");  // the default sources
    tree.makeFolder("home/Documents");
    const CliResult first = run({"run", "--task", task()});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    // Each line after its time of day.
    const std::regex time("(^|\n)\\d\\d:\\d\\d:\\d\\d    ");
    EXPECT_EQ(std::regex_replace(first.out, time, "$1"),
              "正在扫描目标文件夹…\n" + tree.path("src/a.txt") + "\n" + tree.path("src/sub/b") +
                  "\\x0a\\x1b.txt\n更新了 2 个文件(5)！\n");
    EXPECT_EQ(tree.read("back/src/sub/b\n\x1b.txt"), "bb");

    const CliResult second = run({"run", "--task", task()});
    EXPECT_TRUE(second.out.ends_with("    目标文件没有更新！\n")) << second.out;
}

TEST_F(Cli, AStopSignalEndsThePassWithItsSummaryAndExits128PlusItsNumber) {
    tree.write("task.ini", "");
    const std::string out = Quoted(tree.path("out"));
    const std::string command =
        commandLine({"run", "--task", task(), "txtToFolder=" + tree.path("back"),
                     "ListFromFolder+=" + tree.path("src")}) +
        " >" + out + " & until grep -q . " + out + "; do sleep 0.01; done; kill -TERM $!; wait $!";
    // A copy that ends before the signal comes ends the pass too: then again with a larger file.
    int status = 0;
    for (int mebibytes = 64; mebibytes <= 1024 && WEXITSTATUS(status) != 128 + SIGTERM;
         mebibytes *= 4) {
        tree.write("src/big.bin", std::string(std::size_t(mebibytes) << 20, 'b'), 1'500'000'000);
        status = std::system(("sh -c " + Quoted(command)).c_str());
    }
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    EXPECT_TRUE(
        std::regex_search(tree.read("out"), std::regex("(没有更新|个文件\\(\\d+\\))！\n$")));
    EXPECT_FALSE(test::HoldsTemporaryFiles(tree, "back"));
}

// Each refusal, failure and usage error: its exit code, and the start of what it prints.
TEST_F(Cli, EveryRefusalExitsWithItsCodeAndSaysWhy) {
    const std::string unwritable = tree.path("missing/task.ini");
    const std::string typo = tree.path("typo.ini");
    tree.write("src/a.txt", "aaa", 1'500'000'000);
    tree.makeFolder("back/src/a.txt");  // the copy cannot replace a folder
    tree.write("copy.ini", "");
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string err;       // how it starts
        std::string out = "";  // a part of it
    };
    const Case cases[] = {
        {{"run", "txtToFolder= "}, 3, "无效的文件夹: 需要备份与存放备份的文件夹不能为空!\n"},
        {{"save", "--task", task(), "txtToFolder=relative"},
         3,
         "存放备份的文件夹无效: 出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!\n"},
        // Not even root reads a process's memory from address 0; run starts no pass.
        {{"show", "--task", "/proc/self/mem"}, 1, "读取任务失败: /proc/self/mem ("},
        {{"run", "--task", "/proc/self/mem"}, 1, "读取任务失败: /proc/self/mem ("},
        {{"save", "--task", unwritable},
         1,
         "保存任务失败: " + unwritable + " (No such file or directory)\n"},
        {{"run", "--task", typo}, 2, "tarnwick-cli: no such task file: " + typo + "\n"},
        {{}, 2, "tarnwick-cli: no command ("},
        {{"backup"}, 2, "tarnwick-cli: unknown command: backup ("},
        {{"show", "--verbose"}, 2, "tarnwick-cli: unknown option: --verbose ("},
        {{"show", "--task"}, 2, "tarnwick-cli: --task needs a file ("},
        {{"show", "Check1=2"}, 2, "tarnwick-cli: "},
        {{"show", "Option1=3"}, 2, "tarnwick-cli: "},
        {{"show", "Nothing=1"}, 2, "tarnwick-cli: "},
        {{"show", "List9+=x"}, 2, "tarnwick-cli: "},
        {{"show", "noequals"}, 2, "tarnwick-cli: "},
        {{"run", "--task", tree.path("copy.ini"), "txtToFolder=" + tree.path("back"),
          "CheckFullFodler=0", "ListFromFolder+=" + tree.path("src")},
         1,
         "",
         "有 1 个文件复制失败！"},
        {{"--version"}, 0, "", "tarnwick-cli 2.0.0\n"},
        {{"--help"}, 0, "", "usage: tarnwick-cli show|save|run"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments.back());
        const CliResult r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.starts_with(c.err)) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), c.err.empty() ? 0 : 1) << r.err;
        EXPECT_TRUE(c.out.empty() ? r.out.empty() : r.out.find(c.out) != std::string::npos)
            << r.out;
    }
    EXPECT_FALSE(tree.exists("task.ini"));
    EXPECT_FALSE(tree.exists("home/back"));
}

}  // namespace
}  // namespace tarnwick
