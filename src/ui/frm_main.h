#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/host_defaults.h"
#include "app/log_file.h"
#include "backup/backup_pass.h"
#include "backup/file_system.h"
#include "backup/type_filter.h"
#include "common/clock.h"
#include "common/number_text.h"
#include "common/texts.h"
#include "task/task_keys.h"
#include "ui/controls.h"
#include "ui/form_platform.h"

namespace tarnwick {

class TaskFileText;

// The main window as data: every control under its name with its state, and every event handler
// written once. The views lay the controls out and forward the user's clicks and edits here.
class FrmMain {
  public:
    FrmMain(FormPlatform& platform, FileSystem& fs, Clock& clock, HostDefaults defaults);

    // Outcomes of the two task commands, for callers that need more than the message box.
    enum class CommandOutcome { Done, Refused, WriteFailed };

    // ---- Controls, by the names the window gives them ----
    Captioned SSTab1Tab0{texts::kFoldersTab};
    Captioned SSTab1Tab1{texts::kOptionsTab};

    Button UpdateButton{texts::kStartButton};
    Button CommStop{texts::kStopButton};
    Button SaveConfig{texts::kSaveButton};
    Button ButtonExit{texts::kHideButton};
    Button CommandClear{texts::kClearLogButton};
    Button CommandToDir{texts::kDestinationButton};
    TextBox txtToFolder;
    CheckBox CheckFullFodler{texts::kWholePathBox, 1};
    Timer Timer1{60000};
    ListBox ListMessage;
    std::array<Image, 3> Image1{Image(), Image("busy1"), Image("busy2")};
    std::array<Label, 10> LabDDir;
    // LabDDir(6): the usage note, and the progress line while a pass runs.
    static constexpr int kNoteLabel = 6;

    // First tab: the folders to back up.
    Button SelTask{texts::kChooseTaskButton};
    TextBox TextTask;
    Label Label1{texts::kSourceListLabel};
    CheckBox CheckAllSub{texts::kAllSubfoldersBox, 0};
    ListBox ListFromFolder;
    Button CommandNewDir{texts::kAddFolderButton};
    Button CommandDelDir{texts::kRemoveFolderButton};
    Button CommandClearDir{texts::kClearFoldersButton};

    // Second tab: file types, backup parameters and schedule.
    Captioned Frame2{texts::kTypesFrame};
    std::array<OptionButton, 3> Option2{OptionButton(texts::kTypeModeOptions[0]),
                                        OptionButton(texts::kTypeModeOptions[1]),
                                        OptionButton(texts::kTypeModeOptions[2])};
    ListBox List3;
    ListBox List4;
    TextBox Text1;
    TextBox Text7;
    Button Command4{texts::kAddEntryButton};
    Button Command5{texts::kRemoveEntryButton};
    Button Command6{texts::kAddEntryButton};
    Button Command7{texts::kRemoveEntryButton};
    Image ImageQRCode{"qrcode"};

    Captioned Frame1{texts::kParametersFrame};
    CheckBox Check1{texts::kSubfoldersBox, 1};
    CheckBox Check2{texts::kSizeLimitBox, 0};
    TextBox Text3{FormatNumber(task_keys::kSizeLimit.fallback)};
    std::array<OptionButton, 3> Option1{OptionButton(texts::kScheduleModeOptions[0]),
                                        OptionButton(texts::kScheduleModeOptions[1]),
                                        OptionButton(texts::kScheduleModeOptions[2])};
    TextBox Text5{FormatNumber(task_keys::kHour.fallback)};
    TextBox Text6{FormatNumber(task_keys::kMinute.fallback)};
    TextBox Text4{FormatNumber(task_keys::kInterval.fallback)};
    CheckBox CheckNoCopy{texts::kNoCopyBox, 0};

    // ---- Fields of the window ----
    std::string IniPath;
    std::int32_t IntervalMinutes = static_cast<std::int32_t>(task_keys::kInterval.fallback);
    std::int32_t MinuteCounter = 0;
    bool BackupBusy = false;
    bool StopBackup = false;
    int AnimFrame = 0;
    std::string LastFolder;
    TypeFilter Filter;  // ExtMode, OnlyExtList/Count and SkipExtList/Count

