// Drives tarnwick.exe from another process, as a user would, and checks what its window shows:
// the controls and captions at start-up, the message boxes of the task commands, list editing,
// saving, a pass started, a pass stopped, the task chooser, the folder browser, hiding to the
// tray and coming back, a second start and closing.
//   gui_driver TARNWICK_EXE WORK_ROOT [--shots FOLDER]
// WORK_ROOT is an empty folder on a drive of its own (D:\ under Wine), where the program is copied
// and its tasks and trees are made. Ends with the line "N passed, N failed".
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver_support.h"
#include "view-win32/control_ids.h"

namespace tarnwick::driver {
namespace {

using Rows = std::vector<std::string>;

const std::string kNote =
    "注意：当选择“使用完整路径保存备份”时：“c:\\abc\\def\\xyz”将完整地备份到“d:"
    "\\kro”下，复制结果为“d:\\kro\\abc\\def\\xyz”。             当不选择“使用完整路径保存备份”"
    "时：“c:\\abc\\def\\xyz”将只把文件夹xyz备份到“d:\\kro”下，复制结果为“d:\\kro\\xyz”";
const Rows kDesignLines = {
    "不备份指定文件类型,请输入扩展名称: .bak",
    "不备份指定文件夹,请输入: \\bak",
    std::string(61, '-'),
    "此软件用来自动备份内容有更改的文件,自我感觉比其他同步工具实用",
    "需要源码的朋友请扫描二维码",
};
const std::string kBlankTitle = "无效的文件夹";
const std::string kBlankText = "需要备份与存放备份的文件夹不能为空!";
const std::string kNotLocalTitle = "存放备份的文件夹无效";
const std::string kNotLocalText = "出于安全上的考虑，存放备份的文件夹必须在本机磁盘上，请重新指定!";
const std::string kMainCaption = "Tarnwick2.0";
const std::string kChooserCaption = "选择备份任务";

// Checks, counted and reported as they fail.
class Report {
  public:
    void group(const std::string& name) {
        group_ = name;
        std::printf("== %s\n", name.c_str());
        std::fflush(stdout);
    }
    bool check(bool ok, const std::string& what, const std::string& detail = {}) {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::printf("FAILED [%s] %s%s%s\n", group_.c_str(), what.c_str(),
                        detail.empty() ? "" : ": ", detail.c_str());
            std::fflush(stdout);
        }
        return ok;
    }
    bool equal(const std::string& actual, const std::string& expected, const std::string& what) {
        return check(actual == expected, what,
                     "expected \"" + expected + "\", got \"" + actual + "\"");
    }
    bool equal(long actual, long expected, const std::string& what) {
        return check(actual == expected, what,
                     "expected " + std::to_string(expected) + ", got " + std::to_string(actual));
    }
    bool rows(const Rows& actual, const Rows& expected, const std::string& what) {
        std::string shown;
        for (const auto& row : actual) {
            shown += "\n    \"" + row + "\"";
        }
        return check(actual == expected, what,
                     "got " + std::to_string(actual.size()) + " rows:" + shown);
    }
    int failed() const { return failed_; }
    void close() const { std::printf("%d passed, %d failed\n", passed_, failed_); }

