// Any bytes as a task file, loaded into the window the way start-up loads it. Whatever the file
// holds, loading ends, in bounded memory, and a file saved from the loaded state (to a new file or
// over the file itself) loads back to the state the window showed after the save.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "backup/type_filter.h"
#include "cli/state_report.h"
#include "common/number_text.h"
#include "common/text_encoding.h"
#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_platform.h"
#include "task/task_file_text.h"
#include "ui/frm_main.h"

namespace {

using namespace tarnwick;

struct System {
    PathStyle style;
    std::string root;
    std::string folder;  // where the task files lie
    HostDefaults defaults;
};

System Windows() {
    HostDefaults d;
    d.style = PathStyle::Windows;
    d.taskFile = "C:\\Tarnwick\\TarnwickConfig.ini";
    d.backFolder = "D:\\back";
    d.blankDestinationReplacement = "C:\\windows\\desktop";
    d.desktopFolder = "C:\\WINDOWS\\Desktop";
    d.documentsFolder = "C:\\My Documents";
    return {PathStyle::Windows, "C:\\", "C:\\Tarnwick\\", d};
}

System Posix() {
    HostDefaults d;
    d.style = PathStyle::Posix;
    d.taskFile = "/home/u/.config/tarnwick/TarnwickConfig.ini";
    d.backFolder = "/home/u/back";
    d.blankDestinationReplacement = "/home/u/Desktop";
    d.desktopFolder = "/home/u/Desktop";
    d.documentsFolder = "/home/u/Documents";
    return {PathStyle::Posix, "/", "/home/u/tasks/", d};
}

// A window of its own over a file system of its own, loaded as start-up loads a task file.
struct Scene {
    Scene(const System& system, const std::string& bytes, const std::string& task)
        : fs(system.style), window(platform, fs, clock, system.defaults) {
        fs.addRoot(system.root);
        fs.addFolder(system.folder);
        fs.addFile(task, 1, bytes.size(), bytes);
        clock.time = {9, 30, 5};
        window.LoadStartupTask(task);
    }

    test::MemoryFileSystem fs;
    test::RecordingPlatform platform;
    test::FakeClock clock;
    FrmMain window;
};

[[noreturn]] void Fail(const char* what, const std::string& expected, const std::string& actual) {
    std::fprintf(stderr, "%s\n---- expected\n%s---- actual\n%s----\n", what, expected.c_str(),
                 actual.c_str());
    std::abort();
}

std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find('\n', start);
        lines.push_back(report.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string_view Name(std::string_view line) {
    return line.substr(0, line.find('='));
}

std::string_view Value(std::string_view line) {
    return line.substr(line.find('=') + 1);
}

// A save changes the window in two ways only: the task path is the saved one, and an hour above
// 23 or a minute above 59 (which loading takes, as below 24 and 60) becomes 17 or 0.
void CheckSaveOnlyCorrects(const std::string& loaded, const std::string& saved) {
    const auto before = Lines(loaded);
    const auto after = Lines(saved);
    if (before.size() != after.size()) {
        Fail("the save changed the window's lists", loaded, saved);
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) {
            continue;
        }
        const std::string_view name = Name(after[i]);
        const double shown = ReadNumber(Value(before[i]));
        const bool corrected = (name == "Text5" && shown > 23 && Value(after[i]) == "17") ||
                               (name == "Text6" && shown > 59 && Value(after[i]) == "0");
        if (name != "IniPath" && name != "TextTask" && !corrected) {
            Fail("the save changed a field it must keep", before[i] + "\n", after[i] + "\n");
        }
    }
}

// Lines of a file as the profile functions count them: CRLF, LF and a lone CR each end one.
std::size_t LineCount(std::string_view bytes) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            ++breaks;
        }
    }
    return breaks + 1;
}

// A list's Count that the file's own lines could have been written for is taken as it stands;
// no count, however large, makes more entries than the file has lines.
void CheckListLength(const std::string& bytes, const FrmMain& window) {
    const TaskFileText task(bytes);
    const std::int32_t count = RoundToInt32(ReadNumber(task.read("DirList", "Count")));
    const bool utf16 = bytes.starts_with("\xFF\xFE");
    const std::size_t lines = LineCount(utf16 ? Utf16LeToUtf8(bytes.substr(2)) : bytes);
    const auto entries = static_cast<std::size_t>(window.ListFromFolder.listCount());
    if (count > 0 && static_cast<std::size_t>(count) <= lines &&
        entries != static_cast<std::size_t>(count)) {
        Fail("a list lost entries its count names", std::to_string(count) + "\n",
             std::to_string(entries) + "\n");
    }
    if (entries > bytes.size() + 1) {
        Fail("a list has more entries than the file has lines", std::to_string(bytes.size()) + "\n",
             std::to_string(entries) + "\n");
    }
}