    // The option button of a schedule mode / of a file type mode.
    OptionButton& Option1Of(ScheduleMode mode) { return ButtonOf(Option1, mode); }
    OptionButton& Option2Of(TypeMode mode) { return ButtonOf(Option2, mode); }

    const std::string& windowCaption() const { return caption_; }
    const HostDefaults& defaults() const { return defaults_; }
    // Whether the window wants to be on screen (the views follow it).
    bool windowVisible() const { return windowVisible_; }

    // ---- Start-up, tray, hide and close ----
    // Answers false when the program ends during start-up, showing nothing: another copy runs,
    // or the window was closed while the first pass ran.
    bool Form_Load();
    // The part of start-up that loads the task, without tray, tick or window: the command line
    // starts here.
    void LoadStartupTask(const std::string& taskFile);
    void Form_QueryUnload();
    // Hides the window to the tray; where there is no tray it minimises the window instead.
    void ButtonExit_Click();
    // A mouse event over the tray icon: the left button's release brings the window back.
    void TrayIcon_Event(TrayMouse event);
    // Another start of the program, ended by the single-instance test, asks for this window.
    void SecondStart_Event();

    // ---- Schedule ----
    void Timer1_Timer();
    void Option1_Click(int index);
    void Check2_Click();
    void CommStop_Click();

    // ---- The task ----
    void ResetTask();
    // Public for the task-file fuzzer, which saves what it loads without the command's checks.
    CommandOutcome SaveTask();
    CommandOutcome SaveConfig_Click();
    CommandOutcome UpdateButton_Click();
    // The result of the last pass that ran to its end.
    const PassResult& lastPass() const { return lastPass_; }

    // ---- List editing ----
    void CommandNewDir_Click();
    void CommandDelDir_Click();
    void CommandClearDir_Click();
    void CommandToDir_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void CommandClear_Click();
    void LabDDir_Click(int index);
    void SelTask_Click();

    // ---- What the user does to controls that have handlers of their own ----
    void clickCheckBox(CheckBox& box, int value);
    void clickOption1(ScheduleMode mode);
    void selectOption2(TypeMode mode);

    // A line at the bottom of the log / at its top, each with the time of day before it.
    void appendLog(std::string_view text);
    void logFirst(std::string_view text);

    // What the window said when the log file could not be written; "" while it could.
    const std::string& logFileNotice() const { return logFileNotice_; }

    FileSystem& fileSystem() { return fs_; }
    FormPlatform& platform() { return platform_; }

  private:
    friend class MainWindowPass;
    friend class PassInProgress;

    void RunBackup();
    void BuildTypeFilter();
    void applyTaskFile(const TaskFileText& task);
    void loadDefaults();
    bool taskFileExists(const std::string& path);
    // The local minute of the set daily time that this tick must start a pass for, if any.
    std::optional<std::int64_t> dueDailyTime();
    void setCheckValue(CheckBox& box, int value);
    // Logs the refusal and answers true while a pass runs.
    bool refuseDialogDuringPass();
    std::string PickFolder(const std::string& prompt);
    void AddSubFolders(const std::string& folder);
    void LogFolderTarget(const std::string& folder);
    void addListEntry(ListBox& list, TextBox& entryBox);
    bool refuseLineBreak(std::string_view value);
    // A message box: its text, then what it is about.
    void tell(const texts::Message& message, std::string_view subject = {});
    void log(std::string_view text, void (ListBox::*put)(std::string));
    void showFromTray();
    void describeHideButton(bool trayAvailable);

    FormPlatform& platform_;
    FileSystem& fs_;
    Clock& clock_;
    HostDefaults defaults_;
    std::string caption_{texts::kWindowCaption};
    bool windowVisible_ = false;
    bool closeAfterPass_ = false;
    PassResult lastPass_;
    std::optional<LogFile> logFile_;
    std::string logFileNotice_;
    // The daily schedule's memory: the local minute of the last tick that looked at the set
    // time, and the occurrence of the set time that last started a pass.
    std::optional<std::int64_t> lastDailyTick_;
    std::optional<std::int64_t> lastDailyPass_;
};

}  // namespace tarnwick