  private:
    std::string group_;
    int passed_ = 0;
    int failed_ = 0;
};

Report report;

// With a folder given (--shots), the driver stops at each named sight until the screenshot
// script has taken its picture: it writes NAME.ready there and waits for NAME.done.
std::string shotFolder;

void Shot(const std::string& name) {
    if (shotFolder.empty()) {
        return;
    }
    WriteFileBytes(shotFolder + "\\" + name + ".ready", name);
    WaitUntil([&] { return FileExists(shotFolder + "\\" + name + ".done"); }, 30000);
}

// A log line: the time of day as hh:mm:ss, four spaces, the text.
bool IsLogLine(const std::string& line, const std::string& text) {
    if (line.size() < 12 || line.substr(8, 4) != "    " || line.substr(12) != text) {
        return false;
    }
    for (int i : {0, 1, 3, 4, 6, 7}) {
        if (line[static_cast<std::size_t>(i)] < '0' || line[static_cast<std::size_t>(i)] > '9') {
            return false;
        }
    }
    return line[2] == ':' && line[5] == ':';
}

std::string LogText(const std::string& line) {
    return line.size() >= 12 ? line.substr(12) : line;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// tarnwick.exe copied into a folder of its own, running there.
class Program {
  public:
    Program(const std::string& exe, const std::string& folder, const std::string& workingFolder)
        : folder_(folder) {
        MakeFolders(folder);
        CopyFileW(Wide(exe).c_str(), Wide(path()).c_str(), FALSE);
        started_ = process_.start(path(), workingFolder.empty() ? folder : workingFolder);
    }

    std::string path() const { return folder_ + "\\tarnwick.exe"; }
    bool started() const { return started_; }
    Process& process() { return process_; }

    // The main window once it shows.
    HWND waitForWindow() {
        window_ = WaitForWindow(process_.id(), TARNWICK_MAIN_CLASS);
        return window_;
    }
    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    std::string text(int id) const { return Text(item(id)); }
    Rows rows(int id) const { return ListRows(item(id)); }
    Rows log() const { return rows(IDC_ListMessage); }

    // A command button clicked, and its handler run to its end.
    bool click(int id) { return Click(item(id)); }
    // Types into a text box.
    void type(int id, const std::string& text) { SetText(item(id), text); }

    // A click that opens a message box: the box, read and closed with its OK button.
    MessageBoxSeen clickForMessage(int id, const std::string& shot = {}) {
        ClickLater(item(id));
        MessageBoxSeen box = WaitForMessageBox(process_.id());
        if (box.box != nullptr) {
            if (!shot.empty()) {
                Shot(shot);
            }
            report.check(PressOk(box.box), "the message box closes with its OK button");
            Sync(window_);
        }
        return box;
    }

    // The window closed by its close box; the program's exit code.
    long close() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return process_.waitForExit();
    }

  private:
    std::string folder_;
    Process process_;
    bool started_ = false;
    HWND window_ = nullptr;
};

void CheckMessageBox(const MessageBoxSeen& box, const std::string& title, const std::string& text,
                     const std::string& what) {
    if (!report.check(box.box != nullptr, what + ": a message box shows")) {
        return;
    }
    report.equal(box.title, title, what + ": title");
    report.equal(box.text, text, what + ": text");
    report.equal(box.okText, "确定", what + ": its one button");
    report.check(box.informationIcon, what + ": the information icon");
}

std::string Ini(const std::vector<std::pair<std::string, Rows>>& sections) {
    std::string text;
    for (const auto& [name, lines] : sections) {
        text += "[" + name + "]\r\n";
        for (const auto& line : lines) {
            text += line + "\r\n";
        }
    }
    return text;
}

// ---- Start-up without a task file: every control as the form has it. ----

void CheckStartUpControls(Program& p, const std::string& folder) {
    report.equal(Text(p.window()), kMainCaption, "window caption");
    const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    RECT client = {};
    GetClientRect(p.window(), &client);
    report.equal(client.right, MulDiv(13635, dpi, 1440), "client width (909 at 96 dpi)");
    report.equal(client.bottom, MulDiv(11205, dpi, 1440), "client height (747 at 96 dpi)");
    if (dpi == 96) {
        const RECT start = PlaceInParent(p.item(IDC_UpdateButton));
        report.check(
            start.left == 792 && start.top == 8 && start.right == 901 && start.bottom == 72,
            "UpdateButton at 11880,120 twips, 1635 x 960");
        const RECT log = PlaceInParent(p.item(IDC_ListMessage));
        report.check(log.left == 8 && log.top == 352 && log.right == 901 && log.bottom == 688,
                     "ListMessage at 120,5280 twips, 13395 x 5040");
        const RECT destination = PlaceInParent(p.item(IDC_txtToFolder));
        report.check(destination.left == 114 && destination.top == 318, "txtToFolder at 1710,4770");
    }

    const struct {
        int id;
        const char* caption;
    } captions[] = {
        {IDC_UpdateButton, "开始备份"},
        {IDC_CommStop, "停止备份"},
        {IDC_SaveConfig, "保存任务"},
        {IDC_ButtonExit, "隐  藏"},
        {IDC_CommandClear, "清除信息"},
        {IDC_CommandToDir, "备份到>>"},
        {IDC_CheckFullFodler, "使用完整路径保存备份"},
        {IDC_SelTask, "选择任务>>"},
        {IDC_Label1, "备份以下文件夹:"},
        {IDC_CheckAllSub, "加入指定文件夹下的所有子文件夹"},
        {IDC_CommandNewDir, "增加文件夹"},
        {IDC_CommandDelDir, "减除文件夹"},
        {IDC_CommandClearDir, "全部清除>>"},
        {IDC_Frame2, "选定备份文件类型"},
        {IDC_Option2_0, "备份所有文件"},
        {IDC_Option2_1, "只备份以下类型文件"},
        {IDC_Option2_2, "不备份以下类型文件"},
        {IDC_Command4, "+"},
        {IDC_Command5, "-"},
        {IDC_Command6, "+"},
        {IDC_Command7, "-"},
        {IDC_Frame1, "备份参数设置"},
        {IDC_Check1, "包含子文件夹"},
        {IDC_Check2, "仅备份长度小于"},
        {IDC_Option1_0, "在指定时间更新:"},
        {IDC_Option1_1, "按时间间隔更新:"},
        {IDC_Option1_2, "手动更新"},
        {IDC_CheckNoCopy, "浏览但不备份文件,仅创建文件夹"},
        {IDC_LabDDir_4, "分钟(1～180)"},
        {IDC_LabDDir_5, "时"},
        {IDC_LabDDir_7, "分"},
        {IDC_LabDDir_8, "KB的文件."},
        {IDC_LabDDir_9,
         "增加:[输入文件扩展名后,点击(+)按钮] 删除:[选择一条扩展名称后,点击(-)按钮]"},
        {IDC_LabDDir_6, kNote.c_str()},
    };
    for (const auto& c : captions) {
        report.equal(p.text(c.id), c.caption, "caption of control " + std::to_string(c.id));
    }
    const struct {
        int id;
        const char* text;
    } texts[] = {{IDC_txtToFolder, "D:\\back"},
                 {IDC_Text3, "300"},
                 {IDC_Text4, "30"},
                 {IDC_Text5, "17"},
                 {IDC_Text6, "0"},
                 {IDC_Text1, ""},
                 {IDC_Text7, ""}};
    for (const auto& t : texts) {
        report.equal(p.text(t.id), t.text, "text of box " + std::to_string(t.id));
    }
    report.equal(p.text(IDC_TextTask), folder + "\\TarnwickConfig.ini",
                 "TextTask shows the task file beside the program");

    const struct {
        int id;
        int state;
    } checks[] = {{IDC_CheckFullFodler, BST_CHECKED}, {IDC_CheckAllSub, BST_UNCHECKED},
                  {IDC_Check1, BST_CHECKED},          {IDC_Check2, BST_UNCHECKED},
                  {IDC_CheckNoCopy, BST_UNCHECKED},   {IDC_Option1_0, BST_UNCHECKED},
                  {IDC_Option1_1, BST_UNCHECKED},     {IDC_Option1_2, BST_CHECKED},
                  {IDC_Option2_0, BST_CHECKED},       {IDC_Option2_1, BST_UNCHECKED},
                  {IDC_Option2_2, BST_UNCHECKED}};
    for (const auto& c : checks) {
        report.equal(CheckState(p.item(c.id)), c.state, "check state of " + std::to_string(c.id));
    }
    // The size limit takes no input while it is off; the schedule boxes keep their design state
    // until a mode is chosen.
    report.check(!Enabled(p.item(IDC_Text3)), "Text3 disabled while Check2 is clear");
    for (int id : {IDC_Text4, IDC_Text5, IDC_Text6}) {
        report.check(Enabled(p.item(id)), "box " + std::to_string(id) + " enabled");
    }

    Rows log = p.log();
    report.check(log.size() == 6, "the log: five design lines and the start line",
                 std::to_string(log.size()) + " lines");
    if (log.size() == 6) {
        report.rows(Rows(log.begin(), log.begin() + 5), kDesignLines, "the design lines");
        report.check(IsLogLine(log[5], "程序启动！"), "the start line last", log[5]);
    }
    const Rows folders = p.rows(IDC_ListFromFolder);
    report.check(folders.size() == 2 && folders[1] == "C:\\My Documents",
                 "the default source folders: the desktop and My Documents");
    report.rows(p.rows(IDC_List3), {".wps", ".doc", ".xls"}, "List3 defaults");
    report.rows(p.rows(IDC_List4), {".bak", ".tmp", ".swp"}, "List4 defaults");
    report.equal(ToolTipText(p.item(IDC_CheckAllSub)),
                 "当增加文件夹时,会把所选定的文件夹下的子文件夹加入到备份列表中",
                 "CheckAllSub's tooltip");
    report.equal(ToolTipText(p.item(IDC_List4)),
                 "当文件类型名称首字符为'\\'时,表示不备份指定的文件夹", "List4's tooltip");

    HWND tabs = p.item(IDC_SSTab1);
    report.equal(ClassName(tabs), "SysTabControl32", "SSTab1 is a tab control");
    report.equal(TabText(tabs, 0), " 指定需要备份的文件夹", "first tab caption");
    report.equal(TabText(tabs, 1), " 设置备份选项和参数", "second tab caption");
    report.equal(static_cast<long>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)), 0,
                 "the first tab shows");
    report.check(Visible(p.item(IDC_ListFromFolder)) && Visible(p.item(IDC_SelTask)),
                 "first tab's controls show");
    report.check(!Visible(p.item(IDC_List3)) && !Visible(p.item(IDC_Frame1)),
                 "second tab's controls hidden");
    report.check(Visible(p.item(IDC_Image1_0)) && !Visible(p.item(IDC_Image1_1)) &&
                     !Visible(p.item(IDC_Image1_2)),
                 "Image1(0) shows, the busy pictures do not");
    report.check(SendMessageW(p.item(IDC_Image1_0), STM_GETICON, 0, 0) != 0,
                 "Image1(0) holds the window's icon");

    Shot("main-window-first-tab");
    report.check(ClickTab(tabs, 1), "a click on the second tab");
    report.check(WaitUntil([&] { return Visible(p.item(IDC_List3)); }),
                 "second tab's controls show after its click");
    Shot("main-window-second-tab");
    report.check(!Visible(p.item(IDC_ListFromFolder)), "first tab's controls hidden then");
    report.equal(p.text(IDC_Text4), "30", "switching tabs changes no setting");
    ClickTab(tabs, 0);
    report.check(WaitUntil([&] { return Visible(p.item(IDC_ListFromFolder)); }),
                 "back on the first tab");
}

