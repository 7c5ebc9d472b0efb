#pragma once

#include "ui/desktop_platform.h"
#include "view-qt/main_window.h"
#include "view-qt/single_instance.h"
#include "view-qt/tray_icon.h"

namespace tarnwick::qtview {

class DesktopDialogs;
class Pictures;

// The desktop as the Linux program has it: Qt's dialogs through the DesktopDialogs seam, the tray
// icon, the main window and the single-instance lock.
class QtPlatform final : public DesktopPlatform<MainWindow, TrayIcon, SingleInstance> {
  public:
    QtPlatform(DesktopDialogs& dialogs, TrayIcon& tray, SingleInstance& instance,
               const Pictures& pictures);

    void showWindow() override;
    void showMessage(const std::string& text, const std::string& title) override;
    std::string browseForFolder(const std::string& prompt, const std::string& startFolder) override;
    void showTaskChooser(Dialog& dialog) override;
    void processEvents() override;

  private:
    void closeForGood() override;

    DesktopDialogs& dialogs_;
    SingleInstance& instance_;
    const Pictures& pictures_;
};

}  // namespace tarnwick::qtview
