#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Single-instance guard over a local socket in the user's runtime folder:
// the first instance listens; a later one connects, hands over the files it
// was started with (which wakes the first) and steps aside.
class EnvChecker : public QObject {
    Q_OBJECT
public:
    EnvChecker();
    ~EnvChecker() override;

    // True when this process is the first instance and now listens under
    // name.  Otherwise files (absolute paths) went to the running instance.
    bool isFirstInstance(const QString &name, const QStringList &files = {});

    // Where the server named name listens: a socket file in the user's
    // runtime folder (XDG_RUNTIME_DIR, or Qt's private fallback for it), not
    // in the temporary folder other users share.  A path is used as it is.
    static QString serverPath(const QString &name);
    // The message a later instance sends, and back; decode gives false
    // until the whole message is there.
    static QByteArray encodeFiles(const QStringList &files);
    static bool decodeFiles(const QByteArray &data, QStringList *files);

signals:
    // Emitted after a later instance knocked and the window was brought forward.
    void woken();
    // The files a later instance was started with.
    void filesReceived(const QStringList &files);

public slots:
    void newConnection();

private:
    void readFrom(QLocalSocket *peer);

    QLocalServer *server = nullptr;
    QLocalSocket *socket = nullptr;
};
