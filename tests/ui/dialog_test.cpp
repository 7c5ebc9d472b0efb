// The task chooser.
#include "ui/dialog.h"

#include <tuple>

#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

class TaskChooser : public test::WindowTest {
  protected:
    TaskChooser() {
        writeTask("C:\\T.INI", {"[Comm]", "TimeOut=60", "DDir=E:\\from-c"});
        writeTask("D:\\tasks\\a.ini", {"[Comm]", "DDir=E:\\from-a"});
        fs.addFile("D:\\tasks\\notes.txt", 1, 1);
        fs.addFolder("D:\\tasks\\old");
    }
};

TEST_F(TaskChooser, OpensOnTheCurrentFolder) {
    fs.current = "D:\\tasks";
    Dialog dialog(*window);
    EXPECT_EQ(items(dialog.Drive1), (Lines{"C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(dialog.Drive1.listIndex(), 1);
    EXPECT_EQ(items(dialog.Dir1), (Lines{"D:\\", "D:\\tasks", "D:\\tasks\\old"}));
    EXPECT_EQ(dialog.dir1Depth(), 2);
    EXPECT_EQ(items(dialog.File1), (Lines{"a.ini"}));
}

// OK joins the folder and the chosen file, or takes the folder's path without one.
TEST_F(TaskChooser, OkJoinsTheFolderAndTheFileAndLoadsIt) {
    // The folder, the file chosen ("" for none), the task path, and the loaded destination and
    // interval (shown in its box, whatever the box held).
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"D:\\tasks\\old", "", "D:\\tasks\\old\\", "D:\\back", "30"},
        {"C:\\", "T.INI", "C:\\T.INI", "E:\\from-c", "60"},
        {"D:\\tasks", "a.ini", "D:\\tasks\\a.ini", "E:\\from-a", "30"},
    };
    for (const auto& [folder, name, path, destination, interval] : cases) {
        window->Text4.setText("5");
        Dialog dialog(*window);
        dialog.openFolder(folder);
        dialog.File1.setListIndex(*name == '\0' ? -1 : 0);  // each folder holds one task file
        dialog.OKButton_Click();
        EXPECT_TRUE(dialog.closed());
        EXPECT_EQ(window->TextTask.text(), path);
        EXPECT_EQ(window->IniPath, path);
        EXPECT_EQ(window->txtToFolder.text(), destination);
        EXPECT_EQ(window->Text4.text(), interval);
    }
}

TEST_F(TaskChooser, ChangingDriveMovesTheCurrentFolderAndTheNextOpeningStartsThere) {
    {
        Dialog dialog(*window);
        dialog.selectDrive(1);
        EXPECT_EQ(dialog.dir1Path(), "D:\\");
        EXPECT_EQ(fs.current, "D:\\");
        dialog.openFolder("D:\\tasks");
        EXPECT_EQ(fs.current, "D:\\tasks");
        dialog.CancelButton_Click();
    }
    Dialog again(*window);
    EXPECT_EQ(again.dir1Path(), "D:\\tasks");
    EXPECT_EQ(items(again.File1), (Lines{"a.ini"}));
}

TEST_F(TaskChooser, AnUnreadableDriveIsReportedAndTheDialogStaysUsable) {
    fs.rootList.push_back("F:\\");  // listed as a drive, but no medium
    Dialog dialog(*window);
    dialog.selectDrive(3);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "无法打开文件夹:F:\\");
    EXPECT_EQ(dialog.Drive1.listIndex(), 0);
    EXPECT_EQ(dialog.dir1Path(), "C:\\Tarnwick");
    dialog.openFolder("C:\\");
    EXPECT_EQ(items(dialog.File1), (Lines{"T.INI"}));
}

}  // namespace
}  // namespace tarnwick