// ---- The two task commands' message boxes, on a window without a task file. ----

void CheckCommandMessages(Program& p, const std::string& taskFile) {
    const std::size_t logLines = p.log().size();
    p.type(IDC_txtToFolder, "   ");
    CheckMessageBox(p.clickForMessage(IDC_SaveConfig, "message-box-blank-folder"), kBlankTitle,
                    kBlankText, "save with a blank destination");
    report.equal(p.text(IDC_txtToFolder), "C:\\windows\\desktop",
                 "a blank destination is replaced before saving");
    report.check(!FileExists(taskFile), "nothing saved");

    p.type(IDC_txtToFolder, "");
    CheckMessageBox(p.clickForMessage(IDC_UpdateButton), kBlankTitle, kBlankText,
                    "start with a blank destination");
    report.equal(p.text(IDC_txtToFolder), "C:\\windows\\desktop",
                 "a blank destination is replaced before starting");
    report.equal(static_cast<long>(p.log().size()), static_cast<long>(logLines), "no pass started");

    p.type(IDC_txtToFolder, "\\\\server\\share");
    CheckMessageBox(p.clickForMessage(IDC_SaveConfig, "message-box-not-local"), kNotLocalTitle,
                    kNotLocalText, "save to a network path");
    report.equal(p.text(IDC_txtToFolder), "D:\\back", "a network destination is replaced");
    report.check(!FileExists(taskFile), "still nothing saved");
}

