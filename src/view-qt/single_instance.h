#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace tarnwick::qtview {

// One running copy per user login. The first copy holds a lock file in the user's runtime folder
// (XDG_RUNTIME_DIR, which lives as long as the login) and listens on a local socket beside it; a
// later copy finds the lock held, asks the first through the socket to show its window, and ends.
// On Wayland a window may only take the focus with an activation token, which the desktop's
// launcher gives the process it starts (XDG_ACTIVATION_TOKEN): a later copy hands its own over.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // `folder` is the runtime folder; by default the user's.
    explicit SingleInstance(QString folder = {}, QObject* parent = nullptr);

    // Takes the lock when no other copy holds it and answers false; otherwise asks the copy
    // that holds it to show its window and answers true.
    bool anotherRunning();

    // The newest activation token: this start's own until a later start hands one over. Empty
    // once taken, since a token activates a window once.
    QByteArray takeActivationToken();

  signals:
    // Another copy started and asks this one to show its window.
    void showRequested();

  private:
    QString folder_;
    QByteArray token_;
    QLockFile lock_;
    QLocalServer server_;
};

}  // namespace tarnwick::qtview
