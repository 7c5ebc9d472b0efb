#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "app/host_defaults.h"
#include "common/clock.h"
#include "ui/frm_main.h"
#include "view-qt/desktop_dialogs.h"
#include "view-qt/pictures.h"
#include "view-qt/qt_platform.h"
#include "view-qt/single_instance.h"
#include "view-qt/tray_icon.h"

class QApplication;

namespace tarnwick::qtview {

class MainWindow;

// What the program is built from. Left empty, each part is the real one; tests put in their own.
struct ProgramSetup {
    HostDefaults defaults = MakeHostDefaults();
    FileSystem* fileSystem = nullptr;
    Clock* clock = nullptr;
    DesktopDialogs* dialogs = nullptr;
    TrayIcon::Availability trayAvailable;
    QString runtimeFolder;
    QByteArray qrText = Pictures::HomePage();
};

// The Linux program put together: the window's model, its view, the tray icon and the desktop.
class Program {
  public:
    explicit Program(ProgramSetup setup = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program as loading the window does. False when it has ended already: another
    // copy runs, or the window was closed during the first pass.
    bool start();

    FrmMain& model() { return model_; }
    MainWindow& window() { return *window_; }
    TrayIcon& tray() { return tray_; }
    QtPlatform& platform() { return platform_; }

  private:
    std::unique_ptr<FileSystem> hostFileSystem_;
    SystemClock systemClock_;
    SystemDialogs systemDialogs_;
    Pictures pictures_;
    TrayIcon tray_;
    SingleInstance instance_;
    QtPlatform platform_;
    FrmMain model_;
    std::unique_ptr<MainWindow> window_;
};

// Makes the application what the program needs: Qt's own texts (the OK of a message box, the
// folder dialog) in Chinese, the Fusion style the form's colours are drawn with, and a life that
// goes on when the last window hides or a dialog closes, since the program lives in the tray.
void PrepareApplication(QApplication& app);

}  // namespace tarnwick::qtview
