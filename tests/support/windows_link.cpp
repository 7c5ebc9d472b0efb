#include "support/windows_link.h"

#include <windows.h>

#include "common/win32_text.h"

namespace tarnwick::test {
namespace {

bool IsLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Under Wine, starts a program of the host system on the Unix forms of the paths and waits until
// it has done its work: Wine starts it without a handle to wait on.
bool RunOnHost(const std::wstring& command, const std::wstring& target, const std::wstring& link,
               bool linkWanted) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
        return false;
    }
    std::wstring line = command;
    for (const auto& path : {target, link}) {
        char* name = path.empty() ? nullptr : unixName(path.c_str());
        if (name != nullptr) {
            line += L" \"" + Widen(name) + L"\"";
            HeapFree(GetProcessHeap(), 0, name);
        }
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int tries = 0; tries < 1000 && Exists(link) != linkWanted; ++tries) {
        Sleep(10);
    }
    return Exists(link) == linkWanted;
}

}  // namespace

WindowsLink::WindowsLink(const std::string& link, const std::string& target) : link_(link) {
    const std::wstring wideLink = Widen(link);
    const std::wstring wideTarget = Widen(target);
    const DWORD targetAttributes = GetFileAttributesW(wideTarget.c_str());
    const bool folder = targetAttributes != INVALID_FILE_ATTRIBUTES &&
                        (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const DWORD flags =
        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE | (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
    if (CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), flags) && IsLink(wideLink)) {
        how_ = How::Api;
    } else if (RunOnHost(L"/bin/ln -s", wideTarget, wideLink, true)) {
        how_ = How::Host;
    }
}

WindowsLink::~WindowsLink() {
    const std::wstring link = Widen(link_);
    if (how_ == How::Api && !RemoveDirectoryW(link.c_str())) {
        DeleteFileW(link.c_str());  // a link to a file
    } else if (how_ == How::Host) {
        RunOnHost(L"/bin/rm -f", {}, link, false);
    }
}

}  // namespace tarnwick::test
