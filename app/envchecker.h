#pragma once

#include <QObject>

class QLocalServer;
class QLocalSocket;

// Single-instance guard over a local socket: the first instance listens,
// a later one connects (which wakes the first) and steps aside.
class EnvChecker : public QObject {
    Q_OBJECT
public:
    EnvChecker();
    ~EnvChecker() override;

    // True when this process is the first instance and now listens under name.
    bool isFirstInstance(const QString &name);

signals:
    // Emitted after a later instance knocked and the window was brought forward.
    void woken();

public slots:
    void newConnection();

private:
    QLocalServer *server = nullptr;
    QLocalSocket *socket = nullptr;
};
