#pragma once

// The Windows program put together: the window's model, its view, the tray icon, the single-
// instance test and the desktop.
#include <windows.h>

#include <memory>

#include "app/host_defaults.h"
#include "backup/file_system.h"
#include "common/clock.h"
#include "ui/frm_main.h"
#include "view-win32/pictures.h"
#include "view-win32/single_instance.h"
#include "view-win32/tray_icon.h"
#include "view-win32/win32_platform.h"

namespace tarnwick::win32view {

class MainWindow;

class Program {
  public:
    explicit Program(HINSTANCE instance);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program as loading the window does. False when it has ended already: another
    // copy runs, or the window was closed during the first pass.
    bool start();
    // The message loop, until the window closes; the program's exit code.
    int run();

  private:
    std::unique_ptr<FileSystem> fileSystem_;
    SystemClock clock_;
    Pictures pictures_;
    TrayIcon tray_;
    SingleInstance singleInstance_;
    Win32Platform platform_;
    FrmMain model_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tarnwick::win32view
