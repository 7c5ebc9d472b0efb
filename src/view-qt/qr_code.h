#pragma once

#include <QByteArray>
#include <QImage>

namespace tarnwick::qtview {

// The QR code of a text (UTF-8, byte mode, error correction level M): dark modules on white with
// the four-module quiet zone around them, each module a square of `scale` pixels. Null when the
// text does not fit a QR code.
QImage QrCodeImage(const QByteArray& text, int scale);

// The number of modules across the code of that text, without the quiet zone; 0 when it does not
// fit.
int QrCodeModules(const QByteArray& text);

}  // namespace tarnwick::qtview
