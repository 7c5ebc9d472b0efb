// Creation, start-up, the pass as the window shows it, hiding, restoring and closing.
#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;
using Tray = test::RecordingPlatform::TrayCall;

class MainWindow : public test::WindowTest {};

TEST_F(MainWindow, StartUpWithoutATaskFileLogsItsStartAndRunsNoPass) {
    ASSERT_TRUE(window->Form_Load());
    EXPECT_EQ(window->IniPath, "C:\\Tarnwick\\TarnwickConfig.ini");
    EXPECT_EQ(window->TextTask.text(), window->IniPath);
    EXPECT_EQ(window->ListMessage.listCount(), 6);
    EXPECT_EQ(window->ListMessage.list(5), "09:30:05    程序启动！");
    EXPECT_EQ(platform.tray, (std::vector<Tray>{{"app", "Tarnwick", TrayAction::Add}}));
    EXPECT_EQ(window->Image1[0].picture(), "app");
    EXPECT_EQ(window->MinuteCounter, 0);
    EXPECT_TRUE(platform.windowShown);
}

TEST_F(MainWindow, ASecondInstanceEndsAtOnceShowingNothing) {
    platform.otherInstance = true;
    EXPECT_FALSE(window->Form_Load());
    EXPECT_TRUE(platform.tray.empty());
    EXPECT_EQ(window->ListMessage.listCount(), 5);
    EXPECT_FALSE(platform.windowShown);
    EXPECT_EQ(platform.programEnds, 1);
}

TEST_F(MainWindow, StartUpInIntervalModeRunsAPassBeforeTheWindowShows) {
    fs.addFile("C:\\src\\a.txt", 100, 3);
    writeTask("C:\\Tarnwick\\TarnwickConfig.ini",
              {"[DirList]", "Count=1", "Dir1=C:\\src", "[Comm]", "TimePoint=1", "TimeOut=60"});
    bool shownDuringPass = true;
    clock.stepPerReading = 1.0;
    platform.onProcessEvents = [&] { shownDuringPass = platform.windowShown; };
    ASSERT_TRUE(window->Form_Load());
    EXPECT_FALSE(shownDuringPass);
    EXPECT_EQ(items(window->ListMessage), (Lines{
                                              "09:30:05    更新了 1 个文件(3)！",
                                              "09:30:05    C:\\src\\a.txt",
                                              "09:30:05    正在扫描目标文件夹…",
                                              "09:30:05    备份到:D:\\back\\src",
                                              "09:30:05    程序启动！",
                                          }));
    EXPECT_EQ(window->Text4.text(), "60");
    EXPECT_EQ(window->MinuteCounter, 0);
    EXPECT_EQ(platform.tray.back(), (Tray{"app", "Tarnwick", TrayAction::Modify}));
}

TEST_F(MainWindow, ThePassAnimatesAndPutsEverythingBackWhenItEnds) {
    for (const char* name : {"a", "b", "c"}) {
        fs.addFile(std::string("C:\\src\\") + name + ".txt", 100, 1);
    }
    window->ListFromFolder.addItem("C:\\src");
    clock.stepPerReading = 0.3;
    std::vector<std::pair<bool, bool>> busyPictures;
    std::vector<std::string> shownPaths;
    bool exitHidden = false;
    platform.onProcessEvents = [&] {
        busyPictures.emplace_back(window->Image1[1].visible(), window->Image1[2].visible());
        shownPaths.push_back(window->LabDDir[6].caption());
        exitHidden = !window->ButtonExit.visible() && !window->Image1[0].visible();
    };
    window->UpdateButton_Click();
    ASSERT_GE(busyPictures.size(), 2u);
    EXPECT_EQ(busyPictures[0], std::make_pair(false, true));
    EXPECT_EQ(busyPictures[1], std::make_pair(true, false));
    EXPECT_TRUE(exitHidden);
    EXPECT_EQ(shownPaths[0], "C:\\src\\a.txt");
    EXPECT_EQ(platform.tray[0], (Tray{"busy2", "正在扫描目标文件夹……", TrayAction::Modify}));
    EXPECT_EQ(window->LabDDir[6].caption(), "");
    EXPECT_TRUE(window->ButtonExit.visible());
    EXPECT_TRUE(window->Image1[0].visible());
    EXPECT_FALSE(window->Image1[1].visible() || window->Image1[2].visible());
    EXPECT_FALSE(window->BackupBusy);
    EXPECT_EQ(window->ListFromFolder.list(0), "C:\\src\\");
    EXPECT_EQ(window->txtToFolder.text(), "D:\\back\\");
}

