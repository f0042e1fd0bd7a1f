#include "app/envchecker.h"

#include "core/config/videouserconfig.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

EnvChecker::EnvChecker() = default;

EnvChecker::~EnvChecker()
{
    delete socket;
    delete server;
}

bool EnvChecker::isFirstInstance(const QString &name)
{
    if (!socket)
        socket = new QLocalSocket;
    socket->connectToServer(name, QIODevice::ReadWrite);
    if (socket->waitForConnected(500))
        return false;

    if (!server) {
        server = new QLocalServer;
        connect(server, &QLocalServer::newConnection, this, &EnvChecker::newConnection);
    }
    // Nobody answered, so a socket file left by a crashed instance is stale:
    // remove it, or listening would fail and the guard would be lost.
    QLocalServer::removeServer(name);
    server->listen(name);
    return true;
}

void EnvChecker::newConnection()
{
    // The knock itself is the message; take and drop the connection so that
    // it does not linger.
    while (server && server->hasPendingConnections()) {
        QLocalSocket *peer = server->nextPendingConnection();
        peer->deleteLater();
    }
    if (auto *window = qobject_cast<QWidget *>(VideoUserConfig::instance()->mainWindow())) {
        window->show();
        window->raise();
        window->activateWindow();
    }
    emit woken();
}
