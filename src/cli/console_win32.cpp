#include <windows.h>

#include <shellapi.h>

#include "cli/console.h"
#include "common/win32_text.h"

namespace tarnwick {

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

}  // namespace tarnwick
