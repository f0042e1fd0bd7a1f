#pragma once

#include "core/disc/dvdburnjob.h"

#include <QString>
#include <QThread>

// Authors and burns one converted DVD file on a worker thread.  The burning
// progress dialog prepares it, starts it and polls it with a timer; cancel()
// stops the running tool, after which the thread ends by itself.
class BurnThread : public QThread {
    Q_OBJECT
public:
    explicit BurnThread(QObject *parent = nullptr);
    ~BurnThread() override;

    // On the GUI thread, before start(): writes dvd.xml and prepares the
    // disc classes.  dvd.xml and the working folder go to the program's
    // folder, or the user's data folder when that is not writable.
    void setBurnParam(const QString &filePath, const QString &drive, const QString &label);

    int getCreatorProgress() const { return m_job.getCreatorProgress(); }
    int getBurnProgress() const { return m_job.getBurnProgress(); }
    int getResult() const;
    bool burnFinished() const { return m_job.isFinished(); }
    // Why the run failed, once it has finished.
    QString message() const { return m_job.message(); }
    // Stops the running tool; wait() for the thread afterwards.
    void cancel() { m_job.cancel(); }

    const DvdBurnJob &job() const { return m_job; }

signals:
    // The run ended because it was cancelled.
    void terminated();

protected:
    void run() override;

private:
    DvdBurnJob m_job;
};
