#include "view-win32/pictures.h"

#include <algorithm>
#include <cctype>

namespace tarnwick::win32view {

std::string PictureResourceName(const std::string& picture) {
    std::string name = picture;
    for (char& c : name) {
        c = c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

Pictures::Pictures(HINSTANCE instance)
    : instance_(instance),
      qrCode_(static_cast<HBITMAP>(
          LoadImageA(instance, "QRCODE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {}

Pictures::~Pictures() {
    for (auto& [key, icon] : icons_) {
        DestroyIcon(icon);
    }
    if (qrCode_ != nullptr) {
        DeleteObject(qrCode_);
    }
}

HICON Pictures::icon(const std::string& name, int side) const {
    if (name.empty()) {
        return nullptr;
    }
    const auto key = std::make_pair(name, side);
    const auto found = icons_.find(key);
    if (found != icons_.end()) {
        return found->second;
    }
    auto* icon = static_cast<HICON>(LoadImageA(instance_, PictureResourceName(name).c_str(),
                                               IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    if (icon != nullptr) {
        icons_.emplace(key, icon);
    }
    return icon;
}

void Pictures::drawQrCode(HDC dc, const RECT& area) const {
    BITMAP info = {};
    if (qrCode_ == nullptr || GetObjectA(qrCode_, sizeof(info), &info) == 0 || info.bmWidth <= 0) {
        return;
    }
    const int room = static_cast<int>(std::min(area.right - area.left, area.bottom - area.top));
    const int scale = std::max<int>(1, room / info.bmWidth);
    const int side = info.bmWidth * scale;
    const int left = area.left + (area.right - area.left - side) / 2;
    const int top = area.top + (area.bottom - area.top - side) / 2;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, qrCode_);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, left, top, side, side, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace tarnwick::win32view
