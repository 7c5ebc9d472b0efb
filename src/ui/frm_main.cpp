// The main window's creation, start-up, tray, hiding and closing, and the log.
#include "ui/frm_main.h"

#include "common/texts.h"

namespace tarnwick {
namespace {

// The window's log keeps this many of its newest lines; the log file keeps them all.
constexpr int kLogLines = 100000;

}  // namespace

FrmMain::FrmMain(FormPlatform& platform, FileSystem& fs, Clock& clock, HostDefaults defaults)
    : platform_(platform), fs_(fs), clock_(clock), defaults_(std::move(defaults)) {
    txtToFolder.setText(defaults_.backFolder);
    Image1[1].setVisible(false);
    Image1[2].setVisible(false);
    Option1Of(ScheduleMode::Manual).setValue(true);
    Option2Of(TypeMode::AllFiles).setValue(true);
    // The size box follows its check box from the start: a task loaded with the limit off leaves
    // the box as it is, which must then already be disabled.
    Text3.setEnabled(Check2.value() != 0);
    LabDDir[4].setCaption(texts::IntervalRangeCaption(static_cast<int>(task_keys::kInterval.low),
                                                      static_cast<int>(task_keys::kInterval.high)));
    LabDDir[5].setCaption(std::string(texts::kHourLabel));
    LabDDir[kNoteLabel].setCaption(std::string(texts::kUsageNote));
    LabDDir[7].setCaption(std::string(texts::kMinuteLabel));
    LabDDir[8].setCaption(std::string(texts::kSizeUnitLabel));
    LabDDir[9].setCaption(std::string(texts::kTypeHint));
    CheckAllSub.setToolTip(std::string(texts::kCheckAllSubTip));
    List4.setToolTip(std::string(texts::kList4Tip));
    if (!defaults_.logFile.empty()) {
        logFile_.emplace(defaults_.logFile);
    }
    ListMessage.setCapacity(kLogLines);
    for (const auto line : texts::kDesignLines) {
        ListMessage.addItem(std::string(line));
    }
}

bool FrmMain::Form_Load() {
    if (platform_.anotherInstanceRunning()) {
        platform_.endProgram();
        return false;
    }
    platform_.setTrayIcon("app", std::string(texts::kDisplayName), TrayAction::Add);
    describeHideButton(platform_.trayAvailable());
    LoadStartupTask(defaults_.taskFile);
    Timer1_Timer();
    if (closeAfterPass_) {
        return false;  // closed during the first pass, which has ended the program
    }
    windowVisible_ = true;
    platform_.showWindow();
    return true;
}

void FrmMain::LoadStartupTask(const std::string& taskFile) {
    MinuteCounter = static_cast<std::int32_t>(task_keys::kInterval.high);  // due for any interval
    Image1[0].setPicture("app");
    IniPath = taskFile;
    TextTask.setText(IniPath);
    LastFolder.clear();
    ResetTask();
    Text4.setText(std::to_string(IntervalMinutes));
    appendLog(texts::kStartLine);
}

void FrmMain::Form_QueryUnload() {
    platform_.setTrayIcon("app", std::string(texts::kDisplayName), TrayAction::Delete);
    if (BackupBusy) {
        // The pass is suspended in its refresh; it must not go on with a closed window, so it
        // stops first and the program ends once it has unwound.
        StopBackup = true;
        closeAfterPass_ = true;
        return;
    }
    platform_.endProgram();
}

void FrmMain::ButtonExit_Click() {
    // A tray can come and go with the desktop's panel: ask at every click.
    const bool tray = platform_.trayAvailable();
    describeHideButton(tray);
    if (!tray) {
        platform_.minimizeWindow();
        return;
    }
    windowVisible_ = false;
    platform_.hideWindow();
}

void FrmMain::describeHideButton(bool trayAvailable) {
    ButtonExit.setToolTip(trayAvailable ? std::string() : std::string(texts::kMinimizeTip));
}

void FrmMain::TrayIcon_Event(TrayMouse event) {
    if (event == TrayMouse::LeftButtonUp) {
        showFromTray();
    }
}

void FrmMain::SecondStart_Event() {
    showFromTray();
}

void FrmMain::showFromTray() {
    windowVisible_ = true;
    platform_.showWindow();
}

void FrmMain::LabDDir_Click(int index) {
    if (index == kNoteLabel) {
        LabDDir[kNoteLabel].setCaption(std::string(texts::kUsageNote));
    }
}

void FrmMain::tell(const texts::Message& message, std::string_view subject) {
    platform_.showMessage(std::string(message.text).append(subject), std::string(message.title));
}

void FrmMain::appendLog(std::string_view text) {
    log(text, &ListBox::addItem);
}

void FrmMain::logFirst(std::string_view text) {
    log(text, &ListBox::insertFirst);
}

// Every logged line goes to the window with the time of day and to the log file with the date
// as well. A log file that cannot be written costs the pass nothing; the window says so once.
void FrmMain::log(std::string_view text, void (ListBox::*put)(std::string)) {
    const LocalTime now = clock_.now();
    const auto windowLine = [&now](std::string_view line) {
        return FormatTimeOfDay(now.time) + "    " + std::string(line);
    };
    (ListMessage.*put)(windowLine(text));
    if (!logFile_) {
        return;
    }
    const Status written = logFile_->append(now, text);
    if (!written.ok() && logFileNotice_.empty()) {
        logFileNotice_ = std::string(texts::kLogFileFailedText) + logFile_->path() + " (" +
                         written.reason() + ")";
        (ListMessage.*put)(windowLine(logFileNotice_));
    }
}

}  // namespace tarnwick
