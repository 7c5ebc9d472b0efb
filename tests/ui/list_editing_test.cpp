// Adding and removing source folders and file types, choosing the destination.
#include "support/window_fixture.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

class ListEditing : public test::WindowTest {
  protected:
    ListEditing() { window->ListMessage.clear(); }
};

// A cancelled browse changes nothing but forgets the last folder.
TEST_F(ListEditing, AddsTheChosenFolderAndLogsWhereItGoes) {
    platform.folderAnswers = {"C:\\abc\\def\\xyz", "C:\\abc\\def\\xyz", "", ""};
    window->CommandNewDir_Click();
    window->CommandNewDir_Click();
    window->CommandToDir_Click();
    window->CommandNewDir_Click();
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\abc\\def\\xyz", "C:\\abc\\def\\xyz"}));
    EXPECT_EQ(items(window->ListMessage), (Lines{"09:30:05    备份到:D:\\back\\abc\\def\\xyz",
                                                 "09:30:05    备份到:D:\\back\\abc\\def\\xyz"}));
    EXPECT_EQ(window->txtToFolder.text(), "D:\\back");
    const std::string source = "请选择需要备份的文件夹：", xyz = "C:\\abc\\def\\xyz";
    EXPECT_EQ(platform.browses,
              (decltype(platform.browses){
                  {source, ""}, {source, xyz}, {"选择要保存到哪个文件夹：", xyz}, {source, ""}}));
}

TEST_F(ListEditing, WithAllSubfoldersAddsOneLevelOfSubfoldersOnly) {
    fs.addFolder("C:\\top\\one\\deeper");
    fs.addFile("C:\\top\\file.txt", 1, 1);
    fs.addFolder("C:\\empty");
    fs.addFolder("D:\\sub");
    window->CheckAllSub.setValue(1);
    platform.folderAnswers = {"C:\\top", "C:\\empty", "D:\\"};
    for (int i = 0; i < 3; ++i) {
        window->CommandNewDir_Click();
    }
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"C:\\top\\one", "D:\\sub"}));
    EXPECT_EQ(window->ListMessage.listCount(), 2);
}

TEST_F(ListEditing, ChoosingTheDestinationLogsEverySourcesNewTarget) {
    window->ListFromFolder.addItem("C:\\a\\x");
    window->ListFromFolder.addItem("C:\\b");
    window->CheckFullFodler.setValue(0);
    platform.folderAnswers = {"E:\\", "C:\\b"};
    window->CommandToDir_Click();
    EXPECT_EQ(window->txtToFolder.text(), "E:\\");
    EXPECT_EQ(items(window->ListMessage),
              (Lines{"09:30:05    备份到:E:\\x", "09:30:05    备份到:E:\\b"}));
    EXPECT_EQ(platform.browses[0].first, "选择要保存到哪个文件夹：");
    window->CommandNewDir_Click();
    EXPECT_EQ(platform.browses[1].second, "E:\\");
}

TEST_F(ListEditing, TypeEntriesAreTrimmedAndAddedAsTyped) {
    const std::tuple<const char*, Lines> cases[] = {
        {"  .doc  ", {".doc"}}, {"   ", {}}, {"\\Bak", {"\\Bak"}}, {".a\nb", {}}};
    for (const auto& [typed, expected] : cases) {
        window->List3.clear();
        window->Text1.setText(typed);
        window->Command4_Click();
        EXPECT_EQ(items(window->List3), expected) << typed;
        EXPECT_EQ(window->Text1.text(), "");
    }
    EXPECT_EQ(platform.messages.size(), 1u);  // the line break
    window->Text7.setText(".bak");
    window->Command6_Click();
    EXPECT_EQ(items(window->List4), (Lines{".bak"}));
}

TEST_F(ListEditing, RemovesOnlyTheSelectedEntry) {
    for (ListBox* list : {&window->ListFromFolder, &window->List3, &window->List4}) {
        list->addItem("one");
        list->addItem("two");
    }
    window->CommandDelDir_Click();
    window->Command5_Click();
    window->Command7_Click();
    EXPECT_EQ(window->ListFromFolder.listCount(), 2);
    window->ListFromFolder.setListIndex(1);
    window->List3.setListIndex(0);
    window->List4.setListIndex(1);
    window->CommandDelDir_Click();
    window->Command5_Click();
    window->Command7_Click();
    EXPECT_EQ(items(window->ListFromFolder), (Lines{"one"}));
    EXPECT_EQ(items(window->List3), (Lines{"two"}));
    EXPECT_EQ(items(window->List4), (Lines{"one"}));
    EXPECT_EQ(window->ListFromFolder.listIndex(), -1);
}

TEST_F(ListEditing, ClickingTheNoteLabelPutsTheNoteBack) {
    const std::string note = window->LabDDir[6].caption();
    window->LabDDir[6].setCaption("C:\\src\\progress.txt");
    window->LabDDir[5].setCaption("时");
    window->LabDDir_Click(5);
    EXPECT_EQ(window->LabDDir[6].caption(), "C:\\src\\progress.txt");
    window->LabDDir_Click(6);
    EXPECT_EQ(window->LabDDir[6].caption(), note);
}

}  // namespace
}  // namespace tarnwick
