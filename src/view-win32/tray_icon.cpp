#include "view-win32/tray_icon.h"

#include <algorithm>
#include <cstring>

#include "common/win32_text.h"
#include "view-win32/pictures.h"

namespace tarnwick::win32view {
namespace {

constexpr int kTrayIconSide = 16;

#ifndef _WIN64
static_assert(NOTIFYICONDATAW_V1_SIZE == 152, "the tray record's first layout is 152 bytes");
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

std::wstring TrayTipText(const std::string& utf8Tip) {
    std::wstring tip = Widen(utf8Tip);
    if (tip.size() > kTrayTipChars) {
        // A character beyond the first 65,536 takes two units; both or neither are kept.
        const bool splitsPair = IS_HIGH_SURROGATE(tip[kTrayTipChars - 1]);
        tip.resize(kTrayTipChars - (splitsPair ? 1 : 0));
    }
    return tip;
}

TrayIcon::TrayIcon(const Pictures& pictures) : pictures_(pictures), data_() {}

void TrayIcon::apply(const std::string& picture, const std::string& tip, TrayAction action) {
    if (action == TrayAction::Delete) {
        data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
        data_.hWnd = window_;
        data_.uID = kTrayIconId;
        if (shown_) {
            notify(NIM_DELETE);
        }
        shown_ = false;
        return;
    }
    std::memset(&data_, 0, sizeof(data_));
    data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data_.hWnd = window_;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = pictures_.icon(
        picture, GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : kTrayIconSide);
    const std::wstring text = TrayTipText(tip);
    std::copy(text.begin(), text.end(), data_.szTip);
    data_.szTip[text.size()] = L'\0';
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
    return window_ != nullptr && Shell_NotifyIconW(operation, &data_) != FALSE;
}

}  // namespace tarnwick::win32view