int Selected(const std::array<OptionButton, 3>& group) {
    int selected = 0;
    for (const auto& button : group) {
        selected += button.value() ? 1 : 0;
    }
    return selected;
}

std::vector<std::string> UpperCased(const ListBox& list) {
    std::vector<std::string> upper;
    for (const auto& item : list.items()) {
        upper.push_back(UpperCase(item));
    }
    return upper;
}

// Whatever the file held, the window is one a user could have made: every value in its range,
// one button of each group, the boxes the mode uses enabled, the filter built from the lists.
void CheckConsistent(const FrmMain& w) {
    const auto fail = [&](const char* what) {
        Fail(what, "a consistent window\n", StateReport(w));
    };
    if (w.IntervalMinutes < 1 || w.IntervalMinutes > 180 ||
        w.Text4.text() != std::to_string(w.IntervalMinutes)) {
        fail("the interval is out of range or not shown");
    }
    for (const CheckBox* box : {&w.Check1, &w.Check2, &w.CheckFullFodler}) {
        if (box->value() != 0 && box->value() != 1) {
            fail("a check box holds neither 0 nor 1");
        }
    }
    if (Selected(w.Option1) != 1 || Selected(w.Option2) != 1) {
        fail("an option group has not exactly one button selected");
    }
    const bool daily = w.Option1[0].value();
    if (w.Text5.enabled() != daily || w.Text6.enabled() != daily ||
        w.Text4.enabled() != w.Option1[1].value() || w.Timer1.enabled() == w.Option1[2].value() ||
        w.Text3.enabled() != (w.Check2.value() != 0)) {
        fail("a box is enabled against its mode");
    }
    if (!(ReadNumber(w.Text3.text()) > 0) || !(ReadNumber(w.Text5.text()) < 24) ||
        !(ReadNumber(w.Text6.text()) < 60)) {
        fail("a number box holds a value loading must refuse");
    }
    if (w.Filter.extMode != SelectedIndex(w.Option2) ||
        w.Filter.onlyExtList != UpperCased(w.List3) ||
        w.Filter.skipExtList != UpperCased(w.List4)) {
        fail("the type filter is not the one the lists make");
    }
}

void RoundTrip(const System& system, const std::string& bytes) {
    const std::string task = system.folder + "t.ini";
    const std::string fresh = system.folder + "saved.ini";

    // Saved to a new file.
    Scene first(system, bytes, task);
    CheckListLength(bytes, first.window);
    CheckConsistent(first.window);
    const std::string loaded = StateReport(first.window);
    first.window.TextTask.setText(fresh);
    if (first.window.SaveTask() != FrmMain::CommandOutcome::Done) {
        Fail("a loaded state could not be saved", "Done\n", "refused\n");
    }
    const std::string saved = StateReport(first.window);
    CheckSaveOnlyCorrects(loaded, saved);
    const std::string savedBytes = first.fs.contentOf(fresh);

    Scene second(system, savedBytes, fresh);
    const std::string reloaded = StateReport(second.window);
    if (reloaded != saved) {
        Fail("a saved file loads back to another state", saved, reloaded);
    }
    // Saving what was loaded from a saved file writes the same file again.
    second.window.TextTask.setText(system.folder + "again.ini");
    second.window.SaveTask();
    if (second.fs.contentOf(system.folder + "again.ini") != savedBytes) {
        Fail("saving a reloaded state wrote another file", savedBytes,
             second.fs.contentOf(system.folder + "again.ini"));
    }

    // Saved over the file it came from, among whatever else that file holds.
    Scene third(system, bytes, task);
    if (third.window.SaveTask() != FrmMain::CommandOutcome::Done) {
        Fail("a loaded state could not be saved over its file", "Done\n", "refused\n");
    }
    const std::string savedInPlace = StateReport(third.window);
    Scene fourth(system, third.fs.contentOf(task), task);
    const std::string reloadedInPlace = StateReport(fourth.window);
    if (reloadedInPlace != savedInPlace) {
        Fail("a file saved over loads back to another state", savedInPlace, reloadedInPlace);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(Windows(), bytes);
    RoundTrip(Posix(), bytes);
    return 0;
}
