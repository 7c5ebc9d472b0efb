#include "view-qt/pictures.h"

#include <algorithm>

#include "view-qt/qr_code.h"

namespace tarnwick::qtview {
namespace {

constexpr int kQuietModules = 8;  // four on each side

}  // namespace

QByteArray Pictures::HomePage() {
    return QByteArrayLiteral(TARNWICK_HOME_PAGE);
}

Pictures::Pictures(QByteArray qrText) : qrText_(std::move(qrText)) {}

QIcon Pictures::icon(const QString& name) const {
    return QIcon(QStringLiteral(":/pictures/%1.svg").arg(name));
}

QPixmap Pictures::pixmap(const std::string& name, int side, qreal ratio) const {
    const QString key =
        QStringLiteral("%1@%2x%3").arg(QString::fromStdString(name)).arg(side).arg(ratio);
    const auto found = drawn_.constFind(key);
    if (found != drawn_.constEnd()) {
        return *found;
    }
    const QPixmap picture =
        name == "qrcode" ? qrCode(side, ratio)
                         : icon(QString::fromStdString(name)).pixmap(QSize(side, side), ratio);
    drawn_.insert(key, picture);
    return picture;
}

QPixmap Pictures::qrCode(int side, qreal ratio) const {
    // Whole device pixels per module keep every module the same size, which a scanner needs.
    const int modules = QrCodeModules(qrText_) + kQuietModules;
    const int scale = std::max(1, static_cast<int>(side * ratio) / modules);
    QPixmap picture = QPixmap::fromImage(QrCodeImage(qrText_, scale));
    picture.setDevicePixelRatio(ratio);
    return picture;
}

}  // namespace tarnwick::qtview
