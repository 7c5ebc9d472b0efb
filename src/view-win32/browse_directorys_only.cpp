#include "view-win32/browse_directorys_only.h"

#include <shlobj.h>

#include "common/text_encoding.h"

namespace tarnwick::win32view {
namespace {

constexpr UINT kReturnOnlyFileSystemFolders = 1;
constexpr UINT kDontGoBelowDomain = 2;
constexpr UINT kStatusText = 4;
constexpr UINT kInitialized = 1;
constexpr UINT kSelectionChanged = 2;
constexpr UINT kSetStatusTextA = 0x464;
constexpr UINT kSetSelectionA = 0x466;
constexpr int kPathBuffer = MAX_PATH;

// The start folder of the dialog being shown, in the code page and followed by its NUL. It stays
// set after the dialog closes and is replaced by the next browse.
std::string BrowseStartFolder(1, '\0');

// Text for an ANSI entry point. A character the code page lacks cannot reach the shell; the
// text is then given as far as the code page holds it, which only loses the dialog's position.
std::string ToAnsi(const std::string& utf8) {
    if (auto ansi = Utf8ToAnsi(utf8)) {
        return *ansi;
    }
    std::string kept;
    for (std::size_t i = 0; i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80; ++i) {
        kept.push_back(utf8[i]);
    }
    return kept;
}

}  // namespace

void SetBrowseStartFolder(const std::string& startFolder) {
    BrowseStartFolder = ToAnsi(startFolder);
    BrowseStartFolder.push_back('\0');
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM value, LPARAM /*userData*/) {
    if (message == kInitialized) {
        SendMessageA(dialog, kSetSelectionA, TRUE,
                     reinterpret_cast<LPARAM>(BrowseStartFolder.c_str()));
    } else if (message == kSelectionChanged) {
        char path[kPathBuffer] = {};
        // A selection without a file-system path (a virtual folder) keeps the last status text.
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(value), path) == TRUE) {
            SendMessageA(dialog, kSetStatusTextA, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

std::string BrowseForFolder(HWND owner, const std::string& prompt, const std::string& startFolder) {
    SetBrowseStartFolder(startFolder);
    const std::string title = ToAnsi(prompt);
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = kReturnOnlyFileSystemFolders | kDontGoBelowDomain | kStatusText;
    info.lpfn = BrowseCallback;
    info.lParam = 0;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) {
        return {};
    }
    char path[kPathBuffer] = {};
    // Only the path is wanted from the item list; a lookup that fails leaves "", which the
    // caller takes as no choice.
    SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    return AnsiToUtf8(path);
}

}  // namespace tarnwick::win32view
