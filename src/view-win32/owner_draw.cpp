#include "view-win32/owner_draw.h"

#include <algorithm>

#include "common/win32_text.h"

namespace tarnwick::win32view {
namespace {

constexpr int kRowMargin = 2;
constexpr int kCaptionIndent = 8;

void Fill(HDC dc, const RECT& area, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

std::wstring WideText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace

void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON picture, int pictureSide, COLORREF face) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    Fill(dc, area, face);
    DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    HGDIOBJ oldFont = SelectObject(dc, FontOf(item.hwndItem));
    const std::wstring caption = WideText(item.hwndItem);
    RECT measured = {0, 0, area.right - area.left, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int textHeight = measured.bottom - measured.top;
    const int gap = pictureSide / 8;
    const int shift = pressed ? 1 : 0;
    const int blockTop =
        area.top + std::max<int>(0, (area.bottom - area.top - pictureSide - gap - textHeight) / 2);
    if (picture != nullptr) {
        const int left = area.left + (area.right - area.left - pictureSide) / 2 + shift;
        if (disabled) {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, left,
                       blockTop + shift, pictureSide, pictureSide, DST_ICON | DSS_DISABLED);
        } else {
            DrawIconEx(dc, left, blockTop + shift, picture, pictureSide, pictureSide, 0, nullptr,
                       DI_NORMAL);
        }
    }
    RECT text = {area.left + shift, blockTop + pictureSide + gap + shift, area.right + shift,
                 blockTop + pictureSide + gap + textHeight + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = area;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void DrawFrame(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF caption) {
    HDC dc = item.hDC;
    const RECT area = item.rcItem;
    Fill(dc, area, background);
    HGDIOBJ oldFont = SelectObject(dc, FontOf(item.hwndItem));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    RECT border = area;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);

    const std::wstring text = WideText(item.hwndItem);
    if (!text.empty()) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT label = {area.left + kCaptionIndent, area.top,
                      area.left + kCaptionIndent + size.cx + 4, area.top + metrics.tmHeight};
        Fill(dc, label, background);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, caption);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

void DrawRectangleShape(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF outline) {
    HDC dc = item.hDC;
    Fill(dc, item.rcItem, background);
    HBRUSH brush = CreateSolidBrush(outline);
    FrameRect(dc, &item.rcItem, brush);
    DeleteObject(brush);
}

void FillItem(const DRAWITEMSTRUCT& item, COLORREF color) {
    Fill(item.hDC, item.rcItem, color);
}

void DrawListRow(const DRAWITEMSTRUCT& item, const std::string& text, COLORREF background,
                 int indent, HICON picture, int pictureSide) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    Fill(dc, item.rcItem, selected ? GetSysColor(COLOR_HIGHLIGHT) : background);
    int left = item.rcItem.left + kRowMargin + indent;
    if (picture != nullptr) {
        const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - pictureSide) / 2;
        DrawIconEx(dc, left, top, picture, pictureSide, pictureSide, 0, nullptr, DI_NORMAL);
        left += pictureSide + kRowMargin;
    }
    const std::wstring wide = Widen(text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT area = item.rcItem;
    area.left = left;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &item.rcItem);
    }
}

}  // namespace tarnwick::win32view
