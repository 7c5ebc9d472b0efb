#pragma once

#include <string>

#include "ui/form_platform.h"

namespace tarnwick {

// What the two desktop views do alike: the tray icon and the single-instance test go to their
// own classes, and the window is shown, hidden and minimised while the program runs. Each view
// adds its dialogs, its event loop and how the program ends.
//
// Window offers bringBack() (shows the window, restored and in front), hide() and minimize();
// Tray offers apply() and available(); Instance offers anotherRunning().
template <typename Window, typename Tray, typename Instance>
class DesktopPlatform : public FormPlatform {
  public:
    DesktopPlatform(Tray& tray, Instance& instance) : tray_(tray), instance_(instance) {}

    // The window to show, hide and own the dialogs; set once it exists.
    void setWindow(Window* window) { window_ = window; }
    // Whether the program has been ended.
    bool ended() const { return ended_; }

    void setTrayIcon(const std::string& picture, const std::string& tip,
                     TrayAction action) override {
        tray_.apply(picture, tip, action);
    }
    void showWindow() override {
        if (Window* window = runningWindow()) {
            window->bringBack();
        }
    }
    void hideWindow() override {
        if (Window* window = runningWindow()) {
            window->hide();
        }
    }
    void minimizeWindow() override {
        if (Window* window = runningWindow()) {
            window->minimize();
        }
    }
    bool trayAvailable() override { return tray_.available(); }
    bool anotherInstanceRunning() override { return instance_.anotherRunning(); }

    // Removes the tray icon, then closes the window and leaves the event loop, once.
    void endProgram() override {
        if (ended_) {
            return;
        }
        ended_ = true;
        tray_.apply({}, {}, TrayAction::Delete);
        closeForGood();
    }

  protected:
    // Closes the window (where there is one) and ends the event loop.
    virtual void closeForGood() = 0;

    // The window while the program runs; null before it exists and once the program has ended.
    Window* runningWindow() const { return ended_ ? nullptr : window_; }
    Window* window() const { return window_; }

  private:
    Tray& tray_;
    Instance& instance_;
    Window* window_ = nullptr;
    bool ended_ = false;
};

}  // namespace tarnwick
