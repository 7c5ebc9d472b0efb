// Loading a task file into the window, and the defaults when there is none.
#include <functional>

#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
constexpr const char* kTask = "C:\\t.ini";

class TaskLoad : public test::WindowTest {
  protected:
    void load(std::initializer_list<std::string> lines) {
        writeTask(kTask, lines);
        window->IniPath = kTask;
        window->ResetTask();
    }
};

TEST_F(TaskLoad, ReadsEachCommKeyWithItsRangeRule) {
    using Field = std::function<std::string(FrmMain&)>;
    const auto text = [](TextBox FrmMain::*box) {
        return [box](FrmMain& w) { return (w.*box).text(); };
    };
    // Each field with the [Comm] lines that set it ("" for a missing key) and what it shows.
    const std::pair<Field, std::vector<std::pair<const char*, const char*>>> cases[] = {
        {[](FrmMain& w) { return std::to_string(w.IntervalMinutes); },
         {{"TimeOut=0", "30"}, {"TimeOut=181", "30"}, {"TimeOut=1", "1"}, {"TimeOut=180", "180"}}},
        {[](FrmMain& w) { return std::to_string(SelectedIndex(w.Option1)); },
         {{"TimePoint=7", "2"}, {"TimePoint=1", "1"}, {"TimePoint=-1", "2"}}},
        {[](FrmMain& w) { return std::to_string(SelectedIndex(w.Option2)); },
         {{"FileExtIndex=2", "2"}, {"FileExtIndex=5", "0"}}},
        {text(&FrmMain::Text5), {{"TimeHour=24", "17"}, {"TimeHour=23.5", "23.5"}}},
        {text(&FrmMain::Text6), {{"TimeMinute=60", "0"}, {"TimeMinute=59", "59"}}},
        {text(&FrmMain::Text3), {{"SizeUp=0", "300"}, {"SizeUp=1.50", "1.5"}}},
        {text(&FrmMain::txtToFolder), {{"DDir=E:\\b", "E:\\b"}, {"", "D:\\back"}}},
        {[](FrmMain& w) { return std::to_string(w.Check1.value()); },
         {{"IncludeSubDir=0", "0"}, {"IncludeSubDir=2", "1"}}},
        // The handlers a click would fire: the boxes and the timer of the mode, the size box.
        {[](FrmMain& w) {
             return std::to_string(w.Text4.enabled()) + std::to_string(w.Text5.enabled()) +
                    std::to_string(w.Timer1.enabled());
         },
         {{"TimePoint=1", "101"}, {"TimePoint=2", "000"}}},
        {[](FrmMain& w) { return std::to_string(w.Text3.enabled()); },
         {{"LimitSize=1", "1"}, {"LimitSize=0", "0"}}}};
    for (const auto& [field, rows] : cases) {
        for (const auto& [line, expected] : rows) {
            window = std::make_unique<FrmMain>(platform, fs, clock, test::WindowsDefaults());
            load({"[Comm]", line});
            EXPECT_EQ(field(*window), expected) << "line: " << line;
        }
    }
}

TEST_F(TaskLoad, FillsTheListsAndLogsEachFolderAfterClearingTheLog) {
    load({"[DirList]", "Count=3", "Dir1=C:\\abc\\def\\xyz", "Dir3=E:\\", "[Comm]", "ByWholeDir=0",
          "[FileExtYes]", "Count=2", "FileExt1=.doc", "FileExt2=.Xls", "FileExt3=.ignored",
          "[FileExtNo]", "Count=1", "FileExt1=\\bak"});
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\abc\\def\\xyz", "", "E:\\"}));
    EXPECT_EQ(window->ListMessage.list(2),
              "09:30:05    备份到:D:\\back\\E:\\");  // the design lines gone
    EXPECT_EQ(items(window->List3), (Lines{".doc", ".Xls"}));
    EXPECT_EQ(window->Filter.onlyExtList, (Lines{".DOC", ".XLS"}));
    EXPECT_EQ(window->Filter.skipExtList, (Lines{"\\BAK"}));
}

TEST_F(TaskLoad, ACountOfZeroReadsNoEntryAndOneAboveTheLinesUpToTheHighestKey) {
    window->ListFromFolder.addItem("C:\\old");
    load({"[DirList]", "Count=0", "Dir1=C:\\x", "[FileExtYes]"});
    EXPECT_EQ(window->ListFromFolder.listCount() + window->ListMessage.listCount(), 0);
    load({"[DirList]", "Count=2000000000", "Dir1=C:\\a", "Dir2=C:\\b", "[FileExtNo]", "Count=20",
          "FileExt17=.x", "FileExt21=.y", "FileExt018=.z", "[FileExtYes]", "Count=99",
          "FileExt1=.a", "FileExt2=", "fileext3=\"\""});
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\a", "C:\\b"}));
    Lines skipped(16, "");
    skipped.push_back(".x");
    EXPECT_EQ(items(window->List4), skipped);
    EXPECT_EQ(items(window->List3), (Lines{".a", "", ""}));
}

TEST_F(TaskLoad, FoldsDoubledBackslashesInThePath) {
    writeTask("C:\\TarnwickConfig.ini", {"[Comm]", "DDir=E:\\folded"});
    window->IniPath = "C:\\\\TarnwickConfig.ini";
    window->ResetTask();
    EXPECT_EQ(window->IniPath, "C:\\TarnwickConfig.ini");
    EXPECT_EQ(window->txtToFolder.text(), "E:\\folded");
}

TEST_F(TaskLoad, WithoutATaskFileAppendsTheDefaultsEachTime) {
    window->IniPath = "C:\\missing.ini";
    window->MinuteCounter = 180;
    window->ResetTask();
    window->ResetTask();
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\WINDOWS\\Desktop", "C:\\My Documents",
                                                    "C:\\WINDOWS\\Desktop", "C:\\My Documents"}));
    EXPECT_EQ(window->List3.listCount(), 6);
    EXPECT_EQ(window->List4.list(2), ".swp");
    EXPECT_EQ(window->MinuteCounter, 0);
    EXPECT_EQ(window->IntervalMinutes, 30);
    EXPECT_EQ(window->ListMessage.listCount(), 5);  // the design lines, untouched
    EXPECT_EQ(SelectedIndex(window->Option1), 2);
}

TEST_F(TaskLoad, AFolderPathCountsWhenItHoldsAFileAndThenReadsEveryKeyEmpty) {
    fs.addFile("C:\\tasks\\readme.txt", 1, 1);
    window->ListFromFolder.addItem("C:\\x");
    window->IniPath = "C:\\tasks\\";
    window->ResetTask();
    EXPECT_EQ(window->ListFromFolder.listCount(), 0);
    EXPECT_EQ(SelectedIndex(window->Option1), 0);
    EXPECT_TRUE(platform.messages.empty());

    window->IniPath = "C:\\Tarnwick\\";  // an empty folder: no task file, the defaults
    window->ResetTask();
    EXPECT_EQ(window->ListFromFolder.listCount(), 2);
}

TEST_F(TaskLoad, ATaskFileThatCannotBeReadIsReported) {
    fs.unreadable.insert(kTask);
    load({"[Comm]", "DDir=E:\\x"});
    EXPECT_EQ(platform.messages, (std::vector<test::RecordingPlatform::Message>{
                                     {"C:\\t.ini (Permission denied)", "读取任务失败"}}));
}

}  // namespace
}  // namespace tarnwick
