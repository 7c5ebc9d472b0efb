#include <windows.h>

#include <shellapi.h>

#include <csignal>

#include "cli/console.h"
#include "common/win32_text.h"

namespace tarnwick {
namespace {

volatile std::sig_atomic_t noted = 0;

void Note(int signal) {
    noted = signal;
    std::signal(signal, Note);  // the runtime resets the handler before each call
}

}  // namespace

void PrepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
}

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Narrow(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

void WatchStopSignals() {
    for (const int signal : {SIGINT, SIGTERM}) {
        std::signal(signal, Note);
    }
}

int StopSignal() {
    return noted;
}

}  // namespace tarnwick