// ---- List editing and saving. ----

void CheckListEditing(Program& p) {
    ClickTab(p.item(IDC_SSTab1), 1);
    p.type(IDC_Text1, "  .doc  ");
    p.click(IDC_Command4);
    report.rows(p.rows(IDC_List3), {".wps", ".doc", ".xls", ".doc"}, "\"+\" adds the trimmed type");
    report.equal(p.text(IDC_Text1), "", "the entry box empties");
    p.type(IDC_Text1, "    ");
    p.click(IDC_Command4);
    report.equal(static_cast<long>(p.rows(IDC_List3).size()), 4, "blanks add nothing");
    SelectRow(p.item(IDC_List3), 0);
    p.click(IDC_Command5);
    report.rows(p.rows(IDC_List3), {".doc", ".xls", ".doc"}, "\"-\" removes the selected type");
    p.click(IDC_Command5);
    report.equal(static_cast<long>(p.rows(IDC_List3).size()), 3,
                 "\"-\" with nothing selected removes nothing");

    p.type(IDC_Text7, "\\bak");
    p.click(IDC_Command6);
    SelectRow(p.item(IDC_List4), 1);
    p.click(IDC_Command7);
    report.rows(p.rows(IDC_List4), {".bak", ".swp", "\\bak"}, "List4 edited by its + and -");

    // The schedule's option buttons enable their boxes.
    p.click(IDC_Option1_1);
    report.check(CheckState(p.item(IDC_Option1_1)) == BST_CHECKED &&
                     CheckState(p.item(IDC_Option1_2)) == BST_UNCHECKED,
                 "interval mode selected, by hand no longer");
    report.check(Enabled(p.item(IDC_Text4)) && !Enabled(p.item(IDC_Text5)),
                 "interval mode enables Text4 only");
    p.click(IDC_Check2);
    report.check(Enabled(p.item(IDC_Text3)), "Check2 enables the size limit");
    p.click(IDC_Check1);
    report.equal(CheckState(p.item(IDC_Check1)), BST_UNCHECKED, "Check1 cleared by a click");
    p.click(IDC_Option2_2);
    report.check(CheckState(p.item(IDC_Option2_2)) == BST_CHECKED &&
                     CheckState(p.item(IDC_Option2_0)) == BST_UNCHECKED,
                 "type mode: all but List4's");
    p.type(IDC_Text4, "45");
    ClickTab(p.item(IDC_SSTab1), 0);

    SelectRow(p.item(IDC_ListFromFolder), 0);
    p.click(IDC_CommandDelDir);
    report.rows(p.rows(IDC_ListFromFolder), {"C:\\My Documents"},
                "the selected source folder removed");
    p.click(IDC_CommandClear);
    report.equal(static_cast<long>(p.log().size()), 0, "清除信息 empties the log");
}

void CheckSave(Program& p, const std::string& taskFile) {
    p.type(IDC_txtToFolder, "D:\\saved");
    p.click(IDC_SaveConfig);
    const std::string saved = ReadFileBytes(taskFile);
    report.check(!saved.empty(), "the task file is written", taskFile);
    for (const char* line :
         {"DDir=D:\\saved", "TimeOut=45", "TimePoint=1", "IncludeSubDir=0", "LimitSize=1",
          "FileExtIndex=2", "Dir1=C:\\My Documents", "[FileExtNo]", "FileExt3=\\bak"}) {
        report.check(saved.find(std::string(line) + "\r\n") != std::string::npos,
                     std::string("saved: ") + line);
    }
}

// ---- The folder browser. ----

