#pragma once

// The desktop as the window model sees it, on Windows: message boxes, the shell's folder
// browser, the task chooser, the tray icon, the message loop, the single-instance test.
#include <windows.h>

#include "ui/desktop_platform.h"
#include "view-win32/main_window.h"
#include "view-win32/single_instance.h"
#include "view-win32/tray_icon.h"

namespace tarnwick::win32view {

class Pictures;

// Runs every pending message, as the main loop would; false once WM_QUIT has come (it is then
// posted again, so that the loop that owns it ends too).
bool PumpMessages(HWND mainWindow);
// One message, through the keyboard navigation of the dialog or window it is for.
void DispatchOne(MSG& message, HWND mainWindow);

class Win32Platform final : public DesktopPlatform<MainWindow, TrayIcon, SingleInstance> {
  public:
    Win32Platform(HINSTANCE instance, const Pictures& pictures, TrayIcon& tray,
                  SingleInstance& singleInstance);

    // A message box with the information icon, the shell's folder dialog and the task chooser,
    // each owned by the window while it is there.
    void showMessage(const std::string& text, const std::string& title) override;
    std::string browseForFolder(const std::string& prompt, const std::string& startFolder) override;
    void showTaskChooser(Dialog& dialog) override;
    // The log's new rows reach its list, then every pending message runs.
    void processEvents() override;

  private:
    void closeForGood() override;
    HWND owner() const;

    HINSTANCE instance_;
    const Pictures& pictures_;
};

}  // namespace tarnwick::win32view
