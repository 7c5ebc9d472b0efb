// Draws the Windows program's pictures from the Linux program's drawings, so both show the same
// pictures: each SVG becomes an .ico holding the sizes a screen from 96 to 192 dots per inch
// asks for, and the home page becomes the QR code bitmap, one pixel per module.
//   render_pictures SVG_FOLDER OUT_FOLDER QR_TEXT
#include <qrencode.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

const int kSizes[] = {16, 20, 24, 32, 40, 48, 64};
constexpr int kQuietZone = 4;

void Put16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

void Put32(QByteArray& out, quint32 value) {
    Put16(out, static_cast<int>(value & 0xffff));
    Put16(out, static_cast<int>(value >> 16));
}

// One icon image as Windows keeps it: a 32-bit bottom-up DIB with its AND mask.
QByteArray IconImage(const QImage& image) {
    const int side = image.width();
    QByteArray out;
    Put32(out, 40);
    Put32(out, static_cast<quint32>(side));
    Put32(out, static_cast<quint32>(side * 2));  // colour and mask rows
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) {
        Put32(out, 0);
    }
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.append(static_cast<char>(qBlue(pixel)));
            out.append(static_cast<char>(qGreen(pixel)));
            out.append(static_cast<char>(qRed(pixel)));
            out.append(static_cast<char>(qAlpha(pixel)));
        }
    }
    const int maskRow = ((side + 31) / 32) * 4;
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < side; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    return out;
}

bool WriteIcon(const QString& svgPath, const QString& icoPath) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        return false;
    }
    std::vector<QByteArray> images;
    for (const int side : kSizes) {
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        // Straight, not premultiplied, alpha: what Windows expects in an icon.
        images.push_back(IconImage(image.convertToFormat(QImage::Format_ARGB32)));
    }
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);  // an icon
    Put16(out, static_cast<int>(images.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = kSizes[i];
        out.append(static_cast<char>(side >= 256 ? 0 : side));
        out.append(static_cast<char>(side >= 256 ? 0 : side));
        out.append('\0');  // no palette
        out.append('\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<quint32>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    QFile file(icoPath);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

bool WriteQrCode(const QByteArray& text, const QString& bmpPath) {
    QRcode* code = QRcode_encodeData(static_cast<int>(text.size()),
                                     reinterpret_cast<const unsigned char*>(text.constData()), 0,
                                     QR_ECLEVEL_M);
    if (code == nullptr) {
        return false;
    }
    const int side = code->width + 2 * kQuietZone;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if ((code->data[y * code->width + x] & 1) != 0) {
                image.setPixel(x + kQuietZone, y + kQuietZone, qRgb(0, 0, 0));
            }
        }
    }
    QRcode_free(code);
    return image.convertToFormat(QImage::Format_RGB888).save(bmpPath, "BMP");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_pictures SVG_FOLDER OUT_FOLDER QR_TEXT\n");
        return 2;
    }
    const QDir svgs(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    int failed = 0;
    for (const QString& name : svgs.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        const QString ico =
            out.filePath(QString(name).replace(QStringLiteral(".svg"), QStringLiteral(".ico")));
        if (!WriteIcon(svgs.filePath(name), ico)) {
            std::fprintf(stderr, "cannot draw %s\n", qPrintable(name));
            ++failed;
        }
    }
    if (!WriteQrCode(QByteArray(argv[3]), out.filePath(QStringLiteral("qrcode.bmp")))) {
        std::fprintf(stderr, "cannot draw the QR code\n");
        ++failed;
    }
    return failed == 0 ? 0 : 1;
}
