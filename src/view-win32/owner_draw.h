#pragma once

// Drawing of the owner-drawn controls: the picture buttons, the frames with their coloured
// background and caption, the rectangles and the line, and list rows drawn from the model.
#include <windows.h>

#include <string>

namespace tarnwick::win32view {

// A push button with its picture above its caption, on a face of the given colour.
void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON picture, int pictureSide, COLORREF face);

// A frame: its background, an etched border, and its caption (the window's text) in the given
// colour at the top left, in the window's font.
void DrawFrame(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF caption);

// A rectangle shape: its outline, one pixel wide, on the background it stands on.
void DrawRectangleShape(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF outline);

// Fills the item with one colour (the line).
void FillItem(const DRAWITEMSTRUCT& item, COLORREF color);

// A row of an owner-drawn list box: its UTF-8 text after an indent, with an optional small
// picture before it, selected or not.
void DrawListRow(const DRAWITEMSTRUCT& item, const std::string& text, COLORREF background,
                 int indent = 0, HICON picture = nullptr, int pictureSide = 0);

}  // namespace tarnwick::win32view
