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
    Captioned SSTab1Tab0{" 指定需要备份的文件夹"};
    Captioned SSTab1Tab1{" 设置备份选项和参数"};

    Button UpdateButton{"开始备份"};
    Button CommStop{"停止备份"};
    Button SaveConfig{"保存任务"};
    Button ButtonExit{"隐  藏"};
    Button CommandClear{"清除信息"};
    Button CommandToDir{"备份到>>"};
    TextBox txtToFolder;
    CheckBox CheckFullFodler{"使用完整路径保存备份", 1};
    Timer Timer1{60000};
    ListBox ListMessage;
    std::array<Image, 3> Image1{Image(), Image("busy1"), Image("busy2")};
    std::array<Label, 10> LabDDir;

    // First tab: the folders to back up.
    Button SelTask{"选择任务>>"};
    TextBox TextTask;
    Label Label1{"备份以下文件夹:"};
    CheckBox CheckAllSub{"加入指定文件夹下的所有子文件夹", 0};
    ListBox ListFromFolder;
    Button CommandNewDir{"增加文件夹"};
    Button CommandDelDir{"减除文件夹"};
    Button CommandClearDir{"全部清除>>"};

    // Second tab: file types, backup parameters and schedule.
    Captioned Frame2{"选定备份文件类型"};
    std::array<OptionButton, 3> Option2{OptionButton("备份所有文件"),
                                        OptionButton("只备份以下类型文件"),
                                        OptionButton("不备份以下类型文件")};
    ListBox List3;
    ListBox List4;
    TextBox Text1;
    TextBox Text7;
    Button Command4{"+"};
    Button Command5{"-"};
    Button Command6{"+"};
    Button Command7{"-"};
    Image ImageQRCode{"qrcode"};

    Captioned Frame1{"备份参数设置"};
    CheckBox Check1{"包含子文件夹", 1};
    CheckBox Check2{"仅备份长度小于", 0};
    TextBox Text3{FormatNumber(task_keys::kSizeLimit.fallback)};
    std::array<OptionButton, 3> Option1{OptionButton("在指定时间更新:"),
                                        OptionButton("按时间间隔更新:"), OptionButton("手动更新")};
    TextBox Text5{FormatNumber(task_keys::kHour.fallback)};
    TextBox Text6{FormatNumber(task_keys::kMinute.fallback)};
    TextBox Text4{FormatNumber(task_keys::kInterval.fallback)};
    CheckBox CheckNoCopy{"浏览但不备份文件,仅创建文件夹", 0};

    // ---- Fields of the window ----
    std::string IniPath;
    std::int32_t IntervalMinutes = static_cast<std::int32_t>(task_keys::kInterval.fallback);
    std::int32_t MinuteCounter = 0;
    bool BackupBusy = false;
    bool StopBackup = false;
    int AnimFrame = 0;
    std::string LastFolder;
    TypeFilter Filter;  // ExtMode, OnlyExtList/Count and SkipExtList/Count

    // The option button of a schedule mode.
    OptionButton& Option1Of(ScheduleMode mode) { return Option1[static_cast<std::size_t>(mode)]; }

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
    void clickOption1(int index);
    void selectOption2(int index);

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
    void selectOption1(int index);
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
    void log(std::string_view text, void (ListBox::*put)(std::string));
    void showFromTray();
    void describeHideButton(bool trayAvailable);

    FormPlatform& platform_;
    FileSystem& fs_;
    Clock& clock_;
    HostDefaults defaults_;
    std::string caption_ = "Tarnwick2.0";
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
