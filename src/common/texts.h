#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every text the program shows its user: captions, tips, log lines, message boxes and the
// command line's messages. The window's texts are the program's own words in Chinese and must
// stay exactly as they are, full-width punctuation and spaces included.
namespace tarnwick::texts {

inline constexpr std::string_view kDisplayName = "Tarnwick";
inline constexpr std::string_view kWindowCaption = "Tarnwick2.0";

// ---- Captions of the main window, tab by tab ----
inline constexpr std::string_view kFoldersTab = " 指定需要备份的文件夹";
inline constexpr std::string_view kOptionsTab = " 设置备份选项和参数";

inline constexpr std::string_view kStartButton = "开始备份";
inline constexpr std::string_view kStopButton = "停止备份";
inline constexpr std::string_view kSaveButton = "保存任务";
inline constexpr std::string_view kHideButton = "隐  藏";  // two spaces
inline constexpr std::string_view kClearLogButton = "清除信息";
inline constexpr std::string_view kDestinationButton = "备份到>>";
inline constexpr std::string_view kWholePathBox = "使用完整路径保存备份";

inline constexpr std::string_view kChooseTaskButton = "选择任务>>";
inline constexpr std::string_view kSourceListLabel = "备份以下文件夹:";
inline constexpr std::string_view kAllSubfoldersBox = "加入指定文件夹下的所有子文件夹";
inline constexpr std::string_view kAddFolderButton = "增加文件夹";
inline constexpr std::string_view kRemoveFolderButton = "减除文件夹";
inline constexpr std::string_view kClearFoldersButton = "全部清除>>";

inline constexpr std::string_view kTypesFrame = "选定备份文件类型";
// The type modes' buttons, in the order of their modes.
inline constexpr std::string_view kTypeModeOptions[] = {"备份所有文件", "只备份以下类型文件",
                                                        "不备份以下类型文件"};
inline constexpr std::string_view kAddEntryButton = "+";
inline constexpr std::string_view kRemoveEntryButton = "-";

inline constexpr std::string_view kParametersFrame = "备份参数设置";
inline constexpr std::string_view kSubfoldersBox = "包含子文件夹";
inline constexpr std::string_view kSizeLimitBox = "仅备份长度小于";
inline constexpr std::string_view kSizeUnitLabel = "KB的文件.";
// The schedule modes' buttons, in the order of their modes.
inline constexpr std::string_view kScheduleModeOptions[] = {
    "在指定时间更新:", "按时间间隔更新:", "手动更新"};
inline constexpr std::string_view kHourLabel = "时";
inline constexpr std::string_view kMinuteLabel = "分";
inline constexpr std::string_view kNoCopyBox = "浏览但不备份文件,仅创建文件夹";

// The interval box's label names the minutes it takes: "分钟(1～180)".
std::string IntervalRangeCaption(int low, int high);

// ---- Notes and tips ----
inline constexpr std::string_view kUsageNote =
    "注意：当选择“使用完整路径保存备份”时：“c:\\abc\\def\\xyz”将完整地备份到“d:"
    "\\kro”下，复制结果为“d:"
    "\\kro\\abc\\def\\xyz”。             "
    "当不选择“使用完整路径保存备份”时：“c:\\abc\\def\\xyz”将只把文件"
    "夹xyz备份到“d:\\kro”下，复制结果为“d:\\kro\\xyz”";

inline constexpr std::string_view kTypeHint =
    "增加:[输入文件扩展名后,点击(+)按钮] 删除:[选择一条扩展名称后,点击(-)按钮]";
inline constexpr std::string_view kCheckAllSubTip =
    "当增加文件夹时,会把所选定的文件夹下的子文件夹加入到备份列表中";
inline constexpr std::string_view kList4Tip = "当文件类型名称首字符为'\\'时,表示不备份指定的文件夹";
// The hide button where no tray can bring a hidden window back.
inline constexpr std::string_view kMinimizeTip =
    "没有系统托盘：点击将最小化窗口（隐藏后无法从托盘恢复）";

// The log's lines before anything is logged.
inline constexpr std::string_view kDesignLines[] = {
    "不备份指定文件类型,请输入扩展名称: .bak",
    "不备份指定文件夹,请输入: \\bak",
    "-------------------------------------------------------------",
    "此软件用来自动备份内容有更改的文件,自我感觉比其他同步工具实用",
    "需要源码的朋友请扫描二维码",
};

// ---- The folder browsers and the task chooser ----
inline constexpr std::string_view kPickSourcePrompt = "请选择需要备份的文件夹：";
inline constexpr std::string_view kPickDestinationPrompt = "选择要保存到哪个文件夹：";
inline constexpr std::string_view kFolderBrowserCaption = "浏览文件夹";
inline constexpr std::string_view kTaskChooserCaption = "选择备份任务";
inline constexpr std::string_view kOkButton = "确定";
inline constexpr std::string_view kCancelButton = "取消";
inline constexpr std::string_view kCannotOpenText = "无法打开文件夹:";

// ---- Message boxes: a text and its title ----
struct Message {
    std::string_view text;
    std::string_view title;
};
inline constexpr Message kBlankFolder{"需要备份与存放备份的文件夹不能为空!", "无效的文件夹"};
inline constexpr Message kNotLocal{
    "出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!", "存放备份的文件夹无效"};
// These go before the value or path they are about.
inline constexpr Message kLineBreak{"文件夹名称和文件类型中不能含有换行符:", "无效的内容"};
inline constexpr Message kNotInCodePage{"以下内容含有系统代码页无法表示的字符，无法保存到任务文件:",
                                        "保存任务失败"};
inline constexpr std::string_view kSaveFailedTitle = kNotInCodePage.title;
inline constexpr std::string_view kReadFailedTitle = "读取任务失败";

// ---- Lines of the log ----
inline constexpr std::string_view kStartLine = "程序启动！";
inline constexpr std::string_view kLogFileFailedText = "无法写入日志文件:";
inline constexpr std::string_view kBusyRefusedLine = "正在备份，请等本次备份结束后再开始备份！";
inline constexpr std::string_view kBusyDialogRefusedLine = "正在备份，请等本次备份结束后再操作！";
// The first line of a pass ends in one ellipsis; the tray's tip while the pass scans, in two.
inline constexpr std::string_view kScanStartText = "正在扫描目标文件夹…";
inline constexpr std::string_view kBusyTip = "正在扫描目标文件夹……";
inline constexpr std::string_view kNothingUpdatedText = "目标文件没有更新！";
inline constexpr std::string_view kChangedDuringCopyText = "文件在复制时被修改";
// Goes before the target folder of a source folder.
inline constexpr std::string_view kFolderTargetText = "备份到:";

std::string UpdatedSummaryText(std::int64_t count, std::int64_t bytes);
std::string CopyFailureText(std::string_view path, std::string_view reason);
std::string FolderFailureText(std::string_view path, std::string_view reason);
std::string UnreadableFolderText(std::string_view path, std::string_view reason);
std::string UnreadableEntryText(std::string_view path, std::string_view reason);
std::string MissingSourceText(std::string_view path);
std::string FailedCopiesText(std::int64_t count);
std::string FailedFoldersText(std::int64_t count);
std::string InvalidSourceText(std::string_view entry);
std::string InvalidDestinationText(std::string_view destination);

// ---- The command line ----
inline constexpr std::string_view kCliUsage =
    "usage: tarnwick-cli show|save|run [--task FILE] [SETTING...]\n"
    "       tarnwick-cli --help | --version\n"
    "\n"
    "Loads the task file (FILE, or the default one) as the window does at start-up, then\n"
    "changes the window's controls as a user would, in order:\n"
    "  txtToFolder=TEXT, TextTask=TEXT, Text1=TEXT, Text3=TEXT ... Text7=TEXT   a text box\n"
    "  Check1=0|1, Check2=0|1, CheckFullFodler=0|1, CheckAllSub=0|1, CheckNoCopy=0|1\n"
    "  Option1=0|1|2 (daily, interval, by hand), Option2=0|1|2 (all, only, all but)\n"
    "  ListFromFolder+=PATH   add a source folder as the add-folder button does\n"
    "  List3+=TEXT, List4+=TEXT   add a file type as the \"+\" buttons do\n"
    "\n"
    "show  prints the window's state as NAME=VALUE lines\n"
    "save  saves the task as the save button does, then prints the state\n"
    "run   runs a backup pass as the start button does, printing each log line\n"
    "\n"
    "Control characters in names print as \\xNN.\n"
    "\n"
    "Exit: 0 done; 1 a copy, a folder or the task file failed; 2 usage, or run with a --task\n"
    "file that does not exist; 3 refused by a check; 128+N stopped by signal N (SIGINT,\n"
    "SIGTERM, SIGHUP), after the pass logged its summary.\n";
// The command line's errors: each goes before what it is about.
inline constexpr std::string_view kCliSeeHelp = " (see tarnwick-cli --help)";
inline constexpr std::string_view kCliNoCommand = "no command";
inline constexpr std::string_view kCliUnknownCommand = "unknown command: ";
inline constexpr std::string_view kCliTaskNeedsFile = "--task needs a file";
inline constexpr std::string_view kCliUnknownOption = "unknown option: ";
inline constexpr std::string_view kCliNoTaskFile = "no such task file: ";
inline constexpr std::string_view kCliSettingForm = "a setting is NAME=VALUE or LIST+=TEXT: ";
inline constexpr std::string_view kCliUnknownList = "unknown list: ";
inline constexpr std::string_view kCliUnknownSetting = "unknown setting: ";
inline constexpr std::string_view kCliCheckValues = " takes 0 or 1, not: ";
inline constexpr std::string_view kCliOptionValues = " takes 0, 1 or 2, not: ";

}  // namespace tarnwick::texts