// The shell's folder dialog of the program, with its prompt.
HWND WaitForFolderDialog(Program& p, const std::string& prompt) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND dialog : TopWindows(p.process().id(), "#32770")) {
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (ClassName(child) == "Static" && Text(child) == prompt) {
                    found = dialog;
                    return true;
                }
            }
        }
        return false;
    });
    return found;
}

// The dialog's status line (the static control that shows the selected folder's path).
bool DialogShowsText(HWND dialog, const std::string& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (Text(child) == text) {
            return true;
        }
    }
    return false;
}

// Selects a folder in the open dialog as the user would by clicking through its tree.
void SelectFolderInDialog(DWORD process, HWND dialog, const std::string& folder) {
    const std::wstring path = Wide(folder);
    RemoteMemory memory(process, (path.size() + 1) * sizeof(wchar_t));
    memory.write(path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, BFFM_SETSELECTIONW, TRUE, memory.address(), SMTO_NORMAL, kWaitMs,
                        &result);
}

void CheckFolderBrowser(Program& p, const std::string& root) {
    MakeFolders(root + "\\dest");
    MakeFolders(root + "\\src");
    ClickLater(p.item(IDC_CommandToDir));
    HWND dialog = WaitForFolderDialog(p, "选择要保存到哪个文件夹：");
    if (!report.check(dialog != nullptr, "备份到>> opens the folder browser with its prompt")) {
        return;
    }
    SelectFolderInDialog(p.process().id(), dialog, root + "\\dest");
    report.check(WaitUntil([&] { return DialogShowsText(dialog, root + "\\dest"); }, 5000),
                 "the status line shows the selected folder");
    Shot("folder-browser");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    report.check(WaitUntil([&] { return p.text(IDC_txtToFolder) == root + "\\dest"; }),
                 "the chosen folder becomes the destination", p.text(IDC_txtToFolder));
    const Rows log = p.log();
    report.check(!log.empty() && IsLogLine(log.back(), "备份到:" + root + "\\dest\\My Documents"),
                 "each source folder's new target logged",
                 log.empty() ? std::string("empty log") : log.back());

    // The next browse opens where the last one ended; a cancel adds nothing.
    ClickLater(p.item(IDC_CommandNewDir));
    dialog = WaitForFolderDialog(p, "请选择需要备份的文件夹：");
    if (!report.check(dialog != nullptr, "增加文件夹 opens the folder browser with its prompt")) {
        return;
    }
    report.check(WaitUntil([&] { return DialogShowsText(dialog, root + "\\dest"); }, 5000),
                 "it opens on the folder chosen last");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return IsWindow(dialog) == FALSE; });
    Sync(p.window());
    report.rows(p.rows(IDC_ListFromFolder), {"C:\\My Documents"},
                "a cancelled browse adds nothing");

    ClickLater(p.item(IDC_CommandNewDir));
    dialog = WaitForFolderDialog(p, "请选择需要备份的文件夹：");
    if (dialog != nullptr) {
        SelectFolderInDialog(p.process().id(), dialog, root + "\\src");
        WaitUntil([&] { return DialogShowsText(dialog, root + "\\src"); }, 5000);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    report.check(WaitUntil([&] { return p.rows(IDC_ListFromFolder).size() == 2; }),
                 "a chosen folder is added to the source list");
    report.rows(p.rows(IDC_ListFromFolder), {"C:\\My Documents", root + "\\src"},
                "the source list after adding");
}

// ---- Hiding, the tray icon, a second start, closing. ----

void CheckTrayAndInstances(Program& p, const std::string& exe, std::size_t traysBefore) {
    const auto icons = TrayIcons();
    if (!report.equal(static_cast<long>(icons.size()), static_cast<long>(traysBefore + 1),
                      "one tray icon added")) {
        return;
    }
    HWND icon = icons.back();
    report.equal(ToolTipText(icon), "Tarnwick", "the tray tip");

    p.click(IDC_ButtonExit);
    report.check(WaitUntil([&] { return IsWindowVisible(p.window()) == FALSE; }),
                 "隐  藏 hides the window");
    // What does not restore: a press alone, a move, a right click over the icon.
    for (const int mouse : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP}) {
        PostMessageW(p.window(), WM_LBUTTONDOWN, 1, MAKELPARAM(mouse, 0));
    }
    Sync(p.window());
    report.check(IsWindowVisible(p.window()) == FALSE,
                 "pressing, moving and right-clicking over the icon do not restore");
    ClickTrayIcon(icon);
    report.check(WaitUntil([&] { return IsWindowVisible(p.window()) != FALSE; }),
                 "a left click on the tray icon restores the window");

    // A second start ends at once and brings the running window back.
    p.click(IDC_ButtonExit);
    WaitUntil([&] { return IsWindowVisible(p.window()) == FALSE; });
    Process second;
    report.check(second.start(exe, "D:\\"), "a second copy starts");
    report.equal(second.waitForExit(), 0, "the second copy ends by itself");
    report.check(WaitUntil([&] { return IsWindowVisible(p.window()) != FALSE; }),
                 "the running copy's window shows again");
    report.equal(static_cast<long>(TrayIcons().size()), static_cast<long>(traysBefore + 1),
                 "no second tray icon");
    report.equal(static_cast<long>(AllTopWindows(TARNWICK_MAIN_CLASS).size()), 1,
                 "no second main window");

    report.equal(p.close(), 0, "closing ends the program");
    report.check(WaitUntil([&] { return TrayIcons().size() == traysBefore; }),
                 "closing removes the tray icon");
}

