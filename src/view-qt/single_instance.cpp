#include "view-qt/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tarnwick::qtview {
namespace {

constexpr int kAskTimeoutMs = 2000;

QString RuntimeFolder(const QString& folder) {
    return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                            : folder;
}

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent),
      folder_(RuntimeFolder(folder)),
      lock_(QDir(folder_).filePath(QStringLiteral("tarnwick.lock"))) {
    // The lock of a copy that is still running never goes stale with age, only when its process
    // has gone.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->deleteLater();
            emit showRequested();
        }
    });
}

bool SingleInstance::anotherRunning() {
    const QString socketPath = QDir(folder_).filePath(QStringLiteral("tarnwick.socket"));
    if (lock_.tryLock(0)) {
        // A socket left by a copy that crashed is ours to replace now that we hold the lock.
        QLocalServer::removeServer(socketPath);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(socketPath);
        return false;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        return false;  // no lock can be had here at all: run rather than refuse to start
    }
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (socket.waitForConnected(kAskTimeoutMs)) {
        socket.write("show\n");
        socket.waitForBytesWritten(kAskTimeoutMs);
        socket.disconnectFromServer();
    }
    return true;
}

}  // namespace tarnwick::qtview
