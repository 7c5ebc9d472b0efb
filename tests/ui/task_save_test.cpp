// Saving the window into a task file, and the save command's checks.
#include <tuple>

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
    for (const auto& [yes, no] : {std::pair{".wps", ".bak"}, {".doc", ".tmp"}, {".xls", ".swp"}}) {
        window->List3.addItem(yes);
        window->List4.addItem(no);
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
    // The box, what is typed, what it shows and saves afterwards, its key.
    const std::tuple<TextBox FrmMain::*, const char*, const char*, const char*> cases[] = {
        {&FrmMain::Text4, "0", "30", "TimeOut"},    {&FrmMain::Text4, "181", "30", "TimeOut"},
        {&FrmMain::Text4, "45a", "45a", "TimeOut"}, {&FrmMain::Text5, "24", "17", "TimeHour"},
        {&FrmMain::Text5, "23", "23", "TimeHour"},  {&FrmMain::Text5, "-1", "-1", "TimeHour"},
        {&FrmMain::Text6, "60", "0", "TimeMinute"}, {&FrmMain::Text3, "0", "300", "SizeUp"},
        {&FrmMain::Text3, "1.5", "1.5", "SizeUp"},
    };
    for (const auto& [box, typed, shown, key] : cases) {
        ((*window).*box).setText(typed);
        ASSERT_EQ(window->SaveConfig_Click(), Outcome::Done);
        EXPECT_EQ(((*window).*box).text(), shown) << key << " typed " << typed;
        EXPECT_EQ(savedValue("Comm", key), shown) << key << " typed " << typed;
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
    EXPECT_EQ(platform.messages,
              (std::vector<test::RecordingPlatform::Message>{
                  {"Q:\\nowhere\\t.ini (No such file or directory)", "保存任务失败"}}));
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\a"}));

    // A message waits for the user: no other save may wait with it for the lock.
    platform.onMessage = [&] { EXPECT_EQ(*fs.locksHeld, 0) << platform.messages.size(); };
    fs.addFile("C:\\Tarnwick\\t.ini", 0, 0);
    fs.refuseWrite.insert("C:\\Tarnwick\\t.ini");
    window->TextTask.setText("C:\\Tarnwick\\t.ini");
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::WriteFailed);
    EXPECT_EQ(platform.messages.back().text, "C:\\Tarnwick\\t.ini (Permission denied)");
    window->List3.addItem(".a\nb");
    EXPECT_EQ(window->SaveConfig_Click(), Outcome::Refused);
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
    // What is typed, the outcome, what the box shows afterwards, the message's title if any.
    const std::tuple<const char*, Outcome, const char*, const char*> cases[] = {
        {"   ", Outcome::Refused, "C:\\windows\\desktop", "无效的文件夹"},
        {"D:", Outcome::Refused, "D:\\back", "存放备份的文件夹无效"},
        {"C:\\windows\\desktop", Outcome::Done, "C:\\windows\\desktop", ""}};
    for (const auto& [destination, outcome, afterwards, title] : cases) {
        platform.messages.clear();
        window->txtToFolder.setText(destination);
        EXPECT_EQ(window->SaveConfig_Click(), outcome) << destination;
        EXPECT_EQ(window->txtToFolder.text(), afterwards) << destination;
        EXPECT_EQ(platform.messages.size(), *title == '\0' ? 0u : 1u) << destination;
        EXPECT_EQ(platform.messages.empty() ? "" : platform.messages[0].title, title);
    }
}

}  // namespace
}  // namespace tarnwick
