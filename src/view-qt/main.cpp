// tarnwick: the backup utility's window and tray icon on Linux.
#include <QApplication>

#include "view-qt/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarnwick::qtview::PrepareApplication(app);
    tarnwick::qtview::Program program;
    if (!program.start()) {
        return 0;
    }
    return QApplication::exec();
}
