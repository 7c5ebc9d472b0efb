#include <clocale>
#include <csignal>

#include "cli/console.h"

namespace tarnwick {
namespace {

volatile std::sig_atomic_t noted = 0;

void Note(int signal) {
    noted = signal;
}

}  // namespace

void PrepareConsole() {
    // The system's texts in the failure lines (strerror) follow the user's language.
    std::setlocale(LC_ALL, "");
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void WatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = Note;
    action.sa_flags = SA_RESTART;  // a copy's system calls go on until the pass checks the stop
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

int StopSignal() {
    return noted;
}

}  // namespace tarnwick
