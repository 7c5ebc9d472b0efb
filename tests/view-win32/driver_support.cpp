#include "driver_support.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnwick::driver {
namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 10000;
// The icon of a message box: control 20 on Windows, 1088 in Wine's template.
constexpr int kMessageBoxIconIds[] = {20, 1088};
constexpr int kMessageBoxTextId = 0xFFFF;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                            &result) == 0) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD process;
    std::string className;
    std::string title;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (search->process != 0 && process != search->process) {
        return TRUE;
    }
    if (search->visibleOnly && IsWindowVisible(window) == FALSE) {
        return TRUE;
    }
    if (!search->className.empty() && ClassName(window) != search->className) {
        return TRUE;
    }
    if (!search->title.empty() && Text(window) != search->title) {
        return TRUE;
    }
    search->found.push_back(window);
    return TRUE;
}

// How many pixels of a window's place on the screen equal those of an icon drawn there on the
// window's own background: an icon handle of another process cannot be drawn here, its picture on
// the screen can be read.
int PixelsLikeIcon(HWND window, HICON icon) {
    RECT place = {};
    GetWindowRect(window, &place);
    const int side = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    // The background just left of the icon.
    const COLORREF background = GetPixel(screen, place.left - 1, place.top);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, side, side};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    int same = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            same += GetPixel(dc, x, y) == GetPixel(screen, place.left + x, place.top + y) ? 1 : 0;
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return same;
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (true) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(kPollMs);
    }
}

Process::~Process() {
    if (process_ != nullptr) {
        if (running()) {
            kill();
        }
        CloseHandle(process_);
    }
}

bool Process::start(const std::string& exe, const std::string& folder) {
    std::wstring command = L"\"" + Wide(exe) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       Wide(folder).c_str(), &startup, &info) == FALSE) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool Process::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long Process::waitForExit(DWORD timeoutMs) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

void Process::kill() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kWaitMs);
    }
}

std::string ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return Utf8(name);
}

std::vector<HWND> TopWindows(DWORD process, const std::string& className, const std::string& title,
                             bool visibleOnly) {
    WindowSearch search{process, className, title, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD process, const std::string& className, const std::string& title,
                   DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto windows = TopWindows(process, className, title);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::vector<HWND> AllTopWindows(const std::string& className) {
    return TopWindows(0, className, {}, false);
}

std::string Text(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Utf8(text);
}

void SetText(HWND window, const std::string& text) {
    const std::wstring wide = Wide(text);
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const LRESULT count = Send(list, LB_GETCOUNT);
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(row));
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied =
            Send(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        rows.push_back(Utf8(text));
    }
    return rows;
}

int ListSelection(HWND list) {
    return static_cast<int>(Send(list, LB_GETCURSEL));
}

std::vector<std::string> ComboRows(HWND combo) {
    std::vector<std::string> rows;
    const LRESULT count = Send(combo, CB_GETCOUNT);
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row));
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(row),
                                    reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        rows.push_back(Utf8(text));
    }
    return rows;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(Send(combo, CB_GETCURSEL));
}

int CheckState(HWND button) {
    return static_cast<int>(Send(button, BM_GETCHECK));
}

bool Visible(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Enabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

RECT PlaceInParent(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Sync(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

bool Click(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

void ClickLater(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void SelectRow(HWND list, int row, bool doubleClick) {
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
    Send(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
         reinterpret_cast<LPARAM>(list));
    if (doubleClick) {
        Send(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
             reinterpret_cast<LPARAM>(list));
    }
}

void SelectComboRow(HWND combo, int row) {
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(row));
    Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo));
}

void ClickLabel(HWND label) {
    Send(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
         reinterpret_cast<LPARAM>(label));
}

RemoteMemory::RemoteMemory(DWORD process, std::size_t size)
    : process_(
          OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process)) {
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

std::string TabText(HWND tabs, int index) {
    DWORD process = 0;
    GetWindowThreadProcessId(tabs, &process);
    constexpr std::size_t kTextOffset = 512;
    constexpr int kTextChars = 256;
    RemoteMemory memory(process, kTextOffset + kTextChars * sizeof(wchar_t));
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(memory.address() + kTextOffset);
    item.cchTextMax = kTextChars;
    const wchar_t empty = L'\0';
    if (!memory.write(&item, sizeof(item)) || !memory.write(&empty, sizeof(empty), kTextOffset) ||
        Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), memory.address()) <= 0) {
        return "<unreadable>";
    }
    wchar_t text[kTextChars] = {};
    memory.read(text, sizeof(text) - sizeof(wchar_t), kTextOffset);
    return Utf8(text);
}

