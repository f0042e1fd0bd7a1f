#include "core/jobs/transcodethread.h"

#include "engine/transcode/transcoder.h"

TranscodeThread::TranscodeThread(TranscodeJob job) : m_job(std::move(job))
{
    m_thread.reset(QThread::create([this] { m_result = Transcoder::run(m_job, &m_observer, &m_stop); }));
}

TranscodeThread::~TranscodeThread()
{
    m_stop.request();
    m_thread->wait();
}

void TranscodeThread::start()
{
    m_thread->start(QThread::InheritPriority);
}

bool TranscodeThread::wait(unsigned long milliseconds)
{
    return m_thread->wait(milliseconds);
}

bool TranscodeThread::isFinished() const
{
    return m_thread->isFinished() || !m_thread->isRunning();
}
