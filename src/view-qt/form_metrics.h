#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include "ui/form_layout.h"

class QWidget;

namespace tarnwick::qtview {

using form::TwipsToPixels;

// A rectangle given in twips, in pixels.
QRect TwipsRect(const form::TwipsRect& twips, double dotsPerInch);
QRect TwipsRect(int left, int top, int width, int height, double dotsPerInch);

// The logical dots per inch of the screen a widget is on (the primary screen before it shows).
double DotsPerInch(const QWidget* widget);

// The face of every caption: SimSun where it is installed, else the first installed face that
// holds the Chinese characters of the window, so that Chinese never shows as boxes.
QString CaptionFamily();

QFont CaptionFont(const QString& family, double points, bool bold = false);

// A colour of the form; the palette's colour of that role where the form leaves it to the system.
QColor ColourOf(const form::Colour& colour, const QPalette& palette, QPalette::ColorRole role);

}  // namespace tarnwick::qtview
