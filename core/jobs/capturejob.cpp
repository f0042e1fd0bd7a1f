#include "core/jobs/capturejob.h"

#include <climits>

CaptureJob::CaptureJob() = default;

CaptureJob::~CaptureJob()
{
    stop();
    wait(ULONG_MAX);
}

void CaptureJob::start(const QString &address, const QString &folder)
{
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this, address, folder] {
        m_result = m_sniffer.listenCapture(address, folder, &m_savedPath);
        m_error = m_sniffer.lastError();
    }));
    m_thread->start();
}

bool CaptureJob::wait(unsigned long milliseconds)
{
    return !m_thread || m_thread->wait(milliseconds); // ULONG_MAX: for ever
}

bool CaptureJob::isFinished() const
{
    return !m_thread || m_thread->isFinished();
}

double CaptureJob::progress() const
{
    double percent = 0.0;
    m_sniffer.GetDownPrg(percent);
    return percent;
}

void CaptureJob::stop()
{
    m_sniffer.StopListen();
}
