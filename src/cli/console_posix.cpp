#include <clocale>

#include "cli/console.h"

namespace tarnwick {

void PrepareConsole() {
    // The system's texts in the failure lines (strerror) follow the user's language.
    std::setlocale(LC_ALL, "");
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

}  // namespace tarnwick
