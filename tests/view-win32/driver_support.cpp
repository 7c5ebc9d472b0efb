#include "driver_support.h"

#include <commctrl.h>

#include "common/win32_text.h"

namespace tarnwick::driver {
namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kWaitMs, &result) != 0
               ? static_cast<LRESULT>(result)
               : -1;
}

// How many pixels of a window's place on the screen equal those of an icon drawn there on the
// window's own background: an icon handle of another process cannot be drawn here, its picture
// on the screen can be read.
int PixelsLikeIcon(HWND window, HICON icon) {
    RECT place = {};
    GetWindowRect(window, &place);
    const int side = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(GetPixel(screen, place.left - 1, place.top));
    RECT all = {0, 0, side, side};
    FillRect(dc, &all, brush);
    DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    int same = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            same += GetPixel(dc, x, y) == GetPixel(screen, place.left + x, place.top + y) ? 1 : 0;
        }
    }
    DeleteObject(brush);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return same;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs; !condition(); Sleep(20)) {
        if (GetTickCount64() >= end) {
            return false;
        }
    }
    return true;
}

Process::~Process() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kWaitMs);
        CloseHandle(process_);
    }
}

bool Process::start(const std::string& exe, const std::string& folder) {
    std::wstring command = L"\"" + Widen(exe) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       Widen(folder).c_str(), &startup, &info) == FALSE) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

long Process::waitForExit(DWORD timeoutMs) {
    DWORD code = 0;
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0 &&
                   GetExitCodeProcess(process_, &code) != FALSE
               ? static_cast<long>(code)
               : -1;
}

std::string ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return Narrow(name);
}

struct WindowSearch {
    DWORD process;
    const std::string& className;
    const std::string& title;
    bool visibleOnly;
    std::vector<HWND> found;
};

