#include "view-win32/win32_platform.h"

#include "common/win32_text.h"
#include "view-win32/browse_directorys_only.h"
#include "view-win32/form_metrics.h"
#include "view-win32/task_chooser.h"

namespace tarnwick::win32view {
namespace {

bool IsDialogWindow(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

}  // namespace

void DispatchOne(MSG& message, HWND mainWindow) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && (root == mainWindow || IsDialogWindow(root)) &&
        IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool PumpMessages(HWND mainWindow) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchOne(message, mainWindow);
    }
    return true;
}

Win32Platform::Win32Platform(HINSTANCE instance, const Pictures& pictures, TrayIcon& tray,
                             SingleInstance& singleInstance)
    : DesktopPlatform(tray, singleInstance), instance_(instance), pictures_(pictures) {}

HWND Win32Platform::owner() const {
    return runningWindow() != nullptr ? runningWindow()->handle() : nullptr;
}

void Win32Platform::showMessage(const std::string& text, const std::string& title) {
    MessageBoxW(owner(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

std::string Win32Platform::browseForFolder(const std::string& prompt,
                                           const std::string& startFolder) {
    return BrowseForFolder(owner(), prompt, startFolder);
}

void Win32Platform::showTaskChooser(Dialog& dialog) {
    TaskChooser chooser(dialog, pictures_, instance_,
                        window() != nullptr ? window()->dotsPerInch() : ScreenDotsPerInch());
    chooser.run(owner());
}

void Win32Platform::processEvents() {
    if (runningWindow() != nullptr) {
        runningWindow()->binder().paintLists();
    }
    PumpMessages(owner());
}

void Win32Platform::closeForGood() {
    if (window() != nullptr) {
        window()->destroy();  // its WM_DESTROY ends the message loop
    } else {
        PostQuitMessage(0);
    }
}

}  // namespace tarnwick::win32view
