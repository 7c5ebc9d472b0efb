#pragma once

// Driving another process's windows: starting it, finding its windows and controls, reading
// their texts and rows, clicking, and reading what only lives in its memory (tab captions,
// tips) through memory of that process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::driver {

// How long anything the program is asked to do may take before the driver gives up on it.
inline constexpr DWORD kWaitMs = 20000;

// Polls a condition every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

// A started program, killed if it still runs at the end.
struct Process {
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool start(const std::string& exe, const std::string& folder);
    DWORD id() const { return info.dwProcessId; }
    // The exit code, or -1 when the process has not ended in time.
    long waitForExit();

    PROCESS_INFORMATION info = {};
};

// A message sent and answered (-1 when the window did not answer in time).
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The top-level windows of a process (0: of any) of a class ("" for any).
std::vector<HWND> TopWindows(DWORD process, const std::string& className, bool visibleOnly = true);
// The first such visible window once it shows (with that title, unless ""); null when none has.
HWND WaitForWindow(DWORD process, const std::string& className, const std::string& title = {});

// A window's text through WM_GETTEXT (which other processes' controls answer).
std::string Text(HWND window);
void SetText(HWND window, const std::string& text);
// The rows of a list box, or of a combo box.
std::vector<std::string> Rows(HWND list);
bool Visible(HWND window);  // its own visible style, whatever its parent's
// What a user's choice of a list row sends: the selection, then the notifications.
void SelectRow(HWND list, int row, bool doubleClick = false);
// A control's notification to its parent, as a click on a label with SS_NOTIFY sends.
void Notify(HWND control, WORD code);
// A left click (press and release) at a point of a window, handled once the call returns.
bool ClickAt(HWND window, LONG x, LONG y);

std::string TabText(HWND tabs, int index);
bool ClickTab(HWND tabs, int index);
// Presses a message box's OK button; true once it has closed.
bool PressOk(HWND box);

// The icons of Wine's own notification area (one window of Wine's with a child per icon).
std::vector<HWND> TrayIcons();
// The tip of a window (a control, a tray icon), read from its process's tooltip controls.
std::string ToolTipText(HWND window);

}  // namespace tarnwick::driver
