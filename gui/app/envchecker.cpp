#include "gui/app/envchecker.h"

#include "core/config/videouserconfig.h"

#include <QDataStream>
#include <QDir>
#include <QIODevice>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>

namespace {

const quint32 kMagic = 0x52454c31; // "REL1"

} // namespace

EnvChecker::EnvChecker() = default;

EnvChecker::~EnvChecker()
{
    delete socket;
    delete server;
}

QString EnvChecker::serverPath(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return name;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + name;
}

QByteArray EnvChecker::encodeFiles(const QStringList &files)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << files;
    return data;
}

bool EnvChecker::decodeFiles(const QByteArray &data, QStringList *files)
{
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    QStringList list;
    in >> magic >> list;
    if (in.status() != QDataStream::Ok || magic != kMagic)
        return false;
    *files = list;
    return true;
}

bool EnvChecker::isFirstInstance(const QString &name, const QStringList &files)
{
    const QString path = serverPath(name);
    if (!socket)
        socket = new QLocalSocket;
    socket->connectToServer(path, QIODevice::ReadWrite);
    if (socket->waitForConnected(500)) {
        // The message wakes the first instance; the files go with it.
        socket->write(encodeFiles(files));
        socket->waitForBytesWritten(2000);
        socket->disconnectFromServer();
        if (socket->state() != QLocalSocket::UnconnectedState)
            socket->waitForDisconnected(1000);
        return false;
    }

    if (!server) {
        server = new QLocalServer;
        // Only this user may knock.
        server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server, &QLocalServer::newConnection, this, &EnvChecker::newConnection);
    }
    // Nobody answered, so a socket file left by a crashed instance is stale:
    // remove it, or listening would fail and the guard would be lost.
    QLocalServer::removeServer(path);
    server->listen(path);
    return true;
}

void EnvChecker::newConnection()
{
    while (server && server->hasPendingConnections()) {
        QLocalSocket *peer = server->nextPendingConnection();
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readFrom(peer); });
        connect(peer, &QLocalSocket::disconnected, this, [this, peer] {
            readFrom(peer);
            peer->deleteLater();
        });
        // What came with the connection already (the knock may be over).
        readFrom(peer);
        if (peer->state() == QLocalSocket::UnconnectedState)
            peer->deleteLater();
    }
    if (auto *window = qobject_cast<QWidget *>(VideoUserConfig::instance()->mainWindow())) {
        window->show();
        window->raise();
        window->activateWindow();
    }
    emit woken();
}

void EnvChecker::readFrom(QLocalSocket *peer)
{
    // The message arrives whole or in pieces; it is kept with the socket
    // until it can be read, and taken once.
    QByteArray data = peer->property("reelmaxMessage").toByteArray() + peer->readAll();
    if (peer->property("reelmaxDone").toBool())
        return;
    QStringList files;
    if (!decodeFiles(data, &files)) {
        // A list of paths is small; anything larger is not ours.
        peer->setProperty("reelmaxMessage", data.size() < (4 << 20) ? data : QByteArray());
        return;
    }
    peer->setProperty("reelmaxDone", true);
    // Adding the files runs the loading dialog's event loop, in which the
    // peer may go and be deleted: hand them over once the socket's own
    // signal has returned.
    if (!files.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, files] { emit filesReceived(files); }, Qt::QueuedConnection);
}