void FirstStart(const std::string& exe, const std::string& root) {
    report.group("start-up without a task file");
    const std::string folder = root + "\\first";
    const std::size_t traysBefore = TrayIcons().size();
    Program p(exe, folder, {});
    if (!report.check(p.started(), "tarnwick.exe starts") ||
        !report.check(p.waitForWindow() != nullptr, "its main window shows")) {
        return;
    }
    CheckStartUpControls(p, folder);
    report.group("message boxes of the task commands");
    CheckCommandMessages(p, folder + "\\TarnwickConfig.ini");
    report.group("list editing and saving");
    CheckListEditing(p);
    CheckSave(p, folder + "\\TarnwickConfig.ini");
    report.group("folder browser");
    CheckFolderBrowser(p, root);
    report.group("hide, tray, second start, close");
    CheckTrayAndInstances(p, folder + "\\tarnwick.exe", traysBefore);
}

// ---- A task in interval mode: the start-up pass, start, stop, the chooser, a close. ----

// Source files, each of the same few bytes.
void MakeTree(const std::string& folder, int count) {
    MakeFolders(folder);
    for (int i = 0; i < count; ++i) {
        WriteFileBytes(folder + "\\f" + std::to_string(i) + ".txt", "data\r\n");
    }
}

bool PassRunning(Program& p) {
    return !Visible(p.item(IDC_ButtonExit));
}

void CheckStartUpPass(Program& p, const std::string& source) {
    const Rows log = p.log();
    report.check(log.size() >= 6, "the start-up pass logged its lines before the window showed",
                 std::to_string(log.size()) + " lines");
    if (log.size() < 6) {
        return;
    }
    report.check(IsLogLine(log[0], "更新了 3 个文件(18)！"), "the pass's summary first", log[0]);
    report.check(IsLogLine(log[1], source + "\\f2.txt") || IsLogLine(log[1], source + "\\f1.txt") ||
                     IsLogLine(log[1], source + "\\f0.txt"),
                 "then the files it copied", log[1]);
    report.check(IsLogLine(log[log.size() - 2], "备份到:D:\\task-back\\src"),
                 "the loaded task's folder line", log[log.size() - 2]);
    report.check(IsLogLine(log.back(), "程序启动！"), "the start line last", log.back());
    report.equal(CountFiles("D:\\task-back\\src"), 3, "the files are in the destination");
    report.equal(p.text(IDC_Text4), "30", "Text4 shows the loaded interval");
    report.equal(CheckState(p.item(IDC_Option1_1)), BST_CHECKED, "interval mode loaded");
    report.check(Enabled(p.item(IDC_Text4)), "Text4 enabled in interval mode");
    report.check(Visible(p.item(IDC_ButtonExit)) && Visible(p.item(IDC_Image1_0)),
                 "after the pass the hide button and Image1(0) show again");
    report.equal(p.text(IDC_LabDDir_6), "", "the pass leaves the note label empty");
    Shot("main-window-after-start-up-pass");
    ClickLabel(p.item(IDC_LabDDir_6));
    report.equal(p.text(IDC_LabDDir_6), kNote, "a click on the label puts the note back");
    const auto icons = TrayIcons();
    report.check(!icons.empty() && ToolTipText(icons.back()) == "Tarnwick",
                 "the tip reads Tarnwick after the pass");
}

void CheckStartAndStop(Program& p, const std::string& source) {
    WriteFileBytes(source + "\\new.txt", "new\r\n");
    report.check(p.click(IDC_UpdateButton), "开始备份 runs a pass");
    const Rows log = p.log();
    report.check(!log.empty() && IsLogLine(log[0], "更新了 1 个文件(5)！"),
                 "the pass copies the one new file", log.empty() ? "" : log[0]);
    report.check(FileExists("D:\\task-back\\src\\new.txt"), "the new file is copied");

    // A pass long enough to be stopped: many small files in a second source folder.
    MakeTree(source + "\\many", 3000);
    const auto icons = TrayIcons();
    ClickLater(p.item(IDC_UpdateButton));
    if (!report.check(WaitUntil([&] { return PassRunning(p); }), "a pass runs")) {
        return;
    }
    bool busyPicture = false;
    std::string busyTip;
    WaitUntil(
        [&] {
            busyPicture = Visible(p.item(IDC_Image1_1)) || Visible(p.item(IDC_Image1_2));
            busyTip = icons.empty() ? std::string() : ToolTipText(icons.back());
            return (busyPicture && busyTip == "正在扫描目标文件夹……") || !PassRunning(p);
        },
        5000);
    report.check(busyPicture, "a busy picture shows while the pass runs");
    report.equal(busyTip, "正在扫描目标文件夹……", "the busy tray tip");
    report.check(!Visible(p.item(IDC_Image1_0)), "Image1(0) hidden while the pass runs");
    report.check(p.click(IDC_CommStop), "停止备份 is handled during the pass");
    report.check(WaitUntil([&] { return !PassRunning(p); }), "the pass ends after the stop");
    const int copied = CountFiles("D:\\task-back\\src\\many");
    report.check(copied < 3000, "the stopped pass left files uncopied",
                 std::to_string(copied) + " copied");
    const Rows after = p.log();
    report.check(!after.empty() && StartsWith(LogText(after[0]), "更新了 "),
                 "the stopped pass ends with its summary", after.empty() ? "" : after[0]);
}

