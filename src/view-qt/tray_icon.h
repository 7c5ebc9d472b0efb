#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <string>

#include "app/platform.h"

namespace tarnwick::qtview {

class Pictures;

// The icon in the tray. It speaks the model's language both ways: it takes a picture's name and a
// tip, and reports the user's clicks as the model names them.
class TrayIcon : public QObject {
    Q_OBJECT

  public:
    using Availability = std::function<bool()>;

    // `available` answers whether the desktop has a tray; by default Qt asks the desktop.
    TrayIcon(const Pictures& pictures, Availability available, QObject* parent = nullptr);

    void apply(const std::string& picture, const std::string& tip, TrayAction action);
    bool available() const { return available_(); }

    // What the tray shows now.
    const QSystemTrayIcon& icon() const { return icon_; }
    const std::string& picture() const { return picture_; }

  signals:
    void mouseMessage(tarnwick::TrayMouse event);

  public slots:
    // A click on the icon as Qt reports it.
    void activate(QSystemTrayIcon::ActivationReason reason);

  private:
    const Pictures& pictures_;
    Availability available_;
    QSystemTrayIcon icon_;
    std::string picture_;
};

}  // namespace tarnwick::qtview
