#include "task/task_file_text.h"

#include <gtest/gtest.h>

#include "common/text_encoding.h"

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
}

TEST(TaskFileText, RefusesLineBreaksAndChangesNothing) {
    TaskFileText text;
    EXPECT_FALSE(text.canStore("a\r\nb"));
    EXPECT_FALSE(text.write("Comm", "DDir", "a\nb"));
    EXPECT_EQ(text.bytes(), "");
    EXPECT_TRUE(text.canStore("中文 and spaces"));
}

}  // namespace
}  // namespace tarnwick
