#include "task/task_file_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "backup/file_system.h"
#include "common/text_encoding.h"
#include "support/temp_tree.h"
#include "support/windows_link.h"

namespace tarnwick {
namespace {

TEST(TaskFileText, AUtf16FileIsReadAndStaysUtf16) {
    TaskFileText text("\xFF\xFE" + Utf8ToUtf16Le("[Comm]\r\nDDir=D:\\备份\r\n; note\r\n"));
    EXPECT_EQ(text.read("Comm", "DDir"), "D:\\备份");
    ASSERT_TRUE(text.write("Comm", "TimeOut", "45"));
    EXPECT_EQ(text.bytes(),
              "\xFF\xFE" + Utf8ToUtf16Le("[Comm]\r\nDDir=D:\\备份\r\nTimeOut=45\r\n; note\r\n"));
}

TEST(TaskFileText, KeepsBytesNoWriteTouches) {
    TaskFileText text("[Comm]\nDDir=x\n[Other]\nraw=\xB1\xB8\xB7\xDD\n");
    ASSERT_TRUE(text.write("Comm", "DDir", "y"));
    EXPECT_EQ(text.bytes(), "[Comm]\nDDir=y\r\n[Other]\nraw=\xB1\xB8\xB7\xDD\n");
    // A lone CR ends a line too (a count of entries above the lines is read otherwise).
    EXPECT_EQ(TaskFileText("a\rb\r\nc\n").lineCount(), 4u);
    EXPECT_EQ(TaskFileText("\xFF\xFE" + Utf8ToUtf16Le("a\r\nb")).lineCount(), 2u);
}

TEST(TaskFileText, RefusesLineBreaksAndNulsAndChangesNothing) {
    TaskFileText text;
    EXPECT_FALSE(text.canStore("a\r\nb"));
    EXPECT_FALSE(text.canStore(std::string("a\0b", 3)));
    EXPECT_FALSE(text.write("Comm", "DDir", "a\nb"));
    EXPECT_EQ(text.bytes(), "");
    EXPECT_TRUE(text.canStore("中文 and spaces"));
}

// Fifty saves at once, each in a thread of its own adding a key by read, change and replace under
// the lock, every other one through a link to the file where a link can be made: none may be lost
// to another's replace. Threads that start while others save, rather than two that take turns,
// catch a save that looks for the file or names its lock while another replaces the file.
TEST(TaskFileText, SavesAtOnceAllLand) {
    test::TempTree tree;
    tree.write("task.ini", "");
#ifdef _WIN32
    const test::WindowsLink link(tree.path("link.ini"), tree.path("task.ini"));
#else
    std::filesystem::create_symlink(tree.path("task.ini"), tree.path("link.ini"));
#endif
    const std::string through = tree.path(tree.exists("link.ini") ? "link.ini" : "task.ini");
    const auto save = [](std::string path, std::string key) {
        const auto fs = MakeHostFileSystem();
        std::string reason;
        const auto lock = fs->lockFile(path, reason);
        TaskFileText text(fs->readFile(path, reason).value_or("?"));
        text.write("s", key, "1");
        ASSERT_TRUE(lock && fs->replaceFile(path, text.bytes()).ok()) << reason;
    };
    std::vector<std::jthread> saves;
    for (int i = 0; i < 50; ++i) {
        saves.emplace_back(save, i % 2 == 0 ? tree.path("task.ini") : through, std::to_string(i));
    }
    saves.clear();  // waits for every save
    // The section's line, a line for each of the 50 keys, and the empty one after the last.
    EXPECT_EQ(TaskFileText(tree.read("task.ini")).lineCount(), 52u) << tree.read("task.ini");
}

}  // namespace
}  // namespace tarnwick