void CheckChooser(Program& p, const std::string& tasks) {
    ClickLater(p.item(IDC_SelTask));
    HWND dialog = WaitForWindow(p.process().id(), "#32770", kChooserCaption);
    if (!report.check(dialog != nullptr, "选择任务>> opens the task chooser")) {
        return;
    }
    RECT client = {};
    GetClientRect(dialog, &client);
    report.check(client.right == MulDiv(6870, 96, 1440) && client.bottom == MulDiv(5640, 96, 1440),
                 "the chooser's client area is 6870 x 5640 twips",
                 std::to_string(client.right) + " x " + std::to_string(client.bottom));
    HWND drives = GetDlgItem(dialog, IDC_Drive1);
    HWND folders = GetDlgItem(dialog, IDC_Dir1);
    HWND files = GetDlgItem(dialog, IDC_File1);
    const RECT filesPlace = PlaceInParent(files);
    report.check(filesPlace.left == 288 && filesPlace.top == 0 && filesPlace.right == 457 &&
                     filesPlace.bottom == 306,
                 "File1 at 4320,0 twips, 2535 x 4590");
    const Rows driveRows = ComboRows(drives);
    const int drive = ComboSelection(drives);
    std::string shownRows;
    for (const auto& row : driveRows) {
        shownRows += " \"" + row + "\"";
    }
    report.check(drive >= 0 && drive < static_cast<int>(driveRows.size()) &&
                     driveRows[static_cast<std::size_t>(drive)] == "D:\\",
                 "Drive1 shows the current drive",
                 "row " + std::to_string(drive) + " of" + shownRows);
    const Rows folderRows = ListRows(folders);
    report.check(folderRows.size() >= 3 && folderRows[0] == "D:\\" &&
                     folderRows[1] == "D:\\tasks" && folderRows[2] == "D:\\tasks\\sub",
                 "Dir1 shows the current folder below its root");
    report.rows(ListRows(files), {"a.ini", "b.ini"}, "File1 lists the folder's *.ini files");
    report.equal(Text(GetDlgItem(dialog, IDC_OKButton)), "确定", "OK caption");
    report.equal(Text(GetDlgItem(dialog, IDC_CancelButton)), "取消", "Cancel caption");
    Shot("task-chooser");

    // Cancel changes nothing.
    const std::string taskBefore = p.text(IDC_TextTask);
    ClickLater(GetDlgItem(dialog, IDC_CancelButton));
    report.check(WaitUntil([&] { return IsWindow(dialog) == FALSE; }), "Cancel closes it");
    report.equal(p.text(IDC_TextTask), taskBefore, "Cancel leaves the task path");
    report.equal(p.text(IDC_Text4), "30", "Cancel leaves the interval");

    // A folder opened by a double click; then a file chosen with OK, which ticks again the
    // subfolder box cleared here.
    p.click(IDC_Check1);
    report.equal(CheckState(p.item(IDC_Check1)), BST_UNCHECKED, "Check1 cleared before loading");
    ClickLater(p.item(IDC_SelTask));
    dialog = WaitForWindow(p.process().id(), "#32770", kChooserCaption);
    if (!report.check(dialog != nullptr, "the chooser opens again")) {
        return;
    }
    folders = GetDlgItem(dialog, IDC_Dir1);
    files = GetDlgItem(dialog, IDC_File1);
    const Rows again = ListRows(folders);
    report.check(again.size() >= 3 && again[2] == "D:\\tasks\\sub",
                 "it opens on the process's current folder");
    SelectRow(folders, 2, true);
    report.check(WaitUntil([&] { return ListRows(files) == Rows{"c.ini"}; }),
                 "a double click on a folder lists its task files");
    SelectRow(files, 0);
    ClickLater(GetDlgItem(dialog, IDC_OKButton));
    report.check(WaitUntil([&] { return IsWindow(dialog) == FALSE; }), "OK closes it");
    Sync(p.window());
    report.equal(p.text(IDC_TextTask), tasks + "\\sub\\c.ini", "OK makes the file the task");
    report.equal(p.text(IDC_Text4), "60", "OK loads its interval into Text4");
    report.equal(p.text(IDC_txtToFolder), "D:\\chosen", "OK loads its destination");
    report.equal(CheckState(p.item(IDC_Check1)), BST_CHECKED,
                 "OK loads its subfolder choice (IncludeSubDir=1)");
}

