#include "view-qt/qt_platform.h"

#include <QCoreApplication>
#include <QThread>

#include "view-qt/desktop_dialogs.h"
#include "view-qt/qt_text.h"
#include "view-qt/task_chooser.h"

namespace tarnwick::qtview {

QtPlatform::QtPlatform(DesktopDialogs& dialogs, TrayIcon& tray, SingleInstance& instance,
                       const Pictures& pictures)
    : DesktopPlatform(tray, instance),
      dialogs_(dialogs),
      instance_(instance),
      pictures_(pictures) {}

void QtPlatform::showWindow() {
    // Qt's Wayland support activates a window with the token it finds in the environment (the one
    // a later start handed over); it is taken out again at once, so that no program started from
    // here inherits it.
    const QByteArray token = instance_.takeActivationToken();
    if (!token.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", token);
    }
    DesktopPlatform::showWindow();
    qunsetenv("XDG_ACTIVATION_TOKEN");
}

void QtPlatform::showMessage(const std::string& text, const std::string& title) {
    dialogs_.information(window(), Text(title), Text(text));
}

std::string QtPlatform::browseForFolder(const std::string& prompt, const std::string& startFolder) {
    return ShellFolderForm(dialogs_.existingFolder(window(), Text(prompt), Text(startFolder)))
        .toStdString();
}

void QtPlatform::showTaskChooser(Dialog& dialog) {
    TaskChooser chooser(dialog, pictures_, window());
    dialogs_.runTaskChooser(chooser);
}

void QtPlatform::processEvents() {
    QCoreApplication::processEvents();
}

void QtPlatform::closeForGood() {
    if (window() != nullptr) {
        window()->closeForGood();
    }
    // Leaves the event loop once control returns to it. Before the loop runs (a close during the
    // first pass) there is none to leave: the start-up sees ended() instead. Asking then would
    // make the next loop of this thread, a dialog's included, return at once.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

}  // namespace tarnwick::qtview
