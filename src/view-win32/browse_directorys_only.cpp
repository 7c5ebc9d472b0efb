#include "view-win32/browse_directorys_only.h"

#include <shlobj.h>

#include "common/win32_text.h"

namespace tarnwick::win32view {
namespace {

constexpr UINT kReturnOnlyFileSystemFolders = 1;
constexpr UINT kDontGoBelowDomain = 2;
constexpr UINT kStatusText = 4;
constexpr UINT kInitialized = 1;
constexpr UINT kSelectionChanged = 2;
constexpr UINT kSetStatusTextW = 0x468;
constexpr UINT kSetSelectionW = 0x467;
constexpr int kPathBuffer = MAX_PATH;

// The start folder of the dialog being shown. It stays set after the dialog closes and is
// replaced by the next browse.
std::wstring BrowseStartFolder;

}  // namespace

void SetBrowseStartFolder(const std::string& startFolder) {
    BrowseStartFolder = Widen(startFolder);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM value, LPARAM /*userData*/) {
    if (message == kInitialized) {
        SendMessageW(dialog, kSetSelectionW, TRUE,
                     reinterpret_cast<LPARAM>(BrowseStartFolder.c_str()));
    } else if (message == kSelectionChanged) {
        wchar_t path[kPathBuffer] = {};
        // A selection without a file-system path (a virtual folder) keeps the last status text.
        if (SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(value), path) == TRUE) {
            SendMessageW(dialog, kSetStatusTextW, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

std::string BrowseForFolder(HWND owner, const std::string& prompt, const std::string& startFolder) {
    SetBrowseStartFolder(startFolder);
    const std::wstring title = Widen(prompt);
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = kReturnOnlyFileSystemFolders | kDontGoBelowDomain | kStatusText;
    info.lpfn = BrowseCallback;
    info.lParam = 0;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) {
        return {};
    }
    wchar_t path[kPathBuffer] = {};
    // Only the path is wanted from the item list; a lookup that fails leaves "", which the
    // caller takes as no choice.
    SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return Narrow(path);
}

}  // namespace tarnwick::win32view
