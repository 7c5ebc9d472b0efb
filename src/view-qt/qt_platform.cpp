#include "view-qt/qt_platform.h"

#include <QCoreApplication>
#include <QThread>

#include "view-qt/desktop_dialogs.h"
#include "view-qt/main_window.h"
#include "view-qt/single_instance.h"
#include "view-qt/task_chooser.h"
#include "view-qt/tray_icon.h"

namespace tarnwick::qtview {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QtPlatform::QtPlatform(DesktopDialogs& dialogs, TrayIcon& tray, SingleInstance& instance,
                       const Pictures& pictures)
    : dialogs_(dialogs), tray_(tray), instance_(instance), pictures_(pictures) {}

void QtPlatform::showMessage(const std::string& text, const std::string& title) {
    dialogs_.information(window_, Text(title), Text(text));
}

std::string QtPlatform::browseForFolder(const std::string& prompt, const std::string& startFolder) {
    return ShellFolderForm(dialogs_.existingFolder(window_, Text(prompt), Text(startFolder)))
        .toStdString();
}

void QtPlatform::showTaskChooser(Dialog& dialog) {
    TaskChooser chooser(dialog, pictures_, window_);
    dialogs_.runTaskChooser(chooser);
}

void QtPlatform::setTrayIcon(const std::string& picture, const std::string& tip,
                             TrayAction action) {
    tray_.apply(picture, tip, action);
}

void QtPlatform::processEvents() {
    QCoreApplication::processEvents();
}

void QtPlatform::showWindow() {
    if (window_ == nullptr || ended_) {
        return;
    }
    if (window_->isMinimized()) {
        window_->showNormal();
    } else {
        window_->show();
    }
    window_->raise();
    // Qt's Wayland support activates a window with the token it finds in the environment; it is
    // taken out again at once, so that no program started from here inherits it.
    const QByteArray token = instance_.takeActivationToken();
    if (!token.isEmpty()) {
        qputenv("XDG_ACTIVATION_TOKEN", token);
    }
    window_->activateWindow();
    qunsetenv("XDG_ACTIVATION_TOKEN");
}

void QtPlatform::hideWindow() {
    if (window_ != nullptr) {
        window_->hide();
    }
}

void QtPlatform::minimizeWindow() {
    if (window_ != nullptr) {
        window_->showMinimized();
    }
}

bool QtPlatform::trayAvailable() {
    return tray_.available();
}

void QtPlatform::endProgram() {
    ended_ = true;
    tray_.apply({}, {}, TrayAction::Delete);
    if (window_ != nullptr) {
        window_->closeForGood();
    }
    // Leaves the event loop once control returns to it. Before the loop runs (a close during the
    // first pass) there is none to leave: the start-up sees ended() instead. Asking then would
    // make the next loop of this thread, a dialog's included, return at once.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

bool QtPlatform::anotherInstanceRunning() {
    return instance_.anotherRunning();
}

}  // namespace tarnwick::qtview
