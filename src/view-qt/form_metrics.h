#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace tarnwick::qtview {

// The window is drawn in twips, 1440 to the inch: 15 to the pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(int twips, double dotsPerInch);

// A rectangle given in twips, in pixels. Its edges are converted, not its width, so that controls
// that touch in twips still touch in pixels.
QRect TwipsRect(int left, int top, int width, int height, double dotsPerInch);

// The logical dots per inch of the screen a widget is on (the primary screen before it shows).
double DotsPerInch(const QWidget* widget);

// The face of every caption: SimSun where it is installed, else the first installed face that
// holds the Chinese characters of the window, so that Chinese never shows as boxes.
QString CaptionFamily();

QFont CaptionFont(const QString& family, double points, bool bold = false);

}  // namespace tarnwick::qtview
