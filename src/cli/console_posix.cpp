#include "cli/console.h"

namespace tarnwick {

void PrepareConsole() {}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

}  // namespace tarnwick
