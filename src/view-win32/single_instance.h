#pragma once

// One copy of the program per log-on session: a named mutex in the session's namespace. A second
// copy tells the first to show its window, then ends.
#include <windows.h>

#include <string>

namespace tarnwick::win32view {

// Posted to the running copy's main window when another copy starts.
inline constexpr UINT kSecondStartMessage = WM_APP + 2;

class SingleInstance {
  public:
    // name: the mutex's name within the session ("Local\\" is put before it).
    explicit SingleInstance(std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy already holds the mutex; that copy's window is then asked to show.
    bool anotherRunning();

  private:
    std::string name_;
    HANDLE mutex_ = nullptr;
};

}  // namespace tarnwick::win32view
