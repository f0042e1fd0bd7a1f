#include "engine/transcode/progressmeter.h"

#include "engine/transcode/transcodejob.h"

#include <algorithm>

ProgressMeter::ProgressMeter(TranscodeObserver *observer) : m_observer(observer) {}

void ProgressMeter::outputAt(double ms)
{
    const double span = m_spanMs.load();
    if (span > 0 && !m_byBytes.load())
        setFraction(std::clamp(ms / span, 0.0, 1.0));
}

void ProgressMeter::bytesRead(int64_t position, int64_t size)
{
    // Short of 1: only the end of the job finishes it.
    if (m_byBytes.load() && size > 0 && position > 0)
        setFraction(std::clamp(double(position) / double(size), 0.0, 0.99));
}

void ProgressMeter::finished()
{
    setFraction(1.0);
}

void ProgressMeter::setFraction(double fraction)
{
    m_fraction.store(fraction);
    if (m_observer)
        m_observer->onProgress(fraction, m_frames.load());
}
