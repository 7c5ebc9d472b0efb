#pragma once

#include <string_view>

// The texts the main window and its messages show.
namespace tarnwick::texts {

inline constexpr std::string_view kDisplayName = "Tarnwick";
inline constexpr std::string_view kBusyTip = "正在扫描目标文件夹……";
inline constexpr std::string_view kStartLine = "程序启动！";

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

inline constexpr std::string_view kPickSourcePrompt = "请选择需要备份的文件夹：";
inline constexpr std::string_view kPickDestinationPrompt = "选择要保存到哪个文件夹：";

// Message boxes: text and title.
inline constexpr std::string_view kBlankFolderText = "需要备份与存放备份的文件夹不能为空!";
inline constexpr std::string_view kBlankFolderTitle = "无效的文件夹";
inline constexpr std::string_view kNotLocalText =
    "出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!";
inline constexpr std::string_view kNotLocalTitle = "存放备份的文件夹无效";
inline constexpr std::string_view kSaveFailedTitle = "保存任务失败";
inline constexpr std::string_view kLineBreakTitle = "无效的内容";
inline constexpr std::string_view kLineBreakText = "文件夹名称和文件类型中不能含有换行符:";
inline constexpr std::string_view kNotInCodePageText =
    "以下内容含有系统代码页无法表示的字符，无法保存到任务文件:";
inline constexpr std::string_view kReadFailedTitle = "读取任务失败";
inline constexpr std::string_view kLogFileFailedText = "无法写入日志文件:";
inline constexpr std::string_view kBusyRefusedLine = "正在备份，请等本次备份结束后再开始备份！";
inline constexpr std::string_view kBusyDialogRefusedLine = "正在备份，请等本次备份结束后再操作！";

}  // namespace tarnwick::texts
