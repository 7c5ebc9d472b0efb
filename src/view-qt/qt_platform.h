#pragma once

#include "ui/form_platform.h"

namespace tarnwick::qtview {

class DesktopDialogs;
class MainWindow;
class Pictures;
class SingleInstance;
class TrayIcon;

// The desktop as the Linux program has it: Qt's dialogs through the DesktopDialogs seam, the tray
// icon, the main window and the single-instance lock.
class QtPlatform final : public FormPlatform {
  public:
    QtPlatform(DesktopDialogs& dialogs, TrayIcon& tray, SingleInstance& instance,
               const Pictures& pictures);

    // The window to show, hide and own the dialogs; set once it exists.
    void setWindow(MainWindow* window) { window_ = window; }

    void showMessage(const std::string& text, const std::string& title) override;
    std::string browseForFolder(const std::string& prompt, const std::string& startFolder) override;
    void showTaskChooser(Dialog& dialog) override;
    void setTrayIcon(const std::string& picture, const std::string& tip,
                     TrayAction action) override;
    void processEvents() override;
    void showWindow() override;
    void hideWindow() override;
    void minimizeWindow() override;
    bool trayAvailable() override;
    void endProgram() override;
    bool anotherInstanceRunning() override;

    // Whether the program has been ended.
    bool ended() const { return ended_; }

  private:
    DesktopDialogs& dialogs_;
    TrayIcon& tray_;
    SingleInstance& instance_;
    const Pictures& pictures_;
    MainWindow* window_ = nullptr;
    bool ended_ = false;
};

}  // namespace tarnwick::qtview
