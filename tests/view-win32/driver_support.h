#pragma once

// Driving another process's windows: starting it, finding its windows and controls, reading
// their texts and rows, clicking, and reading what only lives in its memory (tab captions,
// tips) through memory of that process.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32_text.h"

namespace tarnwick::driver {

// How long anything the program is asked to do may take before the driver gives up on it.
inline constexpr DWORD kWaitMs = 20000;

// Polls a condition every few milliseconds until it holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs; !condition(); Sleep(20)) {
        if (GetTickCount64() >= end) {
            return false;
        }
    }
    return true;
}

// A message sent and answered (-1 when the window did not answer in time).
inline LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kWaitMs, &result) != 0
               ? static_cast<LRESULT>(result)
               : -1;
}

namespace detail {

// Memory in another process, for messages whose data the system does not carry across.
class RemoteMemory {
  public:
    explicit RemoteMemory(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        address_ = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM address(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(address_ + offset);
    }
    bool write(const void* data, std::size_t size, std::size_t offset = 0) {
        return WriteProcessMemory(process_, address_ + offset, data, size, nullptr) != FALSE;
    }
    bool read(void* data, std::size_t size, std::size_t offset = 0) const {
        return ReadProcessMemory(process_, address_ + offset, data, size, nullptr) != FALSE;
    }
    // The wide text at an offset (within the last 2 KB), as UTF-8.
    std::string text(std::size_t offset) const {
        wchar_t text[1024] = {};
        return read(text, sizeof(text) - sizeof(wchar_t), offset) ? Narrow(text) : "<unreadable>";
    }

  private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

inline constexpr std::size_t kTextOffset = 2048;  // where a remote structure's text goes

struct WindowSearch {
    DWORD process;
    const std::string& className;
    bool visibleOnly;
    std::vector<HWND> found;
};

// An EnumWindows callback (named: a lambda has not the 32-bit calling convention).
inline BOOL CALLBACK CollectWindow(HWND window, LPARAM address) {
    auto& s = *reinterpret_cast<WindowSearch*>(address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if ((s.process == 0 || owner == s.process) &&
        (!s.visibleOnly || IsWindowVisible(window) != FALSE) &&
        (s.className.empty() || Narrow(name) == s.className)) {
        s.found.push_back(window);
    }
    return TRUE;
}

// The text a message copies into a buffer of the length another message answers.
inline std::string Copied(HWND window, UINT lengthMessage, UINT textMessage, WPARAM which) {
    std::wstring text(
        static_cast<std::size_t>(std::max<LRESULT>(Send(window, lengthMessage, which), 0)) + 1,
        L'\0');
    const LRESULT copied =
        Send(window, textMessage, textMessage == WM_GETTEXT ? text.size() : which,
             reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return Narrow(text);
}

}  // namespace detail

// A started program, killed if it still runs at the end.
struct Process {
    Process() = default;
    ~Process() {
        if (info.hProcess != nullptr) {
            TerminateProcess(info.hProcess, 99);
            WaitForSingleObject(info.hProcess, kWaitMs);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool start(const std::string& exe, const std::string& folder) {
        std::wstring command = L"\"" + Widen(exe) + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              Widen(folder).c_str(), &startup, &info) != FALSE;
    }
    DWORD id() const { return info.dwProcessId; }
    // The exit code, or -1 when the process has not ended in time.
    long waitForExit() {
        DWORD code = 0;
        return info.hProcess != nullptr &&
                       WaitForSingleObject(info.hProcess, kWaitMs) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(info.hProcess, &code) != FALSE
                   ? static_cast<long>(code)
                   : -1;
    }

    PROCESS_INFORMATION info = {};
};

// The top-level windows of a process (0: of any) of a class ("" for any).
inline std::vector<HWND> TopWindows(DWORD process, const std::string& className,
                                    bool visibleOnly = true) {
    detail::WindowSearch search{process, className, visibleOnly, {}};
    EnumWindows(detail::CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window's text through WM_GETTEXT (which other processes' controls answer).
inline std::string Text(HWND window) {
    return detail::Copied(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0);
}

// The first such visible window once it shows; null when none has.
inline HWND WaitForWindow(DWORD process, const std::string& className) {
    HWND found = nullptr;
    WaitUntil([&] {
        const auto windows = TopWindows(process, className);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

inline void SetText(HWND window, const std::string& text) {
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

// The rows of a list box.
inline std::vector<std::string> Rows(HWND list) {
    std::vector<std::string> rows;
    for (WPARAM row = 0; static_cast<LRESULT>(row) < Send(list, LB_GETCOUNT); ++row) {
        rows.push_back(detail::Copied(list, LB_GETTEXTLEN, LB_GETTEXT, row));
    }
    return rows;
}

// Its own visible style, whatever its parent's.
inline bool Visible(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A control's notification to its parent, as a click on a label with SS_NOTIFY sends.
inline void Notify(HWND control, WORD code) {
    Send(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
         reinterpret_cast<LPARAM>(control));
}

// What a user's choice of a list row sends: the selection, then the notifications.
inline void SelectRow(HWND list, int row, bool doubleClick = false) {
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
    Notify(list, LBN_SELCHANGE);
    if (doubleClick) {
        Notify(list, LBN_DBLCLK);
    }
}

// A left click (press and release) at a point of a window, handled once the call returns.
inline bool ClickAt(HWND window, LONG x, LONG y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return Send(window, WM_NULL) != -1;
}

// The caption of tab i, through a TCITEMW (and its text) in the tab control's process.
inline std::string TabText(HWND tabs, int index) {
    detail::RemoteMemory memory(tabs);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(memory.address(detail::kTextOffset));
    item.cchTextMax = 255;
    return memory.write(&item, sizeof(item)) &&
                   Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), memory.address()) > 0
               ? memory.text(detail::kTextOffset)
               : "<unreadable>";
}

// A click in the middle of tab i.
inline bool ClickTab(HWND tabs, int index) {
    detail::RemoteMemory memory(tabs);
    RECT rect = {};
    return Send(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.address()) > 0 &&
           memory.read(&rect, sizeof(rect)) &&
           ClickAt(tabs, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Presses a message box's OK button; true once it has closed.
inline bool PressOk(HWND box) {
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([box] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; });
}

// The icons of Wine's own notification area (one window of Wine's with a child per icon).
inline std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopWindows(0, "__winex11_standalone_tray", false)) {
        for (HWND child = GetWindow(tray, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child) != FALSE) {
                icons.push_back(child);
            }
        }
    }
    return icons;
}

// Each tool of each tooltip control of the window's process, read through a TTTOOLINFOW in
// that process, until one is the window's.
inline std::string ToolTipText(HWND window) {
    detail::RemoteMemory memory(window);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    for (HWND tips : TopWindows(process, TOOLTIPS_CLASSA, false)) {
        for (LRESULT i = 0, count = Send(tips, TTM_GETTOOLCOUNT); i < count; ++i) {
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof(tool);
            tool.lpszText = reinterpret_cast<wchar_t*>(memory.address(detail::kTextOffset));
            if (memory.write(&tool, sizeof(tool)) &&
                Send(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), memory.address()) > 0 &&
                memory.read(&tool, sizeof(tool)) &&
                (tool.hwnd == window || reinterpret_cast<HWND>(tool.uId) == window)) {
                return memory.text(detail::kTextOffset);
            }
        }
    }
    return "<no tip>";
}

}  // namespace tarnwick::driver
