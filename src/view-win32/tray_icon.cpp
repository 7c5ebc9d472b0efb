#include "view-win32/tray_icon.h"

#include <cstring>

#include "view-win32/form_metrics.h"
#include "view-win32/pictures.h"

namespace tarnwick::win32view {
namespace {

constexpr int kTrayIconSide = 16;

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the tray record's first layout is 88 bytes");
#endif

}  // namespace

TrayMouse TrayMouseOf(UINT message) {
    switch (message) {
        case WM_LBUTTONUP:
            return TrayMouse::LeftButtonUp;
        case WM_LBUTTONDBLCLK:
            return TrayMouse::LeftDoubleClick;
        case WM_RBUTTONUP:
            return TrayMouse::RightButtonUp;
        case WM_MBUTTONUP:
            return TrayMouse::MiddleButtonUp;
        default:
            return TrayMouse::Other;
    }
}

std::string TrayTipText(const std::string& utf8Tip) {
    const std::string ansi = ToAnsi(utf8Tip);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < ansi.size();) {
        const bool lead = IsDBCSLeadByte(static_cast<BYTE>(ansi[i])) != 0;
        const std::size_t next = i + (lead && i + 1 < ansi.size() ? 2 : 1);
        if (next > kTrayTipBytes) {
            break;
        }
        kept = next;
        i = next;
    }
    return ansi.substr(0, kept);
}

TrayIcon::TrayIcon(const Pictures& pictures) : pictures_(pictures), data_() {}

void TrayIcon::apply(const std::string& picture, const std::string& tip, TrayAction action) {
    if (action == TrayAction::Delete) {
        data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data_.hWnd = window_;
        data_.uID = kTrayIconId;
        if (shown_) {
            notify(NIM_DELETE);
        }
        shown_ = false;
        return;
    }
    std::memset(&data_, 0, sizeof(data_));
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window_;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = pictures_.icon(
        picture, GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : kTrayIconSide);
    const std::string text = TrayTipText(tip);
    std::memcpy(data_.szTip, text.data(), text.size());
    data_.szTip[text.size()] = '\0';
    if (action == TrayAction::Add) {
        shown_ = notify(NIM_ADD);
    } else if (shown_) {
        notify(NIM_MODIFY);
    }
}

void TrayIcon::restore() {
    if (shown_) {
        shown_ = notify(NIM_ADD);
    }
}

bool TrayIcon::notify(DWORD operation) {
    return window_ != nullptr && Shell_NotifyIconA(operation, &data_) != FALSE;
}

}  // namespace tarnwick::win32view