TEST_F(MainWindow, ClosingDuringAPassStopsItAndEndsTheProgramAfterwards) {
    for (const char* name : {"a", "b", "c"}) {
        fs.addFile(std::string("C:\\src\\") + name + ".txt", 100, 1);
    }
    window->ListFromFolder.addItem("C:\\src");
    clock.stepPerReading = 1.0;
    int endsDuringPass = -1;
    platform.onProcessEvents = [&] {
        platform.onProcessEvents = nullptr;
        window->Form_QueryUnload();
        endsDuringPass = platform.programEnds;
    };
    window->UpdateButton_Click();
    EXPECT_EQ(endsDuringPass, 0);
    EXPECT_EQ(platform.programEnds, 1);
    EXPECT_TRUE(window->lastPass().stopped);
    EXPECT_EQ(window->lastPass().updatedCount, 0);
    EXPECT_EQ(platform.tray[1].action, TrayAction::Delete);
}

TEST_F(MainWindow, HidesAndComesBackOnALeftButtonReleaseOrASecondStart) {
    window->Form_Load();
    window->ButtonExit_Click();
    EXPECT_FALSE(platform.windowShown);
    for (TrayMouse event : {TrayMouse::LeftDoubleClick, TrayMouse::RightButtonUp,
                            TrayMouse::MiddleButtonUp, TrayMouse::Other}) {
        window->TrayIcon_Event(event);
        EXPECT_FALSE(platform.windowShown) << static_cast<int>(event);
    }
    window->TrayIcon_Event(TrayMouse::LeftButtonUp);
    EXPECT_TRUE(platform.windowShown);
    EXPECT_TRUE(window->windowVisible());
    // A second start of the program shows the hidden window too; closing ends it.
    window->ButtonExit_Click();
    window->SecondStart_Event();
    EXPECT_TRUE(platform.windowShown && window->windowVisible());
    window->Form_QueryUnload();
    EXPECT_EQ(platform.tray.back().action, TrayAction::Delete);
    EXPECT_EQ(platform.programEnds, 1);
}

TEST_F(MainWindow, WithoutATrayTheHideButtonMinimisesAndSaysSo) {
    platform.hasTray = false;
    ASSERT_TRUE(window->Form_Load());
    EXPECT_NE(window->ButtonExit.toolTip().find("最小化"), std::string::npos);
    window->ButtonExit_Click();
    EXPECT_EQ(platform.minimizes, 1);
    EXPECT_TRUE(platform.windowShown);
    EXPECT_TRUE(window->windowVisible());

    // A panel with a tray appears: the next click hides to it, and the hint goes.
    platform.hasTray = true;
    window->ButtonExit_Click();
    EXPECT_EQ(platform.minimizes, 1);
    EXPECT_FALSE(platform.windowShown);
    EXPECT_EQ(window->ButtonExit.toolTip(), "");
}

TEST_F(MainWindow, ClosingDuringTheFirstPassEndsStartUpWithoutShowingTheWindow) {
    fs.addFile("C:\\src\\a.txt", 100, 3);
    fs.addFile("C:\\src\\b.txt", 100, 3);
    writeTask("C:\\Tarnwick\\TarnwickConfig.ini",
              {"[DirList]", "Count=1", "Dir1=C:\\src", "[Comm]", "TimePoint=1"});
    clock.stepPerReading = 1.0;
    platform.onProcessEvents = [&] {
        platform.onProcessEvents = nullptr;
        window->Form_QueryUnload();
    };
    EXPECT_FALSE(window->Form_Load());
    EXPECT_FALSE(platform.windowShown);
    EXPECT_FALSE(window->windowVisible());
    EXPECT_EQ(platform.programEnds, 1);
}

TEST_F(MainWindow, TheStartCommandRefusesABlankDestination) {
    window->txtToFolder.setText(" ");
    EXPECT_EQ(window->UpdateButton_Click(), FrmMain::CommandOutcome::Refused);
    EXPECT_EQ(window->txtToFolder.text(), "C:\\windows\\desktop");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], (test::RecordingPlatform::Message{
                                        "需要备份与存放备份的文件夹不能为空!", "无效的文件夹"}));
    EXPECT_EQ(window->ListMessage.listCount(), 5);
}

TEST_F(MainWindow, ASaveDuringAPassChangesTheFilterForTheFilesStillToCome) {
    fs.addFile("C:\\src\\a.doc", 100, 1);
    fs.addFile("C:\\src\\b.txt", 100, 1);
    fs.addFile("C:\\src\\c.doc", 100, 1);
    window->ListFromFolder.addItem("C:\\src");
    window->TextTask.setText("C:\\Tarnwick\\t.ini");
    window->selectOption2(TypeMode::OnlyListed);
    window->List3.addItem(".txt");
    clock.stepPerReading = 1.0;
    platform.onProcessEvents = [&] {
        platform.onProcessEvents = nullptr;
        window->SaveConfig_Click();
    };
    window->UpdateButton_Click();
    EXPECT_EQ(fs.copiedFiles, (Lines{"C:\\src\\b.txt"}));
}

}  // namespace
}  // namespace tarnwick
