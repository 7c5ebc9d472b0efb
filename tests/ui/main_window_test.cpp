// Hiding, restoring and closing the window, also during the first pass; the start command's
// refusal; a save in the middle of a pass.
#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

class MainWindow : public test::WindowTest {};

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
    EXPECT_TRUE(platform.windowShown && window->windowVisible());
    // A second start of the program shows the hidden window too; closing ends it.
    window->ButtonExit_Click();
    window->SecondStart_Event();
    EXPECT_TRUE(platform.windowShown && window->windowVisible());
    window->Form_QueryUnload();
    EXPECT_EQ(platform.tray.back().action, TrayAction::Delete);
    EXPECT_EQ(platform.programEnds, 1);
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
    EXPECT_FALSE(platform.windowShown || window->windowVisible());
    EXPECT_EQ(platform.programEnds, 1);
}

TEST_F(MainWindow, TheStartCommandRefusesABlankDestination) {
    window->txtToFolder.setText(" ");
    EXPECT_EQ(window->UpdateButton_Click(), FrmMain::CommandOutcome::Refused);
    EXPECT_EQ(window->txtToFolder.text(), "C:\\windows\\desktop");
    EXPECT_EQ(platform.messages, (std::vector<test::RecordingPlatform::Message>{
                                     {"需要备份与存放备份的文件夹不能为空!", "无效的文件夹"}}));
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
    // The pass writes the folders back as it used them.
    EXPECT_EQ(window->ListFromFolder.list(0), "C:\\src\\");
    EXPECT_EQ(window->txtToFolder.text(), "D:\\back\\");
}

}  // namespace
}  // namespace tarnwick
