// Editing the source folder list, the destination and the two type lists.
#include "backup/path_helpers.h"
#include "common/ascii_text.h"
#include "common/texts.h"
#include "ui/dialog.h"
#include "ui/frm_main.h"

namespace tarnwick {
namespace {

void RemoveSelected(ListBox& list) {
    if (list.listIndex() != -1) {
        list.removeItem(list.listIndex());
    }
}

}  // namespace

bool FrmMain::refuseDialogDuringPass() {
    // A dialog's own event loop would hold the pass, suspended in its refresh, until it closes.
    if (BackupBusy) {
        logFirst(texts::kBusyDialogRefusedLine);
    }
    return BackupBusy;
}

std::string FrmMain::PickFolder(const std::string& prompt) {
    LastFolder = platform_.browseForFolder(prompt, LastFolder);
    return LastFolder;
}

void FrmMain::LogFolderTarget(const std::string& folder) {
    appendLog(FolderTargetText(txtToFolder.text(), folder, CheckFullFodler.value() != 0,
                               defaults_.style));
}

void FrmMain::CommandNewDir_Click() {
    if (refuseDialogDuringPass()) {
        return;
    }
    const std::string folder = PickFolder(std::string(texts::kPickSourcePrompt));
    if (folder.empty() || refuseLineBreak(folder)) {
        return;
    }
    if (CheckAllSub.value() != 0) {
        AddSubFolders(folder);
        return;
    }
    ListFromFolder.addItem(folder);
    LogFolderTarget(folder);
}

void FrmMain::AddSubFolders(const std::string& folder) {
    const std::string path = WithTrailingSeparator(folder, defaults_.style);
    auto listing = fs_.list(path);
    ListedEntry entry;
    while (listing && listing->next(entry)) {
        // An entry whose attributes cannot be read is passed over: it may not be a folder at all.
        if (!entry.info || entry.info->kind != EntryKind::Folder) {
            continue;
        }
        const std::string subfolder = path + entry.name;
        if (refuseLineBreak(subfolder)) {
            continue;
        }
        ListFromFolder.addItem(subfolder);
        LogFolderTarget(subfolder);
    }
}

void FrmMain::CommandDelDir_Click() {
    RemoveSelected(ListFromFolder);
}

void FrmMain::CommandClearDir_Click() {
    ListFromFolder.clear();
    ListMessage.clear();
}

void FrmMain::CommandToDir_Click() {
    if (refuseDialogDuringPass()) {
        return;
    }
    const std::string folder = PickFolder(std::string(texts::kPickDestinationPrompt));
    if (folder.empty()) {
        return;
    }
    txtToFolder.setText(folder);
    const int count = ListFromFolder.listCount();
    for (int i = 0; i < count; ++i) {
        LogFolderTarget(ListFromFolder.list(i));
    }
}

void FrmMain::addListEntry(ListBox& list, TextBox& entryBox) {
    const std::string entry(TrimSpaces(entryBox.text()));
    entryBox.setText(entry);
    if (!entry.empty() && !refuseLineBreak(entry)) {
        list.addItem(entry);
    }
    entryBox.setText({});
}

void FrmMain::Command4_Click() {
    addListEntry(List3, Text1);
}

void FrmMain::Command5_Click() {
    RemoveSelected(List3);
}

void FrmMain::Command6_Click() {
    addListEntry(List4, Text7);
}

void FrmMain::Command7_Click() {
    RemoveSelected(List4);
}

void FrmMain::CommandClear_Click() {
    ListMessage.clear();
}

void FrmMain::SelTask_Click() {
    if (refuseDialogDuringPass()) {
        return;
    }
    Dialog dialog(*this);
    platform_.showTaskChooser(dialog);
}

}  // namespace tarnwick
