#include "view-qt/qr_code.h"

#include <qrencode.h>

#include <QPainter>
#include <memory>

namespace tarnwick::qtview {
namespace {

constexpr int kQuietZone = 4;

struct QrFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QrCode = std::unique_ptr<QRcode, QrFree>;

QrCode Encode(const QByteArray& text) {
    return QrCode(QRcode_encodeData(static_cast<int>(text.size()),
                                    reinterpret_cast<const unsigned char*>(text.constData()), 0,
                                    QR_ECLEVEL_M));
}

}  // namespace

int QrCodeModules(const QByteArray& text) {
    const QrCode code = Encode(text);
    return code ? code->width : 0;
}

QImage QrCodeImage(const QByteArray& text, int scale) {
    const QrCode code = Encode(text);
    if (!code || scale < 1) {
        return {};
    }
    const int side = (code->width + 2 * kQuietZone) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // Bit 0 of each module's byte says whether it is dark.
            if ((code->data[y * code->width + x] & 1) != 0) {
                painter.fillRect((x + kQuietZone) * scale, (y + kQuietZone) * scale, scale, scale,
                                 Qt::black);
            }
        }
    }
    return image;
}

}  // namespace tarnwick::qtview
