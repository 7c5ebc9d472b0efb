// Defaults on Windows: the program's folder, the shell's desktop folder, windir's drive.
#include <windows.h>

#include <shlobj.h>

#include "app/host_defaults.h"
#include "common/win32_text.h"

namespace tarnwick {
namespace {

// The folder of the executable, without a trailing separator except at a drive root.
std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    if (folder.size() == 2 && folder[1] == L':') {
        folder.push_back(L'\\');
    }
    return Narrow(folder);
}

// The file-system path of a shell special folder, "" when it has none.
std::string SpecialFolderPath(int folderId) {
    LPITEMIDLIST items = nullptr;
    // The owner argument is reserved; the shell ignores it.
    if (SHGetSpecialFolderLocation(reinterpret_cast<HWND>(100), folderId, &items) != S_OK) {
        return {};
    }
    wchar_t buffer[512] = {};
    const bool found = SHGetPathFromIDListW(items, buffer);
    CoTaskMemFree(items);
    return found ? Narrow(buffer) : std::string();
}

std::string WindowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"windir", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Narrow(buffer) : std::string();
}

}  // namespace

HostDefaults MakeHostDefaults() {
    HostDefaults defaults;
    defaults.style = PathStyle::Windows;
    const std::string programFolder = ExecutableFolder();
    defaults.taskFile = programFolder + "\\TarnwickConfig.ini";
    defaults.logFile = programFolder + "\\Tarnwick.log";
    defaults.backFolder = "D:\\back";
    defaults.blankDestinationReplacement = "C:\\windows\\desktop";
    defaults.desktopFolder = SpecialFolderPath(CSIDL_DESKTOP);
    defaults.documentsFolder = WindowsFolder().substr(0, 3) + "My Documents";
    return defaults;
}

}  // namespace tarnwick
