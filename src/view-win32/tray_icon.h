#pragma once

// The one icon in the notification area, through Shell_NotifyIconW with the record's first and
// smallest layout (NOTIFYICONDATAW_V1_SIZE: 152 bytes on 32-bit Windows, 168 on 64-bit, where
// the handles are 8 bytes). Mouse events over the icon come back to the window as message 513
// (WM_LBUTTONDOWN) with the mouse message in the low word of lParam.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/platform.h"

namespace tarnwick::win32view {

class Pictures;

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = 513;
// The tip field holds 64 UTF-16 units: 63 of text and the NUL.
inline constexpr std::size_t kTrayTipChars = 63;

// The model's name of a mouse message over the icon.
TrayMouse TrayMouseOf(UINT message);

// The tip as the record holds it: UTF-16 cut to 63 units, never inside a character.
std::wstring TrayTipText(const std::string& utf8Tip);

class TrayIcon {
  public:
    explicit TrayIcon(const Pictures& pictures);

    void setWindow(HWND window) { window_ = window; }

    // Adds, changes or removes the icon; a picture by name and the tip text.
    void apply(const std::string& picture, const std::string& tip, TrayAction action);

    // Whether the icon is in the notification area now.
    bool available() const { return shown_; }

    // The shell has restarted (the taskbar was created again) and lost every icon: put ours back
    // as it was.
    void restore();

  private:
    bool notify(DWORD operation);

    const Pictures& pictures_;
    HWND window_ = nullptr;
    NOTIFYICONDATAW data_;
    bool shown_ = false;
};

}  // namespace tarnwick::win32view
