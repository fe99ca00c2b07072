#include "app/singleinstance.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace velmora::app {

namespace {
constexpr int connectTimeoutMs = 1000;
const QByteArray activateMessage = "activate\n";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() {
    return keyFor(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), platform::appDataFolder());
}

QString SingleInstance::keyFor(const QString& executableName, const QString& appDataFolder) {
    const QByteArray folder =
        QCryptographicHash::hash(appDataFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("%1-%2-%3").arg(executableName).arg(getuid()).arg(QString::fromLatin1(folder));
}

bool SingleInstance::activateRunning() {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(activateMessage);
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // A socket left behind by an instance that ended abnormally.
        QLocalServer::removeServer(key_);
        if (!server_->listen(key_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto readRequest = [this, socket] {
                if (socket->readAll().contains(activateMessage.trimmed()))
                    emit activateRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, readRequest);
            if (socket->bytesAvailable() > 0)
                readRequest();
        }
    });
    return true;
}

} // namespace velmora::app