bool ClickTab(HWND tabs, int index) {
    DWORD process = 0;
    GetWindowThreadProcessId(tabs, &process);
    RemoteMemory memory(process, sizeof(RECT));
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

MessageBoxSeen WaitForMessageBox(DWORD process, DWORD timeoutMs) {
    MessageBoxSeen seen;
    seen.box = WaitForWindow(process, "#32770", {}, timeoutMs);
    if (seen.box == nullptr) {
        return seen;
    }
    // A box shows before its last child has its text: wait for the button's.
    WaitUntil([&] { return !Text(GetDlgItem(seen.box, IDOK)).empty(); }, timeoutMs);
    seen.title = Text(seen.box);
    seen.text = Text(GetDlgItem(seen.box, kMessageBoxTextId));
    seen.okText = Text(GetDlgItem(seen.box, IDOK));
    for (const int id : kMessageBoxIconIds) {
        HWND icon = GetDlgItem(seen.box, id);
        if (icon == nullptr || (GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            continue;
        }
        // The system's information icon, not its warning icon (which differs from it in most of
        // its pixels), once the box is painted.
        const int side = GetSystemMetrics(SM_CXICON);
        const int enough = side * side * 95 / 100;
        HICON information = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
        HICON warning = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));      // IDI_WARNING
        seen.informationIcon = WaitUntil(
            [&] {
                return PixelsLikeIcon(icon, information) >= enough &&
                       PixelsLikeIcon(icon, warning) < enough;
            },
            5000);
    }
    return seen;
}

bool PressOk(HWND box) {
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([box] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; });
}

std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : AllTopWindows("__winex11_standalone_tray")) {
        for (HWND child = GetWindow(tray, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child) != FALSE) {
                icons.push_back(child);
            }
        }
    }
    return icons;
}

std::string ToolTipText(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    constexpr std::size_t kTextOffset = 1024;
    constexpr int kTextChars = 128;
    RemoteMemory memory(process, kTextOffset + kTextChars * sizeof(wchar_t));
    for (HWND tips : TopWindows(process, TOOLTIPS_CLASSA, {}, false)) {
        const LRESULT count = Send(tips, TTM_GETTOOLCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof(tool);
            tool.lpszText = reinterpret_cast<wchar_t*>(memory.address() + kTextOffset);
            const wchar_t empty = L'\0';
            if (!memory.write(&tool, sizeof(tool)) ||
                !memory.write(&empty, sizeof(empty), kTextOffset) ||
                Send(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), memory.address()) <= 0) {
                continue;
            }
            memory.read(&tool, sizeof(tool));
            if (tool.hwnd != window && reinterpret_cast<HWND>(tool.uId) != window) {
                continue;
            }
            wchar_t text[kTextChars] = {};
            memory.read(text, sizeof(text) - sizeof(wchar_t), kTextOffset);
            return Utf8(text);
        }
    }
    return "<no tip>";
}

void ClickTrayIcon(HWND icon) {
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok != FALSE && written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) != FALSE && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolders(const std::string& path) {
    std::wstring wide = Wide(path);
    for (std::size_t at = 3; at <= wide.size(); ++at) {
        if (at == wide.size() || wide[at] == L'\\') {
            CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
        }
    }
    return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int CountFiles(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            count += CountFiles(folder + "\\" + Utf8(name));
        } else {
            ++count;
        }
    } while (FindNextFileW(find, &entry) != FALSE);
    FindClose(find);
    return count;
}

}  // namespace tarnwick::driver
