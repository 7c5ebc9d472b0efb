// A backup pass run by the main window: the window is the pass's host.
#include "common/texts.h"
#include "ui/frm_main.h"

namespace tarnwick {

class MainWindowPass final : public BackupHost {
  public:
    explicit MainWindowPass(FrmMain& window) : window_(window) {}

    void logTop(std::string_view text) override { window_.logFirst(text); }

    void passStarted() override {
        window_.ButtonExit.setVisible(false);
        window_.Image1[0].setVisible(false);
    }

    void refreshProgress(std::string_view path) override {
        const int shown = window_.AnimFrame == 2 ? 1 : 2;
        window_.Image1[static_cast<std::size_t>(shown)].setVisible(true);
        window_.Image1[static_cast<std::size_t>(3 - shown)].setVisible(false);
        window_.AnimFrame = shown;
        window_.platform_.setTrayIcon(window_.Image1[static_cast<std::size_t>(shown)].picture(),
                                      std::string(texts::kBusyTip), TrayAction::Modify);
        window_.LabDDir[FrmMain::kNoteLabel].setCaption(std::string(path));
        window_.platform_.processEvents();
    }

    // The window comes to rest in RunBackup's guard, however the pass ends.
    void passEnded() override {}

    bool noCopy() override { return window_.CheckNoCopy.value() != 0; }
    bool stopRequested() override { return window_.StopBackup; }
    const TypeFilter& typeFilter() override { return window_.Filter; }

    void setDestinationText(const std::string& text) override { window_.txtToFolder.setText(text); }

    void setSourceEntry(std::size_t index, const std::string& entry) override {
        // The list may have been replaced while the pass waited for events: only the entry the
        // pass started from gets its separator.
        ListBox& list = window_.ListFromFolder;
        const int row = static_cast<int>(index);
        if (row < list.listCount() && list.list(row) + entry.back() == entry) {
            list.setItem(row, entry);
        }
    }

  private:
    FrmMain& window_;
};

// Raises the busy flag for one pass and brings the window back to rest when the pass is left in
// any way: its end, a stop, or an exception thrown from deep inside it.
class PassInProgress {
  public:
    explicit PassInProgress(FrmMain& window) : window_(window) {
        window_.BackupBusy = true;
        window_.StopBackup = false;
    }
    PassInProgress(const PassInProgress&) = delete;
    PassInProgress& operator=(const PassInProgress&) = delete;
    ~PassInProgress() {
        window_.BackupBusy = false;
        window_.Image1[1].setVisible(false);
        window_.Image1[2].setVisible(false);
        window_.Image1[0].setVisible(true);
        window_.platform_.setTrayIcon("app", std::string(texts::kDisplayName), TrayAction::Modify);
        window_.LabDDir[FrmMain::kNoteLabel].setCaption({});
        window_.ButtonExit.setVisible(true);
    }

  private:
    FrmMain& window_;
};

void FrmMain::RunBackup() {
    if (BackupBusy) {
        return;  // one pass at a time: its state lives in this window
    }
    PassOptions options;
    options.destination = txtToFolder.text();
    options.sources.assign(ListFromFolder.items().begin(), ListFromFolder.items().end());
    options.includeSubDirs = Check1.value() != 0;
    options.sizeLimitOn = Check2.value() != 0;
    options.sizeLimitText = Text3.text();
    options.fullPath = CheckFullFodler.value() != 0;
    options.style = defaults_.style;
    {
        const PassInProgress pass(*this);
        MainWindowPass host(*this);
        lastPass_ = tarnwick::RunBackup(options, host, fs_, clock_);
    }
    if (closeAfterPass_) {
        platform_.endProgram();
    }
}

}  // namespace tarnwick
