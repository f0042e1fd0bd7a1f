#pragma once

#include "engine/capture/sniffermanger.h"

#include <QString>
#include <QThread>

#include <memory>

// One capture of a web page's media on a thread of its own, without a web
// view (the page's source tells where its media is).  For front ends that
// poll, such as the command-line tool.
class CaptureJob {
public:
    CaptureJob();
    ~CaptureJob(); // stops a running capture and waits for it
    CaptureJob(const CaptureJob &) = delete;
    CaptureJob &operator=(const CaptureJob &) = delete;

    // address as typed (a missing "http://" is added); folder receives the file.
    void start(const QString &address, const QString &folder);
    // True once the capture has ended (or when it never started).
    bool wait(unsigned long milliseconds);
    bool isFinished() const;
    // Percent.
    double progress() const;
    // Asks the capture to end; the file it was writing is removed.
    void stop();

    // After it has finished.
    bool succeeded() const { return m_result == CSnifferManger::Captured; }
    int result() const { return m_result; }
    QString savedPath() const { return m_savedPath; }
    QString errorText() const { return m_error; }

    CSnifferManger &sniffer() { return m_sniffer; }

private:
    CSnifferManger m_sniffer;
    std::unique_ptr<QThread> m_thread;
    int m_result = -1;
    QString m_savedPath;
    QString m_error;
};
