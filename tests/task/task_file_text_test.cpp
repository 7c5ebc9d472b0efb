#include "task/task_file_text.h"

#include <gtest/gtest.h>

#include <thread>

#include "backup/file_system.h"
#include "common/text_encoding.h"
#include "support/temp_tree.h"
#ifdef _WIN32
#include "support/windows_link.h"
#else
#include <unistd.h>
#endif

using namespace std::string_literals;

namespace tarnwick {
namespace {

TEST(TaskFileText, AUtf16FileIsReadAndStaysUtf16) {
    const std::string file = "\xFF\xFE" + Utf8ToUtf16Le("[Comm]\r\nDDir=D:\\备份\r\n; note\r\n");
    TaskFileText text(file);
    EXPECT_EQ(text.read("Comm", "DDir"), "D:\\备份");
    ASSERT_TRUE(text.write("Comm", "TimeOut", "45"));
    EXPECT_EQ(text.bytes(),
              "\xFF\xFE" + Utf8ToUtf16Le("[Comm]\r\nDDir=D:\\备份\r\nTimeOut=45\r\n; note\r\n"));
}

TEST(TaskFileText, KeepsBytesNoWriteTouches) {
    const std::string file = "[Comm]\nDDir=x\n[Other]\nraw=\xB1\xB8\xB7\xDD\n";
    TaskFileText text(file);
    ASSERT_TRUE(text.write("Comm", "DDir", "y"));
    EXPECT_EQ(text.bytes(), "[Comm]\nDDir=y\r\n[Other]\nraw=\xB1\xB8\xB7\xDD\n");
    EXPECT_EQ(text.lineCount(), 5u);
    // A lone CR ends a line too (a count of entries above the lines is read otherwise).
    EXPECT_EQ(TaskFileText("a\rb\r\nc\n").lineCount(), 4u);
    EXPECT_EQ(TaskFileText("\xFF\xFE" + Utf8ToUtf16Le("a\r\nb")).lineCount(), 2u);
}

TEST(TaskFileText, RefusesLineBreaksAndNulsAndChangesNothing) {
    TaskFileText text;
    EXPECT_FALSE(text.canStore("a\r\nb"));
    EXPECT_FALSE(text.canStore("a\0b"s));
    EXPECT_FALSE(text.write("Comm", "DDir", "a\nb"));
    EXPECT_EQ(text.bytes(), "");
    EXPECT_TRUE(text.canStore("中文 and spaces"));
}

// Two threads add keys of their own by read, change and replace under the lock, as a save does,
// one through a link to the file where a link can be made: none may be lost to the other's replace.
TEST(TaskFileText, SavesAtOnceAllLand) {
    test::TempTree tree;
    tree.write("task.ini", "");
#ifdef _WIN32
    const test::WindowsLink link(tree.path("link.ini"), tree.path("task.ini"));
    const bool linked = link.made();
#else
    const bool linked = symlink(tree.path("task.ini").c_str(), tree.path("link.ini").c_str()) == 0;
#endif
    const auto save = [](std::string path, std::string thread) {
        const auto fs = MakeHostFileSystem();
        for (int i = 0; i < 25; ++i) {
            std::string reason;
            const auto lock = fs->lockFile(path, reason);
            TaskFileText text(fs->readFile(path, reason).value_or("?"));
            text.write("s", std::to_string(i) + thread, "1");
            ASSERT_TRUE(lock && fs->replaceFile(path, text.bytes()).ok()) << reason;
        }
    };
    std::thread other(save, tree.path(linked ? "link.ini" : "task.ini"), "b");
    save(tree.path("task.ini"), "a");
    other.join();
    const TaskFileText saved(tree.read("task.ini"));
    for (int i = 0; i < 25; ++i) {
        const std::string key = std::to_string(i);
        EXPECT_EQ(saved.read("s", key + "a") + saved.read("s", key + "b"), "11") << key;
    }
}

}  // namespace
}  // namespace tarnwick
