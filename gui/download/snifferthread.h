#pragma once

#include "engine/capture/sniffermanger.h"

#include <QString>
#include <QThread>

// Runs one capture of the capture library off the GUI thread.  The dialog
// sets the address and the folder before starting it and reads the result
// after it has finished; the library itself takes progress and stop calls
// from the GUI thread meanwhile.
class SnifferThread : public QThread {
    Q_OBJECT
public:
    explicit SnifferThread(QObject *parent = nullptr);
    ~SnifferThread() override;

    void setAddress(const QString &address) { m_address = address; }
    QString address() const { return m_address; }
    // The folder the capture is saved in (read on the GUI thread, where the
    // configuration store lives).
    void setDestination(const QString &folder) { m_folder = folder; }
    QString destination() const { return m_folder; }

    CSnifferManger &sniffer() { return m_sniffer; }

    // After the thread has finished.
    QString capturedPath() const { return m_capturedPath; }
    int result() const { return m_result; }
    QString errorText() const { return m_error; }

protected:
    void run() override;

private:
    QString m_address;
    CSnifferManger m_sniffer;
    QString m_capturedPath;
    QString m_folder;
    int m_result = -1;
    QString m_error;
};
