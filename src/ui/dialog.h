#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/texts.h"
#include "ui/controls.h"

namespace tarnwick {

class FrmMain;

// The task chooser: a drive list, a folder list and a list of the "*.ini" files of the folder.
// OK makes the chosen file the current task and loads it; Cancel changes nothing.
class Dialog {
  public:
    // Opens on the process's current drive and folder.
    explicit Dialog(FrmMain& main);

    const std::string& caption() const { return caption_; }

    // Drive1: the roots; its selection is the drive shown.
    ListBox Drive1;
    // Dir1: the folder shown, then its ancestors from the root down to it and its subfolders,
    // all as full paths; the first dir1Depth() items are the ancestors and the folder itself.
    ListBox Dir1;
    // File1: the names of the folder's task files.
    ListBox File1;
    Button OKButton{texts::kOkButton};
    Button CancelButton{texts::kCancelButton};

    const std::string& dir1Path() const { return dir1Path_; }
    int dir1Depth() const { return dir1Depth_; }
    const std::string& file1Path() const { return file1Path_; }

    // The user opens a folder of Dir1 (by its full path) or picks a drive of Drive1.
    void openFolder(const std::string& path);
    void selectDrive(int index);

    void Dir1_Change();
    void Drive1_Change();
    void OKButton_Click();
    void CancelButton_Click();

    bool closed() const { return closed_; }
    // Told when the dialog closes, so a view can end its modal loop.
    void setCloseListener(std::function<void()> listener) { closeListener_ = std::move(listener); }

  private:
    bool showFolder(const std::string& path);
    void fillFiles();
    std::string rootOf(const std::string& path) const;
    void close();

    FrmMain& main_;
    std::string caption_{texts::kTaskChooserCaption};
    std::string dir1Path_;
    int dir1Depth_ = 0;
    std::string file1Path_;
    bool closed_ = false;
    std::function<void()> closeListener_;
};

}  // namespace tarnwick
