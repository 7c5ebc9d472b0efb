#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// The console speaks UTF-8, as every text inside the program is.
void PrepareConsole();

// The command line's arguments in UTF-8 (on Windows, from the wide command line, so names
// outside the code page arrive whole).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// From here on SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, a closed terminal) are only noted, so
// that a running pass stops as its stop button would and removes its temporary file.
void WatchStopSignals();

// The last stop signal noted, or 0.
int StopSignal();

}  // namespace tarnwick
