#include "view-qt/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <utility>

namespace tarnwick::qtview {
namespace {

constexpr int kAskTimeoutMs = 2000;
constexpr qint64 kLongestRequest = 4096;  // "show", a space, a token and a line end
constexpr char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";

// Reads this start's activation token and takes it out of the environment, so that no program
// started from here inherits a token that is not its own.
QByteArray TakeTokenFromEnvironment() {
    QByteArray token = qgetenv(kTokenVariable);
    qunsetenv(kTokenVariable);
    return token;
}

QString RuntimeFolder(const QString& folder) {
    return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                            : folder;
}

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent),
      folder_(RuntimeFolder(folder)),
      token_(TakeTokenFromEnvironment()),
      lock_(QDir(folder_).filePath(QStringLiteral("tarnwick.lock"))) {
    // The lock of a copy that is still running never goes stale with age, only when its process
    // has gone.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            // The request is one line; a later copy that ends before finishing it still asks.
            auto answer = [this, socket] {
                if (!socket->canReadLine() && socket->state() == QLocalSocket::ConnectedState &&
                    socket->bytesAvailable() < kLongestRequest) {
                    return;
                }
                socket->disconnect(this);
                const QByteArray line = socket->readLine(kLongestRequest).trimmed();
                if (line.startsWith("show ")) {
                    token_ = line.mid(5);
                }
                socket->deleteLater();
                emit showRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, answer);
            connect(socket, &QLocalSocket::disconnected, this, answer);
            answer();
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
        socket.write("show " + token_ + "\n");
        socket.waitForBytesWritten(kAskTimeoutMs);
        socket.disconnectFromServer();
    }
    return true;
}

QByteArray SingleInstance::takeActivationToken() {
    return std::exchange(token_, {});
}

}  // namespace tarnwick::qtview