void CheckCloseDuringPass(Program& p, std::size_t traysBefore) {
    p.type(IDC_txtToFolder, "D:\\task-back2");
    ClickLater(p.item(IDC_UpdateButton));
    report.check(WaitUntil([&] { return PassRunning(p); }), "a long pass runs");
    report.equal(p.close(), 0, "closing during a pass ends the program once the pass stops");
    report.check(WaitUntil([&] { return TrayIcons().size() == traysBefore; }),
                 "and removes the tray icon");
    report.check(CountFiles("D:\\task-back2") < 3004, "the pass stopped before its end");
}

void IntervalTask(const std::string& exe, const std::string& root) {
    report.group("start-up pass in interval mode");
    const std::string folder = root + "\\task";
    const std::string source = root + "\\src";
    MakeFolders(folder);
    MakeTree(source, 3);
    WriteFileBytes(folder + "\\TarnwickConfig.ini",
                   Ini({{"DirList", {"Count=1", "Dir1=" + source}},
                        {"Comm",
                         {"DDir=D:\\task-back", "TimeOut=30", "TimePoint=1", "ByWholeDir=0",
                          "IncludeSubDir=1", "FileExtIndex=0"}}}));
    // The chooser's folder, the process's current folder.
    const std::string tasks = root + "\\tasks";
    MakeFolders(tasks + "\\sub");
    WriteFileBytes(tasks + "\\a.ini", Ini({{"Comm", {"TimeOut=10"}}}));
    WriteFileBytes(tasks + "\\b.ini", Ini({{"Comm", {"TimeOut=20"}}}));
    WriteFileBytes(tasks + "\\notes.txt", "not a task\r\n");
    WriteFileBytes(
        tasks + "\\sub\\c.ini",
        Ini({{"DirList", {"Count=1", "Dir1=" + source}},
             {"Comm", {"DDir=D:\\chosen", "TimeOut=60", "TimePoint=1", "IncludeSubDir=1"}}}));

    const std::size_t traysBefore = TrayIcons().size();
    Program p(exe, folder, tasks);
    if (!report.check(p.started(), "tarnwick.exe starts") ||
        !report.check(p.waitForWindow() != nullptr, "its main window shows")) {
        return;
    }
    CheckStartUpPass(p, source);
    report.group("start and stop");
    CheckStartAndStop(p, source);
    report.group("task chooser");
    CheckChooser(p, tasks);
    report.group("close during a pass");
    CheckCloseDuringPass(p, traysBefore);
}

// ---- Any code page: the captions read through the wide entry point, the log in the code page.
// ----

void CheckCodePageTexts(const std::string& exe, const std::string& root) {
    report.group("texts under code page " + std::to_string(GetACP()));
    Program p(exe, root + "\\code-page", {});
    if (!report.check(p.started() && p.waitForWindow() != nullptr, "the main window shows")) {
        return;
    }
    const std::pair<int, std::string> captions[] = {{IDC_UpdateButton, "开始备份"},
                                                    {IDC_Frame1, "备份参数设置"},
                                                    {IDC_LabDDir_4, "分钟(1～180)"}};
    for (const auto& [id, caption] : captions) {
        wchar_t text[64] = {};
        GetWindowTextW(p.item(id), text, 64);
        report.equal(Utf8(text), caption, "GetWindowTextW reads " + caption);
    }
    report.equal(TabText(p.item(IDC_SSTab1), 0), " 指定需要备份的文件夹", "the first tab");
    report.equal(ToolTipText(p.item(IDC_List4)),
                 "当文件类型名称首字符为'\\'时,表示不备份指定的文件夹", "a tooltip");
    p.type(IDC_txtToFolder, "");
    const MessageBoxSeen box = p.clickForMessage(IDC_UpdateButton);
    report.equal(box.title + box.text, kBlankTitle + kBlankText, "a message box");
    report.equal(p.close(), 0, "closing ends the program");
}

}  // namespace
}  // namespace tarnwick::driver

int main(int argc, char** argv) {
    using namespace tarnwick::driver;
    const bool textsOnly = argc == 4 && std::string(argv[3]) == "--texts";
    if (argc != 3 && !textsOnly && !(argc == 5 && std::string(argv[3]) == "--shots")) {
        std::fprintf(stderr,
                     "usage: gui_driver TARNWICK_EXE WORK_ROOT [--shots FOLDER | --texts]\n");
        return 2;
    }
    const std::string exe = argv[1];
    const std::string root = argv[2];
    if (argc == 5) {
        shotFolder = argv[4];
    }
    if (!textsOnly) {
        FirstStart(exe, root);
        IntervalTask(exe, root);
    }
    CheckCodePageTexts(exe, root);
    report.close();
    return report.failed() == 0 ? 0 : 1;
}
