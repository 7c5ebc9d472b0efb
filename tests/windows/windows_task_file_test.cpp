// The task file on Windows: the ANSI code page, UTF-16LE files, links.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/text_encoding.h"
#include "common/win32_text.h"
#include "support/fake_clock.h"
#include "support/recording_platform.h"
#include "support/temp_tree.h"
#include "support/windows_link.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

class WindowsTaskFile : public ::testing::Test {
  protected:
    WindowsTaskFile() : fs(MakeHostFileSystem()) {
        window = std::make_unique<FrmMain>(platform, *fs, clock, MakeHostDefaults());
        window->TextTask.setText(tree.path("task.ini"));
    }

    void reload() {
        window->ListFromFolder.clear();
        window->IniPath = tree.path("task.ini");
        window->ResetTask();
    }

    test::TempTree tree;
    std::unique_ptr<FileSystem> fs;
    test::RecordingPlatform platform;
    test::FakeClock clock;
    std::unique_ptr<FrmMain> window;
};

// A name in code page 936 is stored in it and loads back; one it cannot hold is refused.
TEST_F(WindowsTaskFile, NamesAreStoredInTheCodePageOrRefused) {
    if (GetACP() != 936) {
        GTEST_SKIP() << "needs the Chinese code page 936, this system has " << GetACP();
    }
    window->ListFromFolder.addItem("D:\\备份\\文档");
    ASSERT_EQ(window->SaveConfig_Click(), FrmMain::CommandOutcome::Done);
    EXPECT_NE(tree.read("task.ini").find("Dir1=D:\\\xB1\xB8\xB7\xDD\\\xCE\xC4\xB5\xB5\r\n"),
              std::string::npos);
    reload();
    ASSERT_EQ(window->ListFromFolder.listCount(), 1);
    EXPECT_EQ(window->ListFromFolder.list(0), "D:\\备份\\文档");
    window->ListFromFolder.addItem("D:\\\xF0\x9F\x98\x80");
    const std::string saved = tree.read("task.ini");
    EXPECT_EQ(window->SaveConfig_Click(), FrmMain::CommandOutcome::Refused);
    EXPECT_EQ(tree.read("task.ini"), saved);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "保存任务失败");
}

TEST_F(WindowsTaskFile, AUtf16FileLoadsAndStaysUtf16WhenSaved) {
    tree.write("task.ini", "\xFF\xFE" + Utf8ToUtf16Le("[Comm]\r\nDDir=E:\\备份\r\nTimeOut=45\r\n"));
    reload();
    EXPECT_EQ(window->txtToFolder.text(), "E:\\备份");
    EXPECT_EQ(window->IntervalMinutes, 45);
    window->ListFromFolder.addItem("C:\\\xF0\x9F\x98\x80");  // any character fits UTF-16
    ASSERT_EQ(window->SaveConfig_Click(), FrmMain::CommandOutcome::Done);
    const std::string saved = tree.read("task.ini");
    ASSERT_TRUE(saved.starts_with("\xFF\xFE"));
    const std::string text = Utf16LeToUtf8(saved.substr(2));
    EXPECT_TRUE(text.starts_with("[Comm]\r\nDDir=E:\\备份\r\n")) << text;
    EXPECT_NE(text.find("Dir1=C:\\\xF0\x9F\x98\x80\r\n"), std::string::npos);
}

// A save through a link writes the file it leads to, which keeps its attributes.
TEST_F(WindowsTaskFile, ASaveThroughALinkWritesTheFileItLeadsTo) {
    tree.write("real/task.ini", "; mine\r\n");
    const std::wstring real = Widen(tree.path("real/task.ini"));
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    SetFileAttributesW(real.c_str(), kKept);
    const test::WindowsLink link(tree.path("task.ini"), tree.path("real/task.ini"));
    if (!link.made()) {
        GTEST_SKIP() << "this system makes no symbolic links for this user";
    }
    reload();
    window->ListFromFolder.addItem("C:\\a");
    ASSERT_EQ(window->SaveConfig_Click(), FrmMain::CommandOutcome::Done);
    EXPECT_NE(tree.read("real/task.ini").find("=C:\\a\r\n"), std::string::npos);
    EXPECT_EQ(GetFileAttributesW(real.c_str()) & kKept, kKept);
}

}  // namespace
}  // namespace tarnwick
