#pragma once

// Twips, fonts, colours and window text: what every part of the window needs.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/form_layout.h"

namespace tarnwick::win32view {

// The screen's logical dots per inch (96 unless the user has scaled the display).
int ScreenDotsPerInch();

int TwipsToPixels(int twips, int dotsPerInch);
// A rectangle given in twips, in pixels.
RECT TwipsRect(const form::TwipsRect& twips, int dotsPerInch);
RECT TwipsRect(int left, int top, int width, int height, int dotsPerInch);

// The text of a window, read through the wide entry point, as UTF-8.
std::string WindowText(HWND window);

// The captions' face, "宋体" (SimSun), at a size in points; the caller deletes it.
HFONT CreateCaptionFont(double points, bool bold, int dotsPerInch);
// A font's metrics as it draws on a window (null: the screen).
TEXTMETRICA FontMetrics(HWND window, HFONT font);

// A colour of the form; CLR_INVALID where the form leaves it to the system.
COLORREF ColourOf(const form::Colour& colour);

}  // namespace tarnwick::win32view
