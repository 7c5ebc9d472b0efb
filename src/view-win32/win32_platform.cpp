#include "view-win32/win32_platform.h"

#include "common/win32_text.h"
#include "view-win32/browse_directorys_only.h"
#include "view-win32/form_metrics.h"
#include "view-win32/main_window.h"
#include "view-win32/single_instance.h"
#include "view-win32/task_chooser.h"
#include "view-win32/tray_icon.h"

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
    : instance_(instance), pictures_(pictures), tray_(tray), singleInstance_(singleInstance) {}

HWND Win32Platform::owner() const {
    return window_ != nullptr && !ended_ ? window_->handle() : nullptr;
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
                        window_ != nullptr ? window_->dotsPerInch() : ScreenDotsPerInch());
    chooser.run(owner());
}

void Win32Platform::setTrayIcon(const std::string& picture, const std::string& tip,
                                TrayAction action) {
    tray_.apply(picture, tip, action);
}

void Win32Platform::processEvents() {
    if (window_ != nullptr && !ended_) {
        window_->binder().paintLists();
    }
    PumpMessages(owner());
}

void Win32Platform::showWindow() {
    if (window_ != nullptr && !ended_) {
        window_->show();
    }
}

void Win32Platform::hideWindow() {
    if (window_ != nullptr && !ended_) {
        window_->hide();
    }
}

void Win32Platform::minimizeWindow() {
    if (window_ != nullptr && !ended_) {
        window_->minimize();
    }
}

bool Win32Platform::trayAvailable() {
    return tray_.shown();
}

void Win32Platform::endProgram() {
    if (ended_) {
        return;
    }
    ended_ = true;
    tray_.apply({}, {}, TrayAction::Delete);
    if (window_ != nullptr) {
        window_->destroy();  // its WM_DESTROY ends the message loop
    } else {
        PostQuitMessage(0);
    }
}

bool Win32Platform::anotherInstanceRunning() {
    return singleInstance_.anotherRunning();
}

}  // namespace tarnwick::win32view
