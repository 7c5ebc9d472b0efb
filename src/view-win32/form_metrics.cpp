#include "view-win32/form_metrics.h"

#include <cmath>

#include "common/win32_text.h"

namespace tarnwick::win32view {

int ScreenDotsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips, int dotsPerInch) {
    return form::TwipsToPixels(twips, dotsPerInch);
}

RECT TwipsRect(const form::TwipsRect& twips, int dotsPerInch) {
    const form::PixelRect pixels = form::TwipsToPixels(twips, dotsPerInch);
    return {pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
}

RECT TwipsRect(int left, int top, int width, int height, int dotsPerInch) {
    return TwipsRect(form::TwipsRect{left, top, width, height}, dotsPerInch);
}

COLORREF ColourOf(const form::Colour& colour) {
    switch (colour.source) {
        case form::Colour::Source::Rgb:
            return RGB(colour.red, colour.green, colour.blue);
        case form::Colour::Source::Highlight:
            return GetSysColor(COLOR_HIGHLIGHT);
        case form::Colour::Source::System:
            break;
    }
    return CLR_INVALID;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return Narrow(text);
}

HFONT CreateCaptionFont(double points, bool bold, int dotsPerInch) {
    const int height = -static_cast<int>(std::lround(points * dotsPerInch / 72.0));
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

TEXTMETRICA FontMetrics(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics;
}

}  // namespace tarnwick::win32view
