#include "window/InstanceChannel.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace vantrel {

namespace {

// What a launch may send: a few thousand paths at most.
constexpr qint64 kMessageLimit = 1 << 20;

}  // namespace

QString InstanceSocketPath(const std::filesystem::path& lockFile) {
    return QString::fromStdString(lockFile.string()) + QStringLiteral(".socket");
}

InstanceChannel::InstanceChannel(const QString& socket, QObject* parent) : QObject(parent) {
    QLocalServer::removeServer(socket);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socket);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

void InstanceChannel::Accept() {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        client->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        connect(client, &QLocalSocket::readyRead, client, [client, buffer] {
            buffer->append(client->readAll());
            if (buffer->size() > kMessageLimit) client->abort();
        });
        connect(client, &QLocalSocket::disconnected, this, [this, client, buffer] {
            buffer->append(client->readAll());
            client->deleteLater();
            if (buffer->size() > kMessageLimit || !buffer->endsWith('\n')) return;
            QStringList files = QString::fromUtf8(*buffer).split(QLatin1Char('\n'));
            files.removeAll(QString());
            emit handed(files);
        });
    }
}

bool InstanceChannel::HandOver(const QString& socket, const QStringList& files, int timeoutMs) {
    QLocalSocket client;
    client.connectToServer(socket);
    if (!client.waitForConnected(timeoutMs)) return false;
    QByteArray message;
    for (const QString& file : files)
        message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    // An empty message still says "show yourself".
    if (message.isEmpty()) message = "\n";
    client.write(message);
    if (!client.waitForBytesWritten(timeoutMs)) return false;
    client.disconnectFromServer();
    return client.state() == QLocalSocket::UnconnectedState ||
           client.waitForDisconnected(timeoutMs);
}

}  // namespace vantrel
