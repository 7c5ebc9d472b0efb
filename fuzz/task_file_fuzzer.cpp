// Any bytes as a task file, loaded into the window the way start-up loads it. Whatever the file
// holds, loading ends, in bounded memory, with a window in a state it could reach by hand; and a
// file saved from it (to a new file or over the file itself) loads back to the state the window
// showed after the save, and saves again to the same bytes.
#include <cstdint>
#include <string>

#include "cli/state_report.h"
#include "common/number_text.h"
#include "fuzz_check.h"
#include "support/fake_clock.h"
#include "support/memory_file_system.h"
#include "support/recording_platform.h"
#include "ui/frm_main.h"

namespace {

using namespace tarnwick;
using fuzz::Check;

// The window over a file system in memory holding one task file, loaded at start-up.
struct Scene {
    Scene(PathStyle style, const std::string& bytes, const std::string& task)
        : fs(style), window(platform, fs, clock, Defaults(style)) {
        const bool windows = style == PathStyle::Windows;
        fs.addRoot(windows ? "C:\\" : "/");
        fs.addFolder(Folder(style));
        fs.addFile(task, 1, bytes.size(), bytes);
        window.LoadStartupTask(task);
    }
    static std::string Folder(PathStyle style) {
        return style == PathStyle::Windows ? "C:\\Tarnwick\\" : "/home/u/tasks/";
    }
    static HostDefaults Defaults(PathStyle style) {
        const std::string root = style == PathStyle::Windows ? "C:\\" : "/home/u/";
        // No log file.
        return {style,
                Folder(style) + "TarnwickConfig.ini",
                root + "back",
                root + "Desktop",
                root + "Desktop",
                root + "Documents",
                ""};
    }

    test::MemoryFileSystem fs;
    test::RecordingPlatform platform;
    test::FakeClock clock;
    FrmMain window;
};

int Selected(const std::array<OptionButton, 3>& group) {
    return group[0].value() + group[1].value() + group[2].value();
}

// What the window's own rules keep true, whatever was loaded.
void CheckConsistent(const FrmMain& w) {
    const bool ok =
        w.IntervalMinutes >= 1 && w.IntervalMinutes <= 180 &&
        w.Text4.text() == std::to_string(w.IntervalMinutes) && Selected(w.Option1) == 1 &&
        Selected(w.Option2) == 1 && w.Text5.enabled() == w.Option1[0].value() &&
        w.Text4.enabled() == w.Option1[1].value() && w.Timer1.enabled() != w.Option1[2].value() &&
        w.Text3.enabled() == (w.Check2.value() == 1) && ReadNumber(w.Text3.text()) > 0 &&
        ReadNumber(w.Text5.text()) < 24 && ReadNumber(w.Text6.text()) < 60 &&
        static_cast<int>(w.Filter.extMode) == SelectedIndex(w.Option2) &&
        w.Filter.onlyExtList.size() == w.List3.items().size() &&
        w.Filter.skipExtList.size() == w.List4.items().size();
    Check(ok, "the loaded window is in a state no user could bring about", StateReport(w));
}

void RoundTrip(PathStyle style, const std::string& bytes) {
    const std::string task = Scene::Folder(style) + "t.ini";
    const std::string fresh = Scene::Folder(style) + "saved.ini";
    for (const std::string& target : {fresh, task}) {
        Scene first(style, bytes, task);
        CheckConsistent(first.window);
        first.window.TextTask.setText(target);
        Check(first.window.SaveTask() == FrmMain::CommandOutcome::Done,
              "a loaded state could not be saved", StateReport(first.window));
        const std::string saved = StateReport(first.window);
        const std::string savedBytes = first.fs.contentOf(target);
        Scene second(style, savedBytes, target);
        Check(StateReport(second.window) == saved, "a saved file loads back to another state",
              saved, StateReport(second.window));
        second.window.SaveTask();
        Check(second.fs.contentOf(target) == savedBytes,
              "saving a reloaded state wrote another file", savedBytes,
              second.fs.contentOf(target));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip(PathStyle::Windows, bytes);
    RoundTrip(PathStyle::Posix, bytes);
    return 0;
}
