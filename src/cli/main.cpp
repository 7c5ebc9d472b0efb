// tarnwick-cli: the program's window driven from a terminal.
//   tarnwick-cli show|save|run [--task FILE] [SETTING...]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/host_defaults.h"
#include "cli/console.h"
#include "cli/console_platform.h"
#include "cli/printable_text.h"
#include "cli/settings.h"
#include "cli/state_report.h"
#include "common/path_style.h"
#include "common/texts.h"
#include "ui/frm_main.h"
#include "version.h"

namespace tarnwick {
namespace {

constexpr int kUsageError = 2;
constexpr int kRefused = 3;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tarnwick-cli: %s%s\n", PrintableText(message).c_str(),
                 std::string(texts::kCliSeeHelp).c_str());
    return kUsageError;
}

std::string FullPath(const std::string& path, FileSystem& fs) {
    if (IsFullPath(path, kHostPathStyle)) {
        return path;
    }
    return WithTrailingSeparator(fs.currentFolder(), kHostPathStyle) + path;
}

void PrintState(const FrmMain& window) {
    std::fputs(StateReport(window).c_str(), stdout);
}

// Runs one command on the loaded window and answers the exit status.
int Execute(const std::string& command, FrmMain& window, ConsolePlatform& platform) {
    if (command == "show") {
        PrintState(window);
        return 0;
    }
    if (command == "save") {
        switch (window.SaveConfig_Click()) {
            case FrmMain::CommandOutcome::Refused:
                return kRefused;
            case FrmMain::CommandOutcome::WriteFailed:
                return 1;
            case FrmMain::CommandOutcome::Done:
                PrintState(window);
                return 0;
        }
    }
    // The pass's lines go in at the top of the log; print each as it comes.
    window.ListMessage.setRowListener([&window](const ListBox::Change& change) {
        if (change.kind == ListBox::Change::InsertedFirst) {
            std::printf("%s\n", PrintableText(window.ListMessage.list(0)).c_str());
            std::fflush(stdout);
        }
    });
    // A stop signal presses the stop button at the pass's next refresh.
    WatchStopSignals();
    platform.onEvents = [&window] {
        if (StopSignal() != 0 && window.BackupBusy) {
            window.CommStop_Click();
        }
    };
    if (window.UpdateButton_Click() == FrmMain::CommandOutcome::Refused) {
        return kRefused;
    }
    if (StopSignal() != 0) {
        return 128 + StopSignal();
    }
    return window.lastPass().failed() ? 1 : 0;
}

int Run(const std::vector<std::string>& argv) {
    const int argc = static_cast<int>(argv.size());
    if (argc < 2) {
        return UsageError(std::string(texts::kCliNoCommand));
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(std::string(texts::kCliUsage).c_str(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("tarnwick-cli %s\n", TARNWICK_VERSION);
        return 0;
    }
    if (command != "show" && command != "save" && command != "run") {
        return UsageError(std::string(texts::kCliUnknownCommand) + command);
    }

    auto fs = MakeHostFileSystem();
    const HostDefaults defaults = MakeHostDefaults();
    std::string taskFile = defaults.taskFile;
    bool taskNamed = false;
    std::vector<std::string> settings;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--task") {
            if (i + 1 == argc) {
                return UsageError(std::string(texts::kCliTaskNeedsFile));
            }
            taskFile = FullPath(argv[++i], *fs);
            taskNamed = true;
        } else if (argument.starts_with("--")) {
            return UsageError(std::string(texts::kCliUnknownOption) + argument);
        } else {
            settings.push_back(argument);
        }
    }

    // A mistyped task file must not back up the default folders; show and save go on, as the
    // window does (a save makes the file).
    if (command == "run" && taskNamed && !fs->attributes(taskFile)) {
        std::fprintf(stderr, "tarnwick-cli: %s%s\n", std::string(texts::kCliNoTaskFile).c_str(),
                     PrintableText(taskFile).c_str());
        return kUsageError;
    }

    ConsolePlatform platform;
    SystemClock clock;
    FrmMain window(platform, *fs, clock, defaults);
    window.LoadStartupTask(taskFile);
    if (platform.messagesShown > 0) {
        return 1;  // the task file is there but could not be read; the message says why
    }
    for (const auto& setting : settings) {
        if (auto error = ApplySetting(setting, window, platform)) {
            return UsageError(*error);
        }
        if (platform.messagesShown > 0) {
            return kRefused;
        }
    }

    const int status = Execute(command, window, platform);
    // The log file keeps the lines the command logs; one that cannot is told on the terminal.
    if (!window.logFileNotice().empty()) {
        std::fprintf(stderr, "tarnwick-cli: %s\n", PrintableText(window.logFileNotice()).c_str());
    }
    return status;
}

}  // namespace
}  // namespace tarnwick

int main(int argc, char** argv) {
    tarnwick::PrepareConsole();
    return tarnwick::Run(tarnwick::CommandLineArguments(argc, argv));
}
