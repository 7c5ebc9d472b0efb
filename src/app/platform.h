#pragma once

#include <string>

namespace tarnwick {

enum class TrayAction { Add = 0, Modify = 1, Delete = 2 };

// What the user does with the mouse over the tray icon, as each view reports it.
enum class TrayMouse { LeftButtonUp, LeftDoubleClick, RightButtonUp, MiddleButtonUp, Other };

// What only a real desktop can do. Each front end implements it: the Qt and Win32 views with
// windows, the command line with the console, the tests with a recording.
class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message with one OK button and the information icon.
    virtual void showMessage(const std::string& text, const std::string& title) = 0;

    // The folder browser opened on a start folder: the chosen folder in the shell's form (a root
    // with its separator, any other folder without), or "" when the user cancels.
    virtual std::string browseForFolder(const std::string& prompt,
                                        const std::string& startFolder) = 0;

    // Puts, changes or removes the one tray icon: a picture by name and the tip text.
    virtual void setTrayIcon(const std::string& picture, const std::string& tip,
                             TrayAction action) = 0;

    // Lets every pending event run; the only point where the user acts during a pass.
    virtual void processEvents() = 0;

    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Minimises the window: where no tray shows the icon, a hidden window could not come back.
    virtual void minimizeWindow() = 0;

    // Whether a tray shows the program's icon, so that a click on it can bring a hidden window
    // back.
    virtual bool trayAvailable() = 0;

    // Closes the window and ends the program once control returns to the event loop.
    virtual void endProgram() = 0;

    // Whether another copy of the program already runs for this user.
    virtual bool anotherInstanceRunning() = 0;
};

}  // namespace tarnwick
