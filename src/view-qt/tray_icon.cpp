#include "view-qt/tray_icon.h"

#include "view-qt/pictures.h"

namespace tarnwick::qtview {

TrayIcon::TrayIcon(const Pictures& pictures, Availability available, QObject* parent)
    : QObject(parent),
      pictures_(pictures),
      available_(available ? std::move(available)
                           : Availability([] { return QSystemTrayIcon::isSystemTrayAvailable(); })),
      icon_() {
    setObjectName(QStringLiteral("TrayIcon"));
    icon_.setObjectName(QStringLiteral("TrayIcon"));
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
}

void TrayIcon::apply(const std::string& picture, const std::string& tip, TrayAction action) {
    if (action == TrayAction::Delete) {
        icon_.hide();
        return;
    }
    if (picture != picture_ || icon_.icon().isNull()) {
        picture_ = picture;
        icon_.setIcon(pictures_.icon(QString::fromStdString(picture)));
    }
    icon_.setToolTip(QString::fromStdString(tip));
    if (action == TrayAction::Add) {
        icon_.show();
    }
}

void TrayIcon::activate(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit mouseMessage(TrayMouse::LeftButtonUp);
            break;
        case QSystemTrayIcon::DoubleClick:
            // A double click ends with the button's release, as any click does.
            emit mouseMessage(TrayMouse::LeftDoubleClick);
            emit mouseMessage(TrayMouse::LeftButtonUp);
            break;
        case QSystemTrayIcon::Context:
            emit mouseMessage(TrayMouse::RightButtonUp);
            break;
        case QSystemTrayIcon::MiddleClick:
            emit mouseMessage(TrayMouse::MiddleButtonUp);
            break;
        case QSystemTrayIcon::Unknown:
            break;
    }
}

}  // namespace tarnwick::qtview
