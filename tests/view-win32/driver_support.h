#pragma once

// Driving another process's windows: starting it, finding its windows and controls, reading
// their texts, rows and check states, clicking, answering its message boxes, and reading what
// only lives in its memory (tab captions, tips) through memory of that process.
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
class Process {
  public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool start(const std::string& exe, const std::string& folder);
    DWORD id() const { return id_; }
    // The exit code, or -1 when the process has not ended in time.
    long waitForExit(DWORD timeoutMs = kWaitMs);

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

std::string ClassName(HWND window);
// The top-level windows of a process (0: of any) of a class and title ("" for any).
std::vector<HWND> TopWindows(DWORD process, const std::string& className,
                             const std::string& title = {}, bool visibleOnly = true);
// The first such visible window once it shows; null when none has shown in time.
HWND WaitForWindow(DWORD process, const std::string& className, const std::string& title = {});

// A window's text through WM_GETTEXT (which other processes' controls answer).
std::string Text(HWND window);
void SetText(HWND window, const std::string& text);
// The rows of a list box, or of a combo box.
std::vector<std::string> Rows(HWND list);
int CheckState(HWND button);
bool Visible(HWND window);  // its own visible style, whatever its parent's
RECT PlaceInParent(HWND window);

// Returns once the window's thread has handled every message sent before (a round trip).
bool Sync(HWND window);
// A click that returns once handled, and one that returns at once (for one that opens a modal
// box).
bool Click(HWND button);
void ClickLater(HWND button);
// What a user's choice of a list row sends: the selection, then the notifications.
void SelectRow(HWND list, int row, bool doubleClick = false);
// A click on a label with SS_NOTIFY.
void ClickLabel(HWND label);

// Memory in another process, for messages whose data the system does not carry across.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM address(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(address_) + static_cast<LPARAM>(offset);
    }
    bool write(const void* data, std::size_t size, std::size_t offset = 0);
    bool read(void* data, std::size_t size, std::size_t offset = 0) const;
    // The wide text at an offset, as UTF-8.
    std::string text(std::size_t offset) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

std::string TabText(HWND tabs, int index);
bool ClickTab(HWND tabs, int index);

// A message box of the process: its title, text, and whether its icon is the system's
// information icon.
struct MessageBoxSeen {
    HWND box = nullptr;
    std::string title;
    std::string text;
    bool informationIcon = false;
};
MessageBoxSeen WaitForMessageBox(DWORD process);
// Presses its OK button; true once it has closed.
bool PressOk(HWND box);

// The icons of Wine's own notification area (one window of Wine's with a child per icon).
std::vector<HWND> TrayIcons();
// The tip of a window (a control, a tray icon), read from its process's tooltip controls.
std::string ToolTipText(HWND window);
// A left click (press and release) on a tray icon.
void ClickTrayIcon(HWND icon);

}  // namespace tarnwick::driver
