#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

// Turns stop signals (SIGTERM, SIGHUP, SIGINT) into a Qt signal on the
// thread that created the watcher, so that the program can stop its work
// and end cleanly instead of dying with half-written files.  The handler
// only writes to a pipe and stays installed, so that a second signal finds
// the same orderly end under way.  One watcher per process.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~SignalWatcher() override;
    SignalWatcher(const SignalWatcher &) = delete;
    SignalWatcher &operator=(const SignalWatcher &) = delete;

    // False when the pipe or the handlers could not be set up.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void onReadable();

    QList<int> m_signals;
    QSocketNotifier *m_notifier = nullptr;
};
