#pragma once

#include <string>

#include "common/path_style.h"

namespace tarnwick {

// The paths the program starts from, which differ between systems.
struct HostDefaults {
    PathStyle style = kHostPathStyle;
    // The task file loaded at start-up.
    std::string taskFile;
    // The destination at creation, and the replacement for one that is not on a local disk.
    std::string backFolder;
    // The replacement for a blank destination.
    std::string blankDestinationReplacement;
    // The two source folders a task starts with when no task file exists.
    std::string desktopFolder;
    std::string documentsFolder;
    // Where every logged line is kept with its date; "" keeps none.
    std::string logFile;
};

// The defaults of the system the program runs on.
HostDefaults MakeHostDefaults();

}  // namespace tarnwick