// An EnumWindows callback (a named CALLBACK: a lambda has not the 32-bit calling convention).
BOOL CALLBACK CollectWindow(HWND window, LPARAM address) {
    auto& s = *reinterpret_cast<WindowSearch*>(address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((s.process == 0 || owner == s.process) &&
        (!s.visibleOnly || IsWindowVisible(window) != FALSE) &&
        (s.className.empty() || ClassName(window) == s.className) &&
        (s.title.empty() || Text(window) == s.title)) {
        s.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> TopWindows(DWORD process, const std::string& className, const std::string& title,
                             bool visibleOnly) {
    WindowSearch search{process, className, title, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD process, const std::string& className, const std::string& title) {
    HWND found = nullptr;
    WaitUntil([&] {
        const auto windows = TopWindows(process, className, title);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

std::string Text(HWND window) {
    std::wstring text(
        static_cast<std::size_t>(std::max<LRESULT>(Send(window, WM_GETTEXTLENGTH), 0)) + 1, L'\0');
    const LRESULT copied =
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return Narrow(text);
}

void SetText(HWND window, const std::string& text) {
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::vector<std::string> Rows(HWND list) {
    const bool combo = ClassName(list) == "ComboBox";
    std::vector<std::string> rows;
    const LRESULT count = Send(list, combo ? CB_GETCOUNT : LB_GETCOUNT);
    for (WPARAM row = 0; static_cast<LRESULT>(row) < count; ++row) {
        const LRESULT length = Send(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, row);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied = Send(list, combo ? CB_GETLBTEXT : LB_GETTEXT, row,
                                    reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        rows.push_back(Narrow(text));
    }
    return rows;
}

int CheckState(HWND button) {
    return static_cast<int>(Send(button, BM_GETCHECK));
}

bool Visible(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT PlaceInParent(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Sync(HWND window) {
    return Send(window, WM_NULL) != -1;
}

bool Click(HWND button) {
    return Send(button, BM_CLICK) != -1;
}

void ClickLater(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void SelectRow(HWND list, int row, bool doubleClick) {
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
    for (const WORD code : {LBN_SELCHANGE, LBN_DBLCLK}) {
        if (code == LBN_SELCHANGE || doubleClick) {
            Send(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code),
                 reinterpret_cast<LPARAM>(list));
        }
    }
}

void ClickLabel(HWND label) {
    Send(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
         reinterpret_cast<LPARAM>(label));
}

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (process_ != nullptr) {
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool RemoteMemory::write(const void* data, std::size_t size, std::size_t offset) {
    return address_ != nullptr &&
           WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                              nullptr) != FALSE;
}

bool RemoteMemory::read(void* data, std::size_t size, std::size_t offset) const {
    return address_ != nullptr && ReadProcessMemory(process_, static_cast<char*>(address_) + offset,
                                                    data, size, nullptr) != FALSE;
}

std::string RemoteMemory::text(std::size_t offset) const {
    wchar_t text[256] = {};
    read(text, sizeof(text) - sizeof(wchar_t), offset);
    return Narrow(text);
}

// The caption of tab i, through a TCITEMW (and its text) in the tab control's process.
std::string TabText(HWND tabs, int index) {
    constexpr std::size_t kText = 512;
    RemoteMemory memory(tabs, kText + 512);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(memory.address(kText));
    item.cchTextMax = 255;
    return memory.write(&item, sizeof(item)) &&
                   Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), memory.address()) > 0
               ? memory.text(kText)
               : "<unreadable>";
}

// A click in the middle of tab i.
bool ClickTab(HWND tabs, int index) {
    RemoteMemory memory(tabs, sizeof(RECT));
    RECT rect = {};
    if (Send(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.address()) <= 0 ||
        !memory.read(&rect, sizeof(rect))) {
        return false;
    }
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(tabs, WM_LBUTTONUP, 0, point);
    return Sync(tabs);
}

MessageBoxSeen WaitForMessageBox(DWORD process) {
    MessageBoxSeen seen;
    seen.box = WaitForWindow(process, "#32770");
    if (seen.box == nullptr) {
        return seen;
    }
    // A box shows before its last child has its text: wait for the button's.
    WaitUntil([&] { return !Text(GetDlgItem(seen.box, IDOK)).empty(); });
    seen.title = Text(seen.box);
    seen.text = Text(GetDlgItem(seen.box, 0xFFFF));
    // The icon is control 20 on Windows, 1088 in Wine's template. The information icon, not
    // the warning icon (which differs from it in most of its pixels), once the box is painted.
    for (const int id : {20, 1088}) {
        HWND icon = GetDlgItem(seen.box, id);
        if (icon != nullptr && (GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            const int enough = GetSystemMetrics(SM_CXICON) * GetSystemMetrics(SM_CXICON) * 95 / 100;
            seen.informationIcon = WaitUntil(
                [&] {
                    return PixelsLikeIcon(icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32516))) >=
                               enough &&
                           PixelsLikeIcon(icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32515))) <
                               enough;
                },
                5000);
        }
    }
    return seen;
}

bool PressOk(HWND box) {
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([box] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; });
}

std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopWindows(0, "__winex11_standalone_tray", {}, false)) {
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
std::string ToolTipText(HWND window) {
    constexpr std::size_t kText = 1024;
    RemoteMemory memory(window, kText + 512);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    for (HWND tips : TopWindows(process, TOOLTIPS_CLASSA, {}, false)) {
        for (LRESULT i = 0, count = Send(tips, TTM_GETTOOLCOUNT); i < count; ++i) {
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof(tool);
            tool.lpszText = reinterpret_cast<wchar_t*>(memory.address(kText));
            if (memory.write(&tool, sizeof(tool)) &&
                Send(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), memory.address()) > 0 &&
                memory.read(&tool, sizeof(tool)) &&
                (tool.hwnd == window || reinterpret_cast<HWND>(tool.uId) == window)) {
                return memory.text(kText);
            }
        }
    }
    return "<no tip>";
}

void ClickTrayIcon(HWND icon) {
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

}  // namespace tarnwick::driver
