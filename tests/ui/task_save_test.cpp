// Saving the window into a task file, and the save command's checks.
#include "support/window_fixture.h"
#include "task/profile_text.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
using Outcome = FrmMain::CommandOutcome;

class TaskSave : public test::WindowTest {
  protected:
    TaskSave() { window->TextTask.setText("C:\\Tarnwick\\t.ini"); }

    std::string saved() const { return fs.contentOf("C:\\Tarnwick\\t.ini"); }
    std::string savedValue(const char* section, const char* key) const {
        return ProfileText(saved()).read(section, key);
    }
};

TEST_F(TaskSave, WritesANewFileInTheOrderTheKeysAreSaved) {
    window->ListFromFolder.addItem("D:\\work");
    window->ListFromFolder.addItem("C:\\My Documents");
    for (const char* type : {".wps", ".doc", ".xls"}) {
        window->List3.addItem(type);
    }
    for (const char* type : {".bak", ".tmp", ".swp"}) {
        window->List4.addItem(type);
    }
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::Done);
    EXPECT_EQ(saved(),
              "[DirList]\r\nCount=2\r\nDir1=D:\\work\r\nDir2=C:\\My Documents\r\n"
              "[Comm]\r\nFileExtIndex=0\r\nDDir=D:\\back\r\nTimeOut=30\r\nIncludeSubDir=1\r\n"
              "ByWholeDir=1\r\nLimitSize=0\r\nSizeUp=300\r\nTimePoint=2\r\nTimeHour=17\r\n"
              "TimeMinute=0\r\n"
              "[FileExtYes]\r\nCount=3\r\nFileExt1=.wps\r\nFileExt2=.doc\r\nFileExt3=.xls\r\n"
              "[FileExtNo]\r\nCount=3\r\nFileExt1=.bak\r\nFileExt2=.tmp\r\nFileExt3=.swp\r\n");
    EXPECT_EQ(window->IniPath, "C:\\Tarnwick\\t.ini");
}

TEST_F(TaskSave, CorrectsTheNumberBoxesBeforeWriting) {
    struct Case {
        TextBox FrmMain::*box;
        const char* typed;
        const char* shown;
        const char* key;
    };
    const Case cases[] = {
        {&FrmMain::Text4, "0", "30", "TimeOut"},    {&FrmMain::Text4, "181", "30", "TimeOut"},
        {&FrmMain::Text4, "45a", "45a", "TimeOut"}, {&FrmMain::Text5, "24", "17", "TimeHour"},
        {&FrmMain::Text5, "23", "23", "TimeHour"},  {&FrmMain::Text5, "-1", "-1", "TimeHour"},
        {&FrmMain::Text6, "60", "0", "TimeMinute"}, {&FrmMain::Text3, "0", "300", "SizeUp"},
        {&FrmMain::Text3, "1.5", "1.5", "SizeUp"},
    };
    for (const auto& c : cases) {
        ((*window).*(c.box)).setText(c.typed);
        ASSERT_EQ(window->SaveConfig_Click(), Outcome::Done);
        EXPECT_EQ(((*window).*(c.box)).text(), c.shown) << c.key << " typed " << c.typed;
        EXPECT_EQ(savedValue("Comm", c.key), c.shown) << c.key << " typed " << c.typed;
    }
    EXPECT_EQ(window->IntervalMinutes, 45);  // Text4 still holds "45a"
}

TEST_F(TaskSave, ValuesThatReadingWouldChangeRoundTripExactly) {
    const Lines entries = {" lead", "trail ", "\"quoted\"", "'single'", "plain \"inner\""};
    for (const auto& entry : entries) {
        window->List4.addItem(entry);
    }
    window->txtToFolder.setText("D:\\back ");
    window->SaveConfig_Click();
    window->List4.clear();
    window->txtToFolder.setText("elsewhere");
    window->IniPath = "C:\\Tarnwick\\t.ini";
    window->ResetTask();
    EXPECT_EQ(items(window->List4), entries);
    EXPECT_EQ(window->txtToFolder.text(), "D:\\back ");
}

TEST_F(TaskSave, RefusesValuesWithLineBreaksAndWritesNothing) {
    window->List3.addItem(".doc\r\n[Comm]\r\nDDir=C:\\evil");
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::Refused);
    EXPECT_FALSE(fs.isFile("C:\\Tarnwick\\t.ini"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "无效的内容");
}

TEST_F(TaskSave, AFileThatCannotBeWrittenIsReportedAndTheWindowKeepsItsValues) {
    window->TextTask.setText("Q:\\nowhere\\t.ini");
    window->ListFromFolder.addItem("C:\\a");
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::WriteFailed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "保存任务失败");
    EXPECT_EQ(platform.messages[0].text, "Q:\\nowhere\\t.ini (No such file or directory)");
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\a"}));

    fs.refuseWrite.insert("C:\\Tarnwick\\t.ini");
    window->TextTask.setText("C:\\Tarnwick\\t.ini");
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::WriteFailed);
    EXPECT_EQ(platform.messages.back().text, "C:\\Tarnwick\\t.ini (Permission denied)");
}

TEST_F(TaskSave, CreatesTheDefaultTaskFilesFolder) {
    test::MemoryFileSystem fresh(PathStyle::Windows);
    fresh.addRoot("C:\\");
    FrmMain w(platform, fresh, clock, test::WindowsDefaults());
    w.TextTask.setText("C:\\Tarnwick\\TarnwickConfig.ini");
    EXPECT_EQ(w.SaveConfig_Click(), Outcome::Done);
    EXPECT_TRUE(fresh.isFile("C:\\Tarnwick\\TarnwickConfig.ini"));
}

TEST_F(TaskSave, TheSaveCommandChecksTheDestinationFirst) {
    struct Case {
        const char* destination;
        Outcome outcome;
        const char* afterwards;
        const char* title;
    };
    const Case cases[] = {
        {"   ", Outcome::Refused, "C:\\windows\\desktop", "无效的文件夹"},
        {"D:", Outcome::Refused, "D:\\back", "存放备份的文件夹无效"},
        {"\\\\srv\\share", Outcome::Refused, "D:\\back", "存放备份的文件夹无效"},
        {" D:\\back", Outcome::Refused, "D:\\back", "存放备份的文件夹无效"},
        {"d:\\lower", Outcome::Done, "d:\\lower", nullptr},
        {"C:\\windows\\desktop", Outcome::Done, "C:\\windows\\desktop", nullptr},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        window->txtToFolder.setText(c.destination);
        EXPECT_EQ(window->SaveConfig_Click(), c.outcome) << c.destination;
        EXPECT_EQ(window->txtToFolder.text(), c.afterwards) << c.destination;
        if (c.title != nullptr) {
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].title, c.title);
        } else {
            EXPECT_TRUE(platform.messages.empty());
        }
    }
}

}  // namespace
}  // namespace tarnwick
