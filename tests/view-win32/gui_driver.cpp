// Drives tarnwick.exe from another process, as a user would, and checks only what the Win32 view
// can get wrong: its controls showing a fresh model's texts under both code pages, each control's
// event reaching the model, the log and pictures during a pass, a message box, the tray, a second
// start, the task chooser and closing during a pass. What the handlers do is the model tests' job.
//   gui_driver TARNWICK_EXE WORK_ROOT [--shots FOLDER]
// WORK_ROOT is an empty folder on a drive of its own (D:\ under Wine), where the program is copied
// and its tasks and trees are made. Ends with the line "N passed, N failed".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/texts.h"
#include "driver_support.h"
#include "support/bound_control.h"
#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_platform.h"
#include "ui/form_layout.h"
#include "ui/frm_main.h"
#include "view-win32/control_id.h"
#include "view-win32/control_ids.h"

namespace tarnwick::driver {
namespace {

namespace fs = std::filesystem;
using std::string;

int passed = 0, failed = 0;
string group;
// With a folder given (--shots), the driver stops at each named sight until the screenshot
// script has taken its picture: it writes NAME.ready there and waits for NAME.done.
string shotFolder;

bool Check(bool ok, const string& what, const string& detail = {}) {
    ok ? ++passed : ++failed;
    if (!ok) {
        std::printf("FAILED [%s] %s%s%s\n", group.c_str(), what.c_str(), detail.empty() ? "" : ": ",
                    detail.c_str());
    }
    return ok;
}

bool Equal(const string& actual, const string& expected, const string& what) {
    return Check(actual == expected, what, "expected \"" + expected + "\", got \"" + actual + "\"");
}

void Group(const string& name) {
    group = name;
    std::printf("== %s\n", name.c_str());
    std::fflush(stdout);
}

void Shot(const string& name) {
    if (!shotFolder.empty()) {
        std::ofstream(shotFolder + "\\" + name + ".ready") << name;
        WaitUntil([&] { return fs::exists(shotFolder + "\\" + name + ".done"); }, 30000);
    }
}

string Joined(const std::vector<string>& rows) {
    string text;
    for (const auto& row : rows) {
        text += (text.empty() ? "" : "|") + row;
    }
    return text;
}

// A log line's text, after its time ("hh:mm:ss" and four spaces).
string LogText(const string& line) {
    return line.substr(std::min<std::size_t>(line.size(), 12));
}

void WriteFile(const string& path, const string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

string ReadFile(const string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// A click that returns at once (for one that opens a modal box).
void ClickLater(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// What a step of a table does with a control of the main window, or checks on it.
enum class Op { Type, Click, Select, Tab, Text, Rows, State, Enabled, Visible, Box };
struct Step {
    Op op;
    int id;
    string value = {};
};

// tarnwick.exe copied into a folder of its own, running there.
struct Program {
    Program(const string& exe, const string& folder, const string& workingFolder) {
        fs::create_directories(folder);
        std::error_code error;
        fs::copy_file(exe, folder + "\\tarnwick.exe", fs::copy_options::overwrite_existing, error);
        Check(process.start(folder + "\\tarnwick.exe",
                            workingFolder.empty() ? folder : workingFolder),
              "tarnwick.exe starts");
        window = WaitForWindow(process.id(), TARNWICK_MAIN_CLASS);
        Check(window != nullptr, "its main window shows");
    }

    HWND item(int id) const { return GetDlgItem(window, id); }
    std::vector<string> log() const { return Rows(item(IDC_ListMessage)); }
    bool busy() const { return !Visible(item(IDC_ButtonExit)); }

    // Runs a table of steps, each check reported with the step's place in its table.
    void run(std::initializer_list<Step> steps) {
        int number = 0;
        for (const auto& [op, id, value] : steps) {
            const string what =
                "step " + std::to_string(++number) + " (control " + std::to_string(id) + ")";
            HWND control = item(id);
            // clang-format off
            switch (op) {
                case Op::Type: SetText(control, value); break;
                case Op::Click: Check(Send(control, BM_CLICK) != -1, what); break;
                case Op::Select: SelectRow(control, std::stoi(value)); break;
                case Op::Tab:  // the page shows once a control of it does
                    Check(ClickTab(control, std::stoi(value)) && WaitUntil([&] {
                        return Visible(item(value == "0" ? IDC_ListFromFolder : IDC_List3));
                    }), what);
                    break;
                case Op::Text: Equal(Text(control), value, what); break;
                case Op::Rows: Equal(Joined(Rows(control)), value, what); break;
                case Op::State: Equal(std::to_string(Send(control, BM_GETCHECK)), value, what); break;
                case Op::Enabled: Equal(IsWindowEnabled(control) ? "1" : "0", value, what); break;
                case Op::Visible: Equal(Visible(control) ? "1" : "0", value, what); break;
                // clang-format on
                case Op::Box: {  // a click that opens a message box "title|text", closed with OK
                    ClickLater(control);
                    HWND box = WaitForWindow(process.id(), "#32770");
                    if (Check(box != nullptr, what + " opens a message box")) {
                        // A box shows before its last child has its text: wait for the button's.
                        WaitUntil([&] { return !Text(GetDlgItem(box, IDOK)).empty(); });
                        Equal(Text(box) + "|" + Text(GetDlgItem(box, 0xFFFF)), value, what);
                        static int boxes = 0;
                        Shot("message-box-" + std::to_string(++boxes));
                        Check(PressOk(box), what + " message box closes with OK");
                        Send(window, WM_NULL);
                    }
                    break;
                }
            }
        }
    }

    // The window closed by its close box; the program's exit code.
    long close() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return process.waitForExit();
    }

    Process process;
    HWND window = nullptr;
};

// ---- Start-up without a task file: texts, tabs, a message box; events; the tray. ----

// Under any code page a fresh start shows what a fresh model holds: the window's and the tabs'
// captions, and each control's caption, tip, check and whether it is enabled or hidden.
void CheckTexts(Program& p) {
    test::RecordingPlatform platform;
    test::MemoryFileSystem fs(PathStyle::Windows);
    test::FakeClock clock;
    HostDefaults defaults;
    defaults.style = PathStyle::Windows;
    defaults.taskFile = "C:\\none.ini";
    FrmMain model(platform, fs, clock, defaults);
    model.ResetTask();
    Equal(Text(p.window), model.windowCaption(), "the caption");
    Equal(TabText(p.item(IDC_SSTab1), 0), model.SSTab1Tab0.caption(), "the first tab");
    Equal(TabText(p.item(IDC_SSTab1), 1), model.SSTab1Tab1.caption(), "the second tab");
    for (const form::BoundItem& item : form::Bind(form::MainWindowLayout(), model)) {
        const auto* control = test::As<Control>(item.control);
        if (control == nullptr || item.look.kind == form::Kind::TabPage) {
            continue;
        }
        const string name(item.look.name);
        HWND window = p.item(win32view::ControlId(item.look.name));
        Check(control->visible() || !Visible(window), name + " is hidden");
        Check((IsWindowEnabled(window) != FALSE) == control->enabled(), name + " enabled or not");
        if (!control->toolTip().empty()) {
            Equal(ToolTipText(window), control->toolTip(), name + "'s tip");
        }
        if (const auto* captioned = test::As<Captioned>(item.control)) {
            Equal(Text(window), captioned->caption(), name + "'s caption");
        }
        if (const auto* check = test::As<CheckBox>(item.control)) {
            Equal(std::to_string(Send(window, BM_GETCHECK)), std::to_string(check->value()), name);
        } else if (const auto* option = test::As<OptionButton>(item.control)) {
            Equal(std::to_string(Send(window, BM_GETCHECK)), option->value() ? "1" : "0", name);
        }
    }
}

void CheckStartUp(Program& p, const string& folder) {
    const auto log = p.log();
    Check(log.size() == 6 && LogText(log[5]) == texts::kStartLine, "the log", Joined(log));
    Check(SendMessageW(p.item(IDC_Image1_0), STM_GETICON, 0, 0) != 0, "Image1(0) holds an icon");
    CheckTexts(p);
    // The task file in the program's folder; the second tab's controls hidden until it is chosen.
    // clang-format off
    p.run({{Op::Text, IDC_TextTask, folder + "\\TarnwickConfig.ini"},
           {Op::Visible, IDC_List3, "0"}});
    Shot("main-window-first-tab");
    p.run({{Op::Tab, IDC_SSTab1, "1"}, {Op::Visible, IDC_ListFromFolder, "0"}});
    Shot("main-window-second-tab");
    p.run({{Op::Tab, IDC_SSTab1, "0"}, {Op::Type, IDC_txtToFolder, ""}, {Op::Box, IDC_UpdateButton,
            string(texts::kBlankFolder.title) + "|" + string(texts::kBlankFolder.text)}});
    // clang-format on
}

// Each control's event reaching the model: what shows after it, and what the task file saves.
void CheckEvents(Program& p, const string& taskFile) {
    // clang-format off
    p.run({{Op::Tab, IDC_SSTab1, "1"}, {Op::Type, IDC_Text1, ".doc"}, {Op::Click, IDC_Command4},
           {Op::Select, IDC_List3, "0"}, {Op::Click, IDC_Command5},
           {Op::Rows, IDC_List3, ".doc|.xls|.doc"},
           {Op::Type, IDC_Text7, "\\bak"}, {Op::Click, IDC_Command6}, {Op::Select, IDC_List4, "1"},
           {Op::Click, IDC_Command7}, {Op::Rows, IDC_List4, ".bak|.swp|\\bak"},
           {Op::Click, IDC_Option1_1}, {Op::State, IDC_Option1_2, "0"},
           {Op::Enabled, IDC_Text4, "1"}, {Op::Click, IDC_Check2}, {Op::Enabled, IDC_Text3, "1"},
           {Op::Click, IDC_Check1}, {Op::Click, IDC_Option2_2}, {Op::Type, IDC_Text4, "45"},
           {Op::Tab, IDC_SSTab1, "0"}, {Op::Select, IDC_ListFromFolder, "0"},
           {Op::Click, IDC_CommandDelDir}, {Op::Rows, IDC_ListFromFolder, "C:\\My Documents"},
           {Op::Click, IDC_CommandClear}, {Op::Rows, IDC_ListMessage, ""},
           {Op::Type, IDC_txtToFolder, "D:\\saved"}, {Op::Click, IDC_SaveConfig}});
    // clang-format on
    const string saved = ReadFile(taskFile);
    for (const char* line :
         {"DDir=D:\\saved", "TimeOut=45", "TimePoint=1", "IncludeSubDir=0", "LimitSize=1",
          "FileExtIndex=2", "Dir1=C:\\My Documents", "[FileExtNo]", "FileExt3=\\bak"}) {
        Check(saved.find(string(line) + "\r\n") != string::npos, string("saved: ") + line);
    }
}

// ---- Hiding, the tray icon, a second start, closing. ----

void CheckTrayAndInstances(Program& p, const string& exe, std::size_t traysBefore) {
    const auto icons = TrayIcons();
    if (!Check(icons.size() == traysBefore + 1, "one tray icon added")) {
        return;
    }
    Equal(ToolTipText(icons.back()), string(texts::kDisplayName), "the tray tip");
    const auto shown = [&] { return IsWindowVisible(p.window) != FALSE; };
    p.run({{Op::Click, IDC_ButtonExit}});
    Check(WaitUntil([&] { return !shown(); }), "the hide button hides the window");
    // What does not restore: a press alone, a move, a right click over the icon.
    for (const int mouse : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP}) {
        PostMessageW(p.window, WM_LBUTTONDOWN, 1, MAKELPARAM(mouse, 0));
    }
    Send(p.window, WM_NULL);
    Check(!shown(), "pressing, moving and right-clicking over the icon do not restore");
    ClickAt(icons.back(), 4, 4);
    Check(WaitUntil(shown), "a left click on the tray icon restores the window");

    // A second start ends at once and brings the running window back.
    p.run({{Op::Click, IDC_ButtonExit}});
    WaitUntil([&] { return !shown(); });
    Process second;
    Check(second.start(exe, "D:\\") && second.waitForExit() == 0, "a second copy ends by itself");
    Check(WaitUntil(shown), "the running copy's window shows again");
    Check(TrayIcons().size() == traysBefore + 1 &&
              TopWindows(0, TARNWICK_MAIN_CLASS, false).size() == 1,
          "no second tray icon or window");
    Check(p.close() == 0, "closing ends the program");
    Check(WaitUntil([&] { return TrayIcons().size() == traysBefore; }), "and removes its icon");
}

// ---- A task in interval mode: the start-up pass, a pass stopped, the chooser, a close. ----

void CheckPasses(Program& p, const string& source) {
    Check(p.log().size() >= 6 && LogText(p.log()[0]) == texts::UpdatedSummaryText(3, 18),
          "the start-up pass logged before the window showed", Joined(p.log()));
    Shot("main-window-after-start-up-pass");
    Notify(p.item(IDC_LabDDir_6), STN_CLICKED);
    p.run({{Op::Text, IDC_LabDDir_6, string(texts::kUsageNote)}});
    const auto icons = TrayIcons();
    // A pass long enough to be stopped: many small files in a second source folder.
    for (int i = 0; i < 3000; ++i) {
        WriteFile(source + "\\many\\f" + std::to_string(i) + ".txt", "data\r\n");
    }
    const std::size_t logLines = p.log().size();
    ClickLater(p.item(IDC_UpdateButton));
    if (!Check(WaitUntil([&] { return p.busy(); }), "a pass runs")) {
        return;
    }
    Check(WaitUntil(
              [&] {
                  return (Visible(p.item(IDC_Image1_1)) || Visible(p.item(IDC_Image1_2))) &&
                         !Visible(p.item(IDC_Image1_0)) && !icons.empty() &&
                         ToolTipText(icons.back()) == texts::kBusyTip;
              },
              5000),
          "a busy picture and tip while the pass runs");
    const auto logRows = [&] {
        return static_cast<std::size_t>(Send(p.item(IDC_ListMessage), LB_GETCOUNT));
    };
    Check(WaitUntil([&] { return logRows() > logLines; }) && p.busy(), "the log grows during it");
    p.run({{Op::Click, IDC_CommStop}});
    Check(WaitUntil([&] { return !p.busy(); }), "the pass ends after the stop");
}

void CheckChooser(Program& p, const string& tasks) {
    ClickLater(p.item(IDC_SelTask));
    HWND dialog = WaitForWindow(p.process.id(), "#32770");
    if (!Check(dialog != nullptr, "the task chooser opens")) {
        return;
    }
    // A drop-down list's text is its selected row's.
    Equal(Text(GetDlgItem(dialog, IDC_Drive1)), "D:\\", "the current drive shows");
    Equal(Joined(Rows(GetDlgItem(dialog, IDC_File1))), "a.ini", "the folder's task files");
    Shot("task-chooser");
    const string task = Text(p.item(IDC_TextTask));
    ClickLater(GetDlgItem(dialog, IDC_CancelButton));
    Check(WaitUntil([&] { return IsWindow(dialog) == FALSE; }), "Cancel closes it");
    p.run({{Op::Text, IDC_TextTask, task}});

    // A folder opened by a double click, then a file chosen with OK.
    ClickLater(p.item(IDC_SelTask));
    dialog = WaitForWindow(p.process.id(), "#32770");
    if (!Check(dialog != nullptr, "the chooser opens again")) {
        return;
    }
    SelectRow(GetDlgItem(dialog, IDC_Dir1), 2, true);
    Check(WaitUntil([&] { return Joined(Rows(GetDlgItem(dialog, IDC_File1))) == "c.ini"; }),
          "a double click on a folder lists its task files");
    SelectRow(GetDlgItem(dialog, IDC_File1), 0);
    ClickLater(GetDlgItem(dialog, IDC_OKButton));
    Check(WaitUntil([&] { return IsWindow(dialog) == FALSE; }), "OK closes it");
    Send(p.window, WM_NULL);
    p.run({{Op::Text, IDC_TextTask, tasks + "\\sub\\c.ini"}, {Op::Text, IDC_Text4, "60"}});
}

// The texts alone (`textsOnly`: under another code page), or all that a first start leads to.
void FirstStart(const string& exe, const string& root, bool textsOnly) {
    Group("start-up without a task file, code page " + std::to_string(GetACP()));
    const string folder = root + "\\first";
    const std::size_t traysBefore = TrayIcons().size();
    Program p(exe, folder, {});
    if (p.window == nullptr) {
        return;
    }
    CheckStartUp(p, folder);
    if (textsOnly) {
        Check(p.close() == 0, "closing ends the program");
        return;
    }
    Group("each control's event reaching the model");
    CheckEvents(p, folder + "\\TarnwickConfig.ini");
    Group("hide, tray, second start, close");
    CheckTrayAndInstances(p, folder + "\\tarnwick.exe", traysBefore);
}

void IntervalTask(const string& exe, const string& root) {
    Group("start-up pass in interval mode");
    const string folder = root + "\\task", source = root + "\\src", tasks = root + "\\tasks";
    for (const char* name : {"f0", "f1", "f2"}) {
        WriteFile(source + "\\" + name + ".txt", "data\r\n");
    }
    const string sources =
        "[DirList]\r\nCount=1\r\nDir1=" + source + "\r\n[Comm]\r\nTimePoint=1\r\n";
    WriteFile(folder + "\\TarnwickConfig.ini",
              sources + "DDir=D:\\task-back\r\nTimeOut=30\r\nByWholeDir=0\r\nIncludeSubDir=1\r\n");
    // The chooser's folder, the process's current folder.
    WriteFile(tasks + "\\a.ini", "[Comm]\r\n");
    WriteFile(tasks + "\\sub\\c.ini",
              sources + "DDir=D:\\chosen\r\nTimeOut=60\r\nIncludeSubDir=1\r\n");
    const std::size_t traysBefore = TrayIcons().size();
    Program p(exe, folder, tasks);
    if (p.window == nullptr) {
        return;
    }
    CheckPasses(p, source);
    Group("task chooser");
    CheckChooser(p, tasks);
    Group("close during a pass");
    p.run({{Op::Type, IDC_txtToFolder, "D:\\task-back2"}});
    ClickLater(p.item(IDC_UpdateButton));
    Check(WaitUntil([&] { return p.busy(); }), "a long pass runs");
    Check(p.close() == 0, "closing during a pass ends the program once the pass stops");
    Check(WaitUntil([&] { return TrayIcons().size() == traysBefore; }), "and removes its icon");
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
    shotFolder = argc == 5 ? argv[4] : "";
    FirstStart(argv[1], argv[2], textsOnly);
    if (!textsOnly) {
        IntervalTask(argv[1], argv[2]);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
