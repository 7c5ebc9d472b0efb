// Runs one backup pass in the program's window, offscreen, as a click on its start button does,
// for the window benchmark against tarnwick-cli.
//   tarnwick-window-pass [--no-copy] TASK_FILE
// The log's first line (the pass's summary) goes to standard output.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "view-qt/main_window.h"
#include "view-qt/program.h"

int main(int argc, char** argv) {
    bool noCopy = false;
    const char* task = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-copy") == 0) {
            noCopy = true;
        } else {
            task = argv[i];
        }
    }
    if (task == nullptr) {
        std::fprintf(stderr, "usage: tarnwick-window-pass [--no-copy] TASK_FILE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tarnwick::qtview::PrepareApplication(app);

    // A lock of its own, so a running tarnwick does not keep the benchmark from starting.
    QTemporaryDir runtime;
    tarnwick::qtview::ProgramSetup setup;
    setup.defaults.taskFile = task;
    setup.runtimeFolder = runtime.path();
    tarnwick::qtview::Program program(std::move(setup));
    if (!program.start()) {
        return 1;
    }
    QWidget& window = program.window();
    if (noCopy) {
        window.findChild<QAbstractButton*>(QStringLiteral("CheckNoCopy"))->click();
    }
    window.findChild<QAbstractButton*>(QStringLiteral("UpdateButton"))->click();
    QCoreApplication::processEvents();  // the last repaint of the log

    const auto* log = window.findChild<QAbstractItemView*>(QStringLiteral("ListMessage"));
    std::printf("%s\n%d lines in the log\n",
                log->model()->index(0, 0).data().toString().toUtf8().constData(),
                log->model()->rowCount());
    return program.model().lastPass().failed() ? 1 : 0;
}
