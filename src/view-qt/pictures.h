#pragma once

#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <string>

namespace tarnwick::qtview {

// The program's pictures, drawn as SVG and compiled in, by name: the model's "app", "busy1" and
// "busy2", the buttons' and tabs' pictures, and "qrcode", the QR code of the home page.
class Pictures {
  public:
    // The home page the build names; a placeholder until the project has one.
    static QByteArray HomePage();

    explicit Pictures(QByteArray qrText = HomePage());

    QIcon icon(const QString& name) const;
    // A square picture `side` pixels across, sharp on a screen of that device pixel ratio.
    QPixmap pixmap(const std::string& name, int side, qreal ratio) const;
    const QByteArray& qrText() const { return qrText_; }

  private:
    QPixmap qrCode(int side, qreal ratio) const;

    QByteArray qrText_;
    mutable QHash<QString, QPixmap> drawn_;
};

}  // namespace tarnwick::qtview
