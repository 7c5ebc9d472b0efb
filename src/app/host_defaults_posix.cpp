// Defaults on Linux and other POSIX systems: the home folder stands in for drive D:, the XDG
// desktop and documents folders for the shell's special folders.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/host_defaults.h"

namespace tarnwick {
namespace {

std::string Environment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

// A folder named in the user's XDG folder list, such as XDG_DESKTOP_DIR="$HOME/Desktop".
std::string UserFolder(const std::string& configHome, const std::string& home,
                       const std::string& key, const std::string& fallback) {
    std::ifstream list(configHome + "/user-dirs.dirs");
    std::string line;
    while (std::getline(list, line)) {
        if (!line.starts_with(key + "=\"") || !line.ends_with('"')) {
            continue;
        }
        std::string value = line.substr(key.size() + 2, line.size() - key.size() - 3);
        if (value.starts_with("$HOME")) {
            value = home + value.substr(5);
        }
        return value;
    }
    return home + "/" + fallback;
}

std::string ExecutableFolder() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    const std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.find_last_of('/'));
}

}  // namespace

HostDefaults MakeHostDefaults() {
    HostDefaults defaults;
    defaults.style = PathStyle::Posix;
    const std::string home = Environment("HOME", "/");
    const std::string configHome = Environment("XDG_CONFIG_HOME", home + "/.config");

    // A task file beside the program makes a portable installation, which keeps its log there
    // too; otherwise both are the user's own.
    const std::string programFolder = ExecutableFolder();
    const std::string portable = programFolder + "/TarnwickConfig.ini";
    if (::access(portable.c_str(), F_OK) == 0) {
        defaults.taskFile = portable;
        defaults.logFile = programFolder + "/Tarnwick.log";
    } else {
        defaults.taskFile = configHome + "/tarnwick/TarnwickConfig.ini";
        const std::string stateHome = Environment("XDG_STATE_HOME", home + "/.local/state");
        defaults.logFile = stateHome + "/tarnwick/tarnwick.log";
    }
    defaults.backFolder = (home == "/" ? std::string() : home) + "/back";
    defaults.desktopFolder = UserFolder(configHome, home, "XDG_DESKTOP_DIR", "Desktop");
    defaults.documentsFolder = UserFolder(configHome, home, "XDG_DOCUMENTS_DIR", "Documents");
    defaults.blankDestinationReplacement = defaults.desktopFolder;
    return defaults;
}

}  // namespace tarnwick
