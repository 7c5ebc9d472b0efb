#pragma once

// Driving another process's windows: starting it, finding its windows and controls, reading
// their texts, list rows and check states, clicking, answering its message boxes, and reading
// what only lives in its memory (tab captions, tray tips) through memory of that process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::driver {

// How long anything the program is asked to do may take before the driver gives up on it.
inline constexpr DWORD kWaitMs = 20000;

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// Polls a condition every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

// A started program.
class Process {
  public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts the program in a working folder; false when it cannot start.
    bool start(const std::string& exe, const std::string& folder);
    DWORD id() const { return id_; }
    bool running() const;
    // Waits for the process to end; its exit code, or -1 when it has not ended in time.
    long waitForExit(DWORD timeoutMs = kWaitMs);
    void kill();

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

std::string ClassName(HWND window);
// The visible top-level windows of a process, of a class ("" for any), with a title ("" for
// any).
std::vector<HWND> TopWindows(DWORD process, const std::string& className,
                             const std::string& title = {}, bool visibleOnly = true);
// The first such window once it shows; null when none has shown in time.
HWND WaitForWindow(DWORD process, const std::string& className, const std::string& title = {},
                   DWORD timeoutMs = kWaitMs);

// Every top-level window of that class in the session.
std::vector<HWND> AllTopWindows(const std::string& className);

// A window's text through WM_GETTEXT (which other processes' controls answer).
std::string Text(HWND window);
void SetText(HWND window, const std::string& text);
std::vector<std::string> ListRows(HWND list);
int ListSelection(HWND list);
std::vector<std::string> ComboRows(HWND combo);
int ComboSelection(HWND combo);
int CheckState(HWND button);
bool Visible(HWND window);  // its own visible style, whatever its parent's
bool Enabled(HWND window);
// A window's place in its parent's client area.
RECT PlaceInParent(HWND window);

// Returns once the window's thread has handled every message sent before (a round trip).
bool Sync(HWND window);
// A click that returns once handled (BM_CLICK sent), and one that returns at once (BM_CLICK
// posted), for a click that opens a modal box.
bool Click(HWND button);
void ClickLater(HWND button);
// What a user's choice of a list row sends: the selection, then the notification to the parent.
void SelectRow(HWND list, int row, bool doubleClick = false);
void SelectComboRow(HWND combo, int row);
// A click on a label with SS_NOTIFY.
void ClickLabel(HWND label);

// Memory in another process, for messages whose data the system does not carry across.
class RemoteMemory {
  public:
    RemoteMemory(DWORD process, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return address_ != nullptr; }
    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    bool write(const void* data, std::size_t size, std::size_t offset = 0);
    bool read(void* data, std::size_t size, std::size_t offset = 0) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The caption of tab i of another process's tab control.
std::string TabText(HWND tabs, int index);
// A click in the middle of tab i.
bool ClickTab(HWND tabs, int index);

// A message box of the process: its title, text, the text of its OK button, and whether its icon
// is the system's information icon.
struct MessageBoxSeen {
    HWND box = nullptr;
    std::string title;
    std::string text;
    std::string okText;
    bool informationIcon = false;
};
MessageBoxSeen WaitForMessageBox(DWORD process, DWORD timeoutMs = kWaitMs);
// Presses its OK button; true once it has closed.
bool PressOk(HWND box);

// The icons of Wine's own notification area (without a tray of the desktop's, Wine shows one
// window of its own that holds a child window per icon).
std::vector<HWND> TrayIcons();
// The tip of a window (a control, a tray icon), read from its process's tooltip controls.
std::string ToolTipText(HWND window);
// A left click (press and release) on a tray icon.
void ClickTrayIcon(HWND icon);

// Text files on the driver's side.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool MakeFolders(const std::string& path);
int CountFiles(const std::string& folder);

}  // namespace tarnwick::driver
