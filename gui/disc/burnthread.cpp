#include "gui/disc/burnthread.h"

#include "core/disc/dvdauthoring.h"
#include "gui/common/guilog.h"

BurnThread::BurnThread(QObject *parent) : QThread(parent) {}

BurnThread::~BurnThread()
{
    if (isRunning()) {
        m_job.cancel();
        wait();
    }
}

void BurnThread::setBurnParam(const QString &filePath, const QString &drive, const QString &label)
{
    m_job.setBurnParam(filePath, drive, label, DvdAuthoring::baseFolder());
}

int BurnThread::getResult() const
{
    const int result = m_job.getResult();
    qCDebug(lcGuiDisc, "%d\n", result);
    return result;
}

void BurnThread::run()
{
    m_job.run();
    if (m_job.isCancelled())
        emit terminated();
}
