// tarnwick: the backup utility's window and tray icon on Linux.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

#include "view-qt/program.h"

namespace {

int signalSockets[2] = {-1, -1};

// Only a write is safe in a signal handler: the event loop reads the byte and acts.
void NoteStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalSockets[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarnwick::qtview::PrepareApplication(app);
    tarnwick::qtview::Program program;

    // SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, a logout) act as the close box: a running pass
    // stops at its next refresh, removing its temporary file, and the program ends.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        return 1;
    }
    QSocketNotifier notifier(signalSockets[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&program] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalSockets[0], &byte, 1);
        program.model().Form_QueryUnload();
    });
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }

    if (!program.start()) {
        return 0;
    }
    return QApplication::exec();
}
