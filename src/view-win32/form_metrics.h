#pragma once

// Twips, fonts, colours and code-page text: what every part of the window needs.
#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick::win32view {

// The window is laid out in twips, 1440 to the inch: 15 to the pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

// The screen's logical dots per inch (96 unless the user has scaled the display).
int ScreenDotsPerInch();

int TwipsToPixels(int twips, int dotsPerInch);

// A rectangle given in twips, in pixels. Its edges are converted, not its width, so that controls
// that touch in twips still touch in pixels.
RECT TwipsRect(int left, int top, int width, int height, int dotsPerInch);

// Text for and from the ANSI entry points: the system's code page (936 on a Chinese Windows).
// A character the code page lacks shows as the code page's default character.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);
// The ANSI text of a window, as UTF-8.
std::string WindowText(HWND window);

// The captions' face, "宋体" (SimSun), at a size in points; the caller deletes it.
HFONT CreateCaptionFont(double points, bool bold, int dotsPerInch);

// Colours of the form, as red, green, blue.
namespace colors {
inline constexpr COLORREF kLog = RGB(255, 255, 192);
inline constexpr COLORREF kDestination = RGB(255, 192, 255);
inline constexpr COLORREF kEntry = RGB(255, 224, 192);
inline constexpr COLORREF kParameters = RGB(192, 255, 255);
inline constexpr COLORREF kTypes = RGB(255, 192, 192);
inline constexpr COLORREF kTypeList = RGB(224, 224, 224);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kHide = RGB(0, 255, 0);
inline constexpr COLORREF kHint = RGB(0, 0, 255);
inline constexpr COLORREF kLine = RGB(255, 0, 0);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
}  // namespace colors

}  // namespace tarnwick::win32view
